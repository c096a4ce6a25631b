#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir() : m_dir(QDir::tempPath() + QStringLiteral("/ferrow-test-XXXXXX")) {}

QString TempDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDir::file(const QString &name) const
{
    return path() + name;
}

QString TempDir::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return full;
}

QByteArray TempDir::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
