#include "data/ExportConversions.h"

#include <charconv>
#include <cmath>

#include <QVarLengthArray>

namespace ExportConversions {

namespace {

// Blanks removed into a Latin-1 buffer; false when a character outside Latin-1 shows the
// text cannot be a number anyway.
using Buffer = QVarLengthArray<char, 64>;

bool withoutBlanks(QStringView field, Buffer &out)
{
    out.clear();
    for (QChar c : field) {
        if (c == QLatin1Char(' '))
            continue;
        if (c.unicode() > 0x7f)
            return false;
        out.append(char(c.unicode()));
    }
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// sign? (digits [. digits*] | . digits) ([eE] sign? digits)?
bool isDecimal(const Buffer &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        qsizetype exponent = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == n;
}

void report(Failure *failure, Failure what)
{
    if (failure)
        *failure = what;
}

} // namespace

QStringView trimLine(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line[begin].unicode() <= 32)
        ++begin;
    while (end > begin && line[end - 1].unicode() <= 32)
        --end;
    return line.mid(begin, end - begin);
}

QString upperCase(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c);
        else if (c >= 0x430 && c <= 0x44f) // а-я
            out[i] = QChar(char16_t(c - 0x20));
        else if (c >= 0x450 && c <= 0x45f) // ё and the other letters of that row
            out[i] = QChar(char16_t(c - 0x50));
        else if (c >= 0x400 && c <= 0x42f)
            out[i] = QChar(c);
        else
            return text.toString().toUpper(); // anything else takes the full rules
    }
    return result;
}

QList<QStringView> splitFields(QStringView line, int count)
{
    QList<QStringView> fields;
    fields.reserve(count);
    qsizetype start = 0;
    while (fields.size() < count) {
        if (start > line.size()) {
            fields.append(QStringView());
            continue;
        }
        qsizetype end = line.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = line.size();
        fields.append(line.mid(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::optional<double> toFloat(QStringView field, Failure *failure)
{
    Buffer text;
    if (!withoutBlanks(field, text) || !isDecimal(text)) {
        report(failure, Failure::NotANumber);
        return std::nullopt;
    }
    // from_chars, unlike strtod, does not follow the process locale; it takes no "+".
    const char *begin = text.constData();
    const char *last = begin + text.size();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto [end, error] = std::from_chars(begin, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value)) {
        report(failure, Failure::OutOfRange);
        return std::nullopt;
    }
    return value;
}

std::optional<int> toWhole(QStringView field, Failure *failure)
{
    const std::optional<double> value = toFloat(field, failure);
    if (!value)
        return std::nullopt;
    const double truncated = std::trunc(*value);
    if (truncated < -2147483648.0 || truncated > 2147483647.0) {
        report(failure, Failure::OutOfRange);
        return std::nullopt;
    }
    return int(truncated);
}

std::optional<int> toInteger(QStringView field, Failure *failure)
{
    Buffer text;
    if (!withoutBlanks(field, text)) {
        report(failure, Failure::NotAnInteger);
        return std::nullopt;
    }
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == '-';
    if (!text.isEmpty() && (text[0] == '+' || text[0] == '-'))
        ++i;
    if (i == text.size()) {
        report(failure, Failure::NotAnInteger);
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            report(failure, Failure::NotAnInteger);
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) {
            report(failure, Failure::OutOfRange);
            return std::nullopt;
        }
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL) {
        report(failure, Failure::OutOfRange);
        return std::nullopt;
    }
    return int(value);
}

std::optional<bool> toFlag(QStringView field, Failure *failure)
{
    const std::optional<int> value = toInteger(field, failure);
    if (!value)
        return std::nullopt;
    return *value > 0;
}

} // namespace ExportConversions
