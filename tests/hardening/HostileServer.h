#pragma once

#include "support/TempDir.h"

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// hostile_server.py on a free loopback port, serving a folder of its own; each request path
// can be made to fail in a chosen way.
class HostileServer {
public:
    HostileServer();
    ~HostileServer();

    // "http://127.0.0.1:<port>"
    QString url() const;
    // Removes every served file, every behaviour and the request log.
    void reset();
    void serve(const QString &path, const QByteArray &bytes);
    // {"status": 500}, {"redirect": url} or {"cut": bytes} for the path ("/tavrin/...").
    void behave(const QString &path, const QJsonObject &behaviour);
    QStringList requests() const;

private:
    TempDir m_root;
    QJsonObject m_behaviour;
    int m_port = 0;
    QProcess m_process;
};
