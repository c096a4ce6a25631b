#include "LoopbackPeers.h"

#include "TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int connectLoopback(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int r = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::close(fd);
    return r;
}

void waitForPort(int port, QProcess &process, const char *what)
{
    QElapsedTimer timer;
    timer.start();
    while (connectLoopback(port) != 0) {
        if (timer.elapsed() > 10000 || process.state() == QProcess::NotRunning)
            throw std::runtime_error(std::string(what) + " did not start: " +
                                     process.readAllStandardError().toStdString());
        QThread::msleep(20);
    }
}

void stop(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

QString findProgram(const QString &name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    if (path.isEmpty())
        throw std::runtime_error(name.toStdString() + " is not installed (scripts/install-deps)");
    return path;
}

// Starts a server that writes its port to a file once it listens, and returns the port.
int startWithPortFile(QProcess &process, const QString &program, const QStringList &args,
                      const QString &portFile, const char *what)
{
    process.start(program, args);
    process.waitForStarted(5000);
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(portFile)) {
        if (timer.elapsed() > 15000 || process.state() == QProcess::NotRunning)
            throw std::runtime_error(std::string(what) + " did not start: " +
                                     process.readAllStandardError().toStdString());
        QThread::msleep(20);
    }
    QFile f(portFile);
    f.open(QIODevice::ReadOnly);
    const int port = f.readAll().trimmed().toInt();
    waitForPort(port, process, what);
    return port;
}

} // namespace

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

TestHttpServer::TestHttpServer(const QString &root)
{
    static int counter = 0;
    m_dir =
        QDir::tempPath() +
        QStringLiteral("/ferrow-http-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    QDir().mkpath(m_dir);
    m_log = m_dir + QStringLiteral("/requests.log");
    const QString portFile = m_dir + QStringLiteral("/port");
    m_port =
        startWithPortFile(m_process, QStringLiteral(FERROW_PYTHON),
                          {QStringLiteral(FERROW_SOURCE_DIR "/tests/exchange/loopback_server.py"),
                           QStringLiteral("--root"), root, QStringLiteral("--log"), m_log,
                           QStringLiteral("--port-file"), portFile},
                          portFile, "the test HTTP server");
}

TestHttpServer::~TestHttpServer()
{
    stop(m_process);
    QDir(m_dir).removeRecursively();
}

QString TestHttpServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

std::vector<TestHttpServer::Request> TestHttpServer::requests() const
{
    std::vector<Request> result;
    QFile f(m_log);
    if (!f.open(QIODevice::ReadOnly))
        return result;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        result.push_back({o.value(QStringLiteral("target")).toString(),
                          o.value(QStringLiteral("peer")).toString(),
                          o.value(QStringLiteral("via")).toString()});
    }
    return result;
}

QStringList TestHttpServer::targets() const
{
    QStringList t;
    for (const Request &r : requests())
        t << r.target;
    return t;
}

TinyProxy::TinyProxy(const QString &folder, const QString &user, const QString &password)
{
    m_port = freeLoopbackPort();
    m_logFile = QDir(folder).filePath(QStringLiteral("tinyproxy.log"));
    const QString config = QDir(folder).filePath(QStringLiteral("tinyproxy.conf"));
    QString text = QStringLiteral("Port %1\nListen 127.0.0.1\nBind %2\nTimeout 30\n"
                                  "LogFile \"%3\"\nLogLevel Info\nMaxClients 20\n"
                                  "Allow 127.0.0.1\n")
                       .arg(m_port)
                       .arg(proxyOutgoingAddress, m_logFile);
    if (!user.isEmpty())
        text += QStringLiteral("BasicAuth %1 %2\n").arg(user, password);
    QFile f(config);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    f.close();
    m_process.start(findProgram(QStringLiteral("tinyproxy")),
                    {QStringLiteral("-d"), QStringLiteral("-c"), config});
    waitForPort(m_port, m_process, "tinyproxy");
}

TinyProxy::~TinyProxy()
{
    stop(m_process);
}

QString TinyProxy::log() const
{
    QFile f(m_logFile);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

MicroSocks::MicroSocks(const QString &user, const QString &password)
{
    m_port = freeLoopbackPort();
    QStringList args{QStringLiteral("-i"),    QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                     QString::number(m_port), QStringLiteral("-b"),        proxyOutgoingAddress};
    if (!user.isEmpty())
        args << QStringLiteral("-u") << user << QStringLiteral("-P") << password;
    m_process.start(findProgram(QStringLiteral("microsocks")), args);
    waitForPort(m_port, m_process, "microsocks");
}

MicroSocks::~MicroSocks()
{
    stop(m_process);
}

DemoServer::DemoServer(const QString &demoFolder, const QString &outFolder)
{
    const QString portFile = QDir(outFolder).filePath(QStringLiteral("../demo-server.port"));
    m_port = startWithPortFile(m_process, QStringLiteral(FERROW_PYTHON),
                               {QStringLiteral(FERROW_SOURCE_DIR "/scripts/demo-server"),
                                QStringLiteral("--port"), QStringLiteral("0"),
                                QStringLiteral("--port-file"), portFile, QStringLiteral("--demo"),
                                demoFolder, QStringLiteral("--out"), outFolder},
                               portFile, "scripts/demo-server");
}

DemoServer::~DemoServer()
{
    stop(m_process);
}
