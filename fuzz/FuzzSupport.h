#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// What every harness shares: a scratch folder that lives for the whole run, files written
// from the input, and a hard stop when an invariant breaks, so libFuzzer keeps the input.
namespace FuzzSupport {

// The scratch folder, with a trailing separator; emptied by the harnesses themselves.
QString scratchFolder();

QByteArray bytesOf(const uint8_t *data, size_t size);
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Every file of the folder removed (subfolders too).
void emptyFolder(const QString &folder);
// Names of the entries of the folder, hidden ones included, sorted.
QStringList entriesOf(const QString &folder);

// Prints the reason and aborts: a finding for libFuzzer and a failure for the replay.
[[noreturn]] void fail(const QString &why);

inline void check(bool condition, const char *what)
{
    if (!condition)
        fail(QString::fromUtf8(what));
}

} // namespace FuzzSupport
