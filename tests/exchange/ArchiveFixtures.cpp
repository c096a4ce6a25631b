#include "ArchiveFixtures.h"

#include <QFile>
#include <archive.h>
#include <archive_entry.h>
#include <stdexcept>

namespace {

void writeArchive(const QString &path, bool zip, const ArchiveEntries &entries)
{
    archive *a = archive_write_new();
    if (zip) {
        archive_write_set_format_zip(a);
    } else {
        archive_write_add_filter_gzip(a);
        archive_write_set_format_raw(a);
    }
    if (archive_write_open_filename(a, QFile::encodeName(path).constData()) != ARCHIVE_OK)
        throw std::runtime_error(archive_error_string(a));
    for (const auto &[name, bytes] : entries) {
        archive_entry *e = archive_entry_new();
        archive_entry_set_pathname(e, name.toUtf8().constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, bytes.size());
        archive_write_header(a, e);
        archive_write_data(a, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
}

} // namespace

void writeZip(const QString &path, const ArchiveEntries &entries)
{
    writeArchive(path, true, entries);
}

void writeGzip(const QString &path, const QByteArray &content)
{
    writeArchive(path, false, {{QStringLiteral("pictures.txt"), content}});
}
