#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The byte layout of a version 3 compound file (512-byte sectors) whose root storage holds
// at most one stream: header, FAT (with DIFAT sectors when the FAT outgrows the header),
// one directory sector, then the mini FAT and mini stream for a stream under 4096 bytes or
// the stream's own sectors otherwise.
namespace CompoundFileLayout {

// A directory entry name: 1 to 31 UTF-16 units, none of "/", "\", ":", "!".
bool isValidName(const QString &name);

// Writes the whole file; false when the device refused a write. An empty streamName writes a
// root storage without children.
bool write(QIODevice &out, const QString &streamName, const QByteArray &stream);

} // namespace CompoundFileLayout
