#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QStringView>

// The conversions of the supplier's export fields. Each returns nothing when the text is
// not of its kind, and the caller names the file, line and field.
namespace ExportConversions {

enum class Failure { None, NotANumber, NotAnInteger, OutOfRange };

// The line without leading and trailing blanks and control characters (code 32 and below).
QStringView trimLine(QStringView line);
// The fields of a line split at ";" with no quoting; missing fields read as empty text.
// Same result as ExtractField for every n, in one pass.
QList<QStringView> splitFields(QStringView line, int count);

// Upper case as QString::toUpper gives it, with a fast path for Latin and Cyrillic text.
QString upperCase(QStringView text);

// Blanks removed, then a decimal number with "." (sign, digits, fraction, exponent).
std::optional<double> toFloat(QStringView field, Failure *failure = nullptr);
// As toFloat, truncated toward zero to a 32-bit integer.
std::optional<int> toWhole(QStringView field, Failure *failure = nullptr);
// Blanks removed, then a decimal 32-bit integer.
std::optional<int> toInteger(QStringView field, Failure *failure = nullptr);
// As toInteger; true when greater than 0.
std::optional<bool> toFlag(QStringView field, Failure *failure = nullptr);

} // namespace ExportConversions
