#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace FuzzSupport {

QString scratchFolder()
{
    // /dev/shm keeps the many small writes of a long run off the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/ferrow-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/ferrow-fuzz-XXXXXX"));
    if (!dir.isValid())
        fail(QStringLiteral("no scratch folder: ") + dir.errorString());
    return dir.path() + QLatin1Char('/');
}

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    return file.readAll();
}

void emptyFolder(const QString &folder)
{
    QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        // Not dir.filePath(): it takes a name starting with ":" for a resource path.
        const QString path = dir.absolutePath() + u'/' + name;
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

QStringList entriesOf(const QString &folder)
{
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    return names;
}

void fail(const QString &why)
{
    std::fprintf(stderr, "invariant broken: %s\n", why.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

} // namespace FuzzSupport
