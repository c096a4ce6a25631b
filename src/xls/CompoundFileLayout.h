#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The byte layout of a version 3 compound file (512-byte sectors) whose root storage holds
// at most one stream. A stream under 4096 bytes: header, FAT, directory, mini FAT, mini
// stream. A larger one: header, the stream's sectors, FAT (with DIFAT sectors when the FAT
// outgrows the header), directory.
namespace CompoundFileLayout {

// A directory entry name: 1 to 31 UTF-16 units, none of "/", "\", ":", "!".
bool isValidName(const QString &name);

// A stream of this size is laid out right after the header (sector 0 on), so it can be
// written to the file at offset 512 + position while it grows.
bool writesStreamFirst(quint32 size);
constexpr qint64 kStreamFirstOffset = 512;

// Writes the whole file; false when the device refused a write. An empty streamName writes a
// root storage without children.
bool write(QIODevice &out, const QString &streamName, const QByteArray &stream);

// Completes a file whose stream (writesStreamFirst) has already been written from offset 512
// and whose device stands right after it: padding, tables, then the header at offset 0.
bool finishAfterStream(QIODevice &device, const QString &streamName, quint32 size);

} // namespace CompoundFileLayout
