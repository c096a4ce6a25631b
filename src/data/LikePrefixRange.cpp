#include "data/LikePrefixRange.h"

#include <QRegularExpression>

namespace {

// The literal start of a LIKE pattern, up to the first wildcard.
QString literalPrefix(const QString &pattern)
{
    qsizetype end = 0;
    while (end < pattern.size() && pattern.at(end) != QLatin1Char('%') &&
           pattern.at(end) != QLatin1Char('_'))
        ++end;
    return pattern.left(end);
}

bool hasAsciiLetter(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() < 128 && c.isLetter())
            return true;
    return false;
}

QString asciiUpper(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return result;
}

// The least text above every text starting with the prefix (code point order is the order of
// the UTF-8 bytes SQLite compares); empty when there is none to be had simply.
QString upperBound(const QString &prefix)
{
    if (prefix.isEmpty())
        return {};
    const char16_t last = prefix.back().unicode();
    const char16_t next = char16_t(last + 1);
    if (last == 0xFFFF || QChar::isSurrogate(last) || QChar::isSurrogate(next))
        return {};
    return prefix.chopped(1) + QChar(next);
}

} // namespace

SqlCondition withLikePrefixRanges(const SqlCondition &condition)
{
    static const QRegularExpression like(
        QStringLiteral(R"re((("[^"]+"\.)?"([^"]+)") LIKE \?)re"));
    SqlCondition result;
    int parameter = 0;
    int depth = 0;
    qsizetype pos = 0;
    const QString &sql = condition.sql;
    while (pos < sql.size()) {
        const QChar c = sql.at(pos);
        if (c == QLatin1Char('"')) {
            // An identifier: may start a LIKE term.
            const QRegularExpressionMatch m =
                like.match(sql, pos, QRegularExpression::NormalMatch,
                           QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                const QVariant patternValue = condition.parameters.value(parameter);
                const QString column = m.captured(1);
                const QString field = m.captured(3);
                QString prefix = literalPrefix(patternValue.toString());
                const bool upperField = field.endsWith(QStringLiteral("_IND"), Qt::CaseInsensitive);
                bool usable = depth == 0 && !prefix.isEmpty();
                if (usable && hasAsciiLetter(prefix)) {
                    usable = upperField;
                    prefix = asciiUpper(prefix);
                }
                const QString bound = usable ? upperBound(prefix) : QString();
                if (!bound.isEmpty()) {
                    result.sql += QStringLiteral("(") + column + QStringLiteral(" >= ? AND ") +
                                  column + QStringLiteral(" < ? AND ") + m.captured(0) +
                                  QStringLiteral(")");
                    result.parameters << prefix << bound;
                } else {
                    result.sql += m.captured(0);
                }
                result.parameters << patternValue;
                ++parameter;
                pos = m.capturedEnd(0);
                continue;
            }
            const qsizetype end = sql.indexOf(QLatin1Char('"'), pos + 1);
            const qsizetype stop = end < 0 ? sql.size() : end + 1;
            result.sql += sql.mid(pos, stop - pos);
            pos = stop;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char('?'))
            result.parameters << condition.parameters.value(parameter++);
        result.sql += c;
        ++pos;
    }
    return result;
}
