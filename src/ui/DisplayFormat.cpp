#include "ui/DisplayFormat.h"

#include <QLocale>

QString DisplayFormat::groupDigits(const QString &plain)
{
    const bool negative = plain.startsWith(u'-');
    const qsizetype start = negative ? 1 : 0;
    qsizetype point = plain.indexOf(u'.');
    if (point < 0)
        point = plain.size();
    QString digits = plain.mid(start, point - start);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u' ');
    return (negative ? QStringLiteral("-") : QString()) + digits + plain.mid(point);
}

QString DisplayFormat::format(double value, const QString &pattern)
{
    // The numeric part is the run of placeholders, blanks and the point; the rest is text.
    qsizetype end = 0;
    while (end < pattern.size() &&
           (pattern[end] == u'#' || pattern[end] == u'0' || pattern[end] == u' ' ||
            pattern[end] == u'.' || pattern[end] == u','))
        ++end;
    QString numeric = pattern.left(end);
    const QString suffix = pattern.mid(end);
    // A trailing blank belongs to the text after the number.
    while (numeric.endsWith(u' '))
        numeric.chop(1);
    const QString trailing = pattern.mid(numeric.size(), end - numeric.size()) + suffix;

    const qsizetype point = numeric.indexOf(u'.');
    int fixed = 0;
    int optional = 0;
    if (point >= 0) {
        for (qsizetype i = point + 1; i < numeric.size(); ++i) {
            if (numeric[i] == u'0')
                ++fixed;
            else if (numeric[i] == u'#')
                ++optional;
        }
    }
    const QString integerPart = numeric.left(point < 0 ? numeric.size() : point).trimmed();
    const bool grouped = integerPart.contains(u' ') || integerPart.contains(u',');

    QString text = QLocale::c().toString(value, 'f', fixed + optional);
    if (optional > 0) {
        const qsizetype dot = text.indexOf(u'.');
        qsizetype keep = text.size();
        while (keep > dot + 1 + fixed && text[keep - 1] == u'0')
            --keep;
        if (keep == dot + 1)
            keep = dot;
        text.truncate(keep);
    }
    if (text == QLatin1String("-0") ||
        (text.startsWith(QLatin1String("-0.")) && text.mid(3).count(u'0') == text.size() - 3))
        text.remove(0, 1);
    if (grouped)
        text = groupDigits(text);
    return text + trailing;
}

QString DisplayFormat::format(const QVariant &value, const QString &pattern)
{
    if (!value.isValid() || value.isNull())
        return QString();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        return value.toString();
    return format(number, pattern);
}
