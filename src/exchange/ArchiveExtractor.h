#pragma once

#include <QStringList>
#include <stdexcept>

// The archive could not be read to its end (not a zip or gzip file, damaged, truncated), or
// it holds an entry of more than 256 MB.
class EArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Unpacking of the supplier's archives. Both operations are all or nothing: entries are
// written to temporary files and put in place only once the whole archive has been read.
class ArchiveExtractor {
public:
    // Extracts every regular entry of the zip file whose bare file name matches the mask
    // (ignoring letter case) into the folder, under that bare name: stored folders are
    // dropped, so no entry lands outside the folder. A bare name equal, ignoring case, to one
    // of canonicalNames is written under that spelling. Returns the names written.
    static QStringList extractZipEntries(const QString &zipPath, const QString &folder,
                                         const QString &mask,
                                         const QStringList &canonicalNames = {});

    // Writes the content of a gzip file to outPath.
    static void gunzipFile(const QString &gzPath, const QString &outPath);
};
