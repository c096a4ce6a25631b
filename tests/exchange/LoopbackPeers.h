#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Real network peers for the exchange tests, each a process of its own on a free loopback
// port, stopped when the object goes.

int freeLoopbackPort();

// The test HTTP server (loopback_server.py): serves a folder and records every request.
class TestHttpServer {
public:
    struct Request {
        QString target; // as sent in the request line
        QString peer;   // the address the connection came from
        QString via;
    };

    explicit TestHttpServer(const QString &root);
    ~TestHttpServer();
    int port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    QString url() const;
    std::vector<Request> requests() const;
    QStringList targets() const;

private:
    QString m_dir;
    QString m_log;
    int m_port = 0;
    QProcess m_process;
};

// An outgoing address of the proxies, so the server can tell a proxied connection from a
// direct one (which comes from 127.0.0.1).
inline const QString proxyOutgoingAddress = QStringLiteral("127.0.0.2");

// tinyproxy with an optional basic authentication.
class TinyProxy {
public:
    TinyProxy(const QString &folder, const QString &user = {}, const QString &password = {});
    ~TinyProxy();
    int port() const { return m_port; }
    QString log() const;

private:
    QString m_logFile;
    int m_port = 0;
    QProcess m_process;
};

// microsocks, a SOCKS 5 server, with an optional user and password.
class MicroSocks {
public:
    explicit MicroSocks(const QString &user = {}, const QString &password = {});
    ~MicroSocks();
    int port() const { return m_port; }

private:
    int m_port = 0;
    QProcess m_process;
};

// scripts/demo-server on a free port, serving what it built from a demo folder.
class DemoServer {
public:
    DemoServer(const QString &demoFolder, const QString &outFolder);
    ~DemoServer();
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    int m_port = 0;
    QProcess m_process;
};
