#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Numbered versions of each kind of file the program saves, written by the program's own
// save operations. Each version can tell from its content alone which version it is and that
// it is whole, so a file found after a crash can be checked against the versions saved so far.
namespace VersionedFiles {

// The working files, the archive's two files saved together ("Main.lst+Doc.lst"), the
// settings file and an order workbook, by their file names.
QStringList kinds();

class Writer {
public:
    virtual ~Writer() = default;
    // Writes version v under the kind's file name in the folder.
    virtual void save(qint64 v) = 0;
};
std::unique_ptr<Writer> writerFor(const QString &kind, const QString &folder);

struct Found {
    qint64 version = -1;
    QString error; // why the file is not a whole version
};
// The version the file holds; for the archive pair, after what the start-up does to a pair
// whose save was cut short, the version both files hold. Workbooks are read by the independent
// readers instead (see the kill test), so kind "Order.xls" is not handled here.
Found readVersion(const QString &kind, const QString &folder);

} // namespace VersionedFiles
