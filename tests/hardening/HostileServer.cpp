#include "HostileServer.h"

#include "TestPaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>
#include <stdexcept>

HostileServer::HostileServer()
{
    const QString portFile = m_root.file(QStringLiteral("port"));
    m_process.start(QStringLiteral(FERROW_PYTHON),
                    {QStringLiteral(FERROW_SOURCE_DIR "/tests/hardening/hostile_server.py"),
                     QStringLiteral("--root"), m_root.file(QStringLiteral("served")),
                     QStringLiteral("--port-file"), portFile});
    QDir().mkpath(m_root.file(QStringLiteral("served")));
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(portFile) && timer.elapsed() < 20000)
        QThread::msleep(20);
    m_port = m_root.read(QStringLiteral("port")).toInt();
    if (m_port <= 0)
        throw std::runtime_error("the hostile server did not start");
}

HostileServer::~HostileServer()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString HostileServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

void HostileServer::reset()
{
    QDir(m_root.file(QStringLiteral("served"))).removeRecursively();
    QDir().mkpath(m_root.file(QStringLiteral("served")));
    m_behaviour = {};
}

void HostileServer::serve(const QString &path, const QByteArray &bytes)
{
    m_root.write(QStringLiteral("served") + path, bytes);
}

void HostileServer::behave(const QString &path, const QJsonObject &behaviour)
{
    m_behaviour[path] = behaviour;
    m_root.write(QStringLiteral("served/behaviour.json"), QJsonDocument(m_behaviour).toJson());
}

QStringList HostileServer::requests() const
{
    QFile log(m_root.file(QStringLiteral("served/requests.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n');
    lines.removeAll(QString());
    return lines;
}
