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

} // namespace TextUtils
