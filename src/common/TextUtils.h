#pragma once

#include <QByteArray>
#include <QString>

namespace TextUtils {

// Field n (from 1) of the line split by the separator; the separator is appended first, so
// the last field needs no terminator. No quoting. Past the last field: empty.
QString ExtractField(const QString &line, QChar separator, int n);

// Replaces every occurrence of the character (case significant).
QString ReplaceChar(const QString &text, QChar ch, const QString &replacement);

// Replaces every occurrence of toFind ignoring case; when the replacement itself contains
// toFind (ignoring case) the text is returned unchanged.
QString ReplaceAllText(const QString &toFind, const QString &text, const QString &replacement);

// Text to and from the Cyrillic Windows code page, used only at the file boundaries.
QString fromCp1251(const QByteArray &bytes);
QByteArray toCp1251(const QString &text);
// Whether the bytes are well-formed UTF-8 holding at least one character beyond ASCII (a byte
// order mark counts). Text in the Cyrillic Windows code page practically never is: its letters
// are bytes 0xC0 to 0xFF, which UTF-8 only allows before continuation bytes.
bool isUtf8BeyondAscii(const QByteArray &bytes);

} // namespace TextUtils
