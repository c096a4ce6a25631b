#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Picture file names as the supplier's list gives them, and what may be done with them.
namespace PictureNames {

// A name that can only ever mean a file directly in the picture folder: not blank, no path
// separator, not "." or "..", no control character. Names from the server that fail this are
// never requested and never written.
bool isPlainFileName(const QString &name);

// The lines of the picture list file (Cyrillic Windows code page; CR LF, LF or CR endings).
QStringList readListFile(const QString &path);

// The names of the plain "*.jpg" files (any letter case) of the folders, sorted ignoring case;
// hidden files and folders are left out.
QStringList localInventory(const QStringList &folders);

// The list reduced in place to the names to fetch, in the list's order: blank lines, names
// present in the inventory (ignoring case), names that are not plain file names and names
// listed before (ignoring case) go.
void filterList(QStringList &list, const QStringList &inventory);

// The name as the last segment of a URL: its bytes in the list's code page, percent-encoded.
QByteArray urlSegment(const QString &name);

} // namespace PictureNames
