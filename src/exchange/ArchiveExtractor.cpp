#include "exchange/ArchiveExtractor.h"

#include "exchange/PictureNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <archive.h>
#include <archive_entry.h>
#include <map>
#include <memory>

namespace {

struct ArchiveDeleter {
    void operator()(archive *a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

[[noreturn]] void fail(archive *a, const QString &path)
{
    const char *why = a ? archive_error_string(a) : nullptr;
    throw EArchiveError(
        QStringLiteral("Cannot read the archive %1: %2")
            .arg(path, why ? QString::fromLocal8Bit(why) : QStringLiteral("damaged"))
            .toStdString());
}

ArchivePtr openArchive(const QString &path, bool gzipOnly)
{
    ArchivePtr a(archive_read_new());
    if (gzipOnly) {
        archive_read_support_filter_gzip(a.get());
        archive_read_support_format_raw(a.get());
    } else {
        archive_read_support_format_zip(a.get());
    }
    const QByteArray name = QFile::encodeName(path);
    if (archive_read_open_filename(a.get(), name.constData(), 64 * 1024) != ARCHIVE_OK)
        fail(a.get(), path);
    return a;
}

std::unique_ptr<QTemporaryFile> newTempFile(const QString &folder)
{
    auto tmp =
        std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral(".unpack-XXXXXX")));
    if (!tmp->open())
        throw std::runtime_error(QStringLiteral("Cannot create a file in %1: %2")
                                     .arg(folder, tmp->errorString())
                                     .toStdString());
    return tmp;
}

// No export file or picture list comes near this; a larger entry is a damaged or hostile
// archive, refused before it fills the disk.
constexpr qint64 kMaxEntryBytes = 256LL * 1024 * 1024;

[[noreturn]] void failTooLarge(const QString &path, const QString &entry)
{
    throw EArchiveError(QStringLiteral("Cannot read the archive %1: the entry %2 is larger than "
                                       "256 MB")
                            .arg(path, entry)
                            .toStdString());
}

void copyData(archive *a, QFile &to, const QString &path, const QString &entry)
{
    char buffer[64 * 1024];
    qint64 total = 0;
    for (;;) {
        const la_ssize_t n = archive_read_data(a, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0)
            fail(a, path);
        total += n;
        if (total > kMaxEntryBytes) // the declared size may lie
            failTooLarge(path, entry);
        if (to.write(buffer, n) != n)
            throw std::runtime_error(QStringLiteral("Cannot write the file %1: %2")
                                         .arg(to.fileName(), to.errorString())
                                         .toStdString());
    }
    if (!to.flush())
        throw std::runtime_error(
            QStringLiteral("Cannot write the file %1").arg(to.fileName()).toStdString());
}

void putInPlace(QTemporaryFile &tmp, const QString &target)
{
    tmp.close();
    QFile::remove(target);
    if (!tmp.rename(target))
        throw std::runtime_error(QStringLiteral("Cannot create the file %1: %2")
                                     .arg(target, tmp.errorString())
                                     .toStdString());
    tmp.setAutoRemove(false);
}

QString entryName(archive_entry *entry)
{
    if (const char *utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    if (const char *raw = archive_entry_pathname(entry))
        return QString::fromLocal8Bit(raw);
    return {};
}

} // namespace

QStringList ArchiveExtractor::extractZipEntries(const QString &zipPath, const QString &folder,
                                                const QString &mask,
                                                const QStringList &canonicalNames)
{
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask),
                                     QRegularExpression::CaseInsensitiveOption);
    ArchivePtr a = openArchive(zipPath, false);
    // A later entry of the same bare name replaces an earlier one, as on disk.
    std::map<QString, std::unique_ptr<QTemporaryFile>> extracted;
    QStringList order;
    for (;;) {
        archive_entry *entry = nullptr;
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF)
            break;
        if (r < ARCHIVE_WARN)
            fail(a.get(), zipPath);
        QString name = entryName(entry);
        name = name.mid(qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
        if (archive_entry_filetype(entry) != AE_IFREG || !PictureNames::isPlainFileName(name) ||
            !pattern.match(name).hasMatch()) {
            if (archive_read_data_skip(a.get()) < ARCHIVE_WARN)
                fail(a.get(), zipPath);
            continue;
        }
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kMaxEntryBytes)
            failTooLarge(zipPath, name);
        for (const QString &canonical : canonicalNames)
            if (name.compare(canonical, Qt::CaseInsensitive) == 0)
                name = canonical;
        auto tmp = newTempFile(folder);
        copyData(a.get(), *tmp, zipPath, name);
        if (!extracted.count(name))
            order << name;
        extracted[name] = std::move(tmp);
    }
    // Joined by hand: QDir::filePath takes a name starting with ":" for a resource path and
    // drops the folder, which would put the entry in the current folder.
    const QString base = QDir(folder).absolutePath() + u'/';
    for (const QString &name : order)
        putInPlace(*extracted[name], base + name);
    return order;
}

void ArchiveExtractor::gunzipFile(const QString &gzPath, const QString &outPath)
{
    ArchivePtr a = openArchive(gzPath, true);
    archive_entry *entry = nullptr;
    if (archive_read_next_header(a.get(), &entry) < ARCHIVE_WARN)
        fail(a.get(), gzPath);
    // The raw reader takes any bytes; only a gzip stream is a list.
    if (archive_filter_code(a.get(), 0) != ARCHIVE_FILTER_GZIP)
        throw EArchiveError(QStringLiteral("Cannot read the archive %1: not a gzip file")
                                .arg(gzPath)
                                .toStdString());
    auto tmp = newTempFile(QFileInfo(outPath).absolutePath());
    copyData(a.get(), *tmp, gzPath, QFileInfo(outPath).fileName());
    putInPlace(*tmp, outPath);
}
