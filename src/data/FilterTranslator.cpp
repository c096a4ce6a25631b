#include "data/FilterTranslator.h"

#include <QLocale>

#include "data/CatalogTables.h"

namespace {

enum class TokenKind { Name, Number, Text, Equal, Greater, Open, Close, End };

struct Token {
    TokenKind kind;
    QString text;
    qsizetype position;
};

class Parser {
public:
    Parser(const QString &filter, const TableDef &table, const QString &qualifier)
        : m_filter(filter), m_table(table), m_qualifier(qualifier)
    {
        next();
    }

    SqlCondition parse()
    {
        SqlCondition result;
        if (m_token.kind == TokenKind::End)
            return result;
        result.sql = condition(result);
        if (m_token.kind != TokenKind::End)
            fail(QStringLiteral("\"and\" or the end expected"));
        return result;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        throw FilterError(QStringLiteral("The filter \"%1\" cannot be read at position %2: %3")
                              .arg(m_filter)
                              .arg(m_token.position + 1)
                              .arg(why));
    }

    static bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

    void next()
    {
        const qsizetype size = m_filter.size();
        while (m_pos < size && m_filter.at(m_pos).isSpace())
            ++m_pos;
        const qsizetype start = m_pos;
        if (m_pos >= size) {
            m_token = {TokenKind::End, {}, start};
            return;
        }
        const QChar c = m_filter.at(m_pos);
        if (isNameStart(c)) {
            while (m_pos < size && isNameChar(m_filter.at(m_pos)))
                ++m_pos;
            m_token = {TokenKind::Name, m_filter.mid(start, m_pos - start), start};
            return;
        }
        if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') ||
            c == QLatin1Char('.')) {
            ++m_pos;
            while (m_pos < size &&
                   (m_filter.at(m_pos).isDigit() || m_filter.at(m_pos) == QLatin1Char('.')))
                ++m_pos;
            m_token = {TokenKind::Number, m_filter.mid(start, m_pos - start), start};
            return;
        }
        if (c == QLatin1Char('"')) {
            const qsizetype end = m_filter.indexOf(QLatin1Char('"'), m_pos + 1);
            if (end < 0) {
                m_token = {TokenKind::End, {}, start};
                fail(QStringLiteral("the text is not closed by a double quote"));
            }
            m_token = {TokenKind::Text, m_filter.mid(m_pos + 1, end - m_pos - 1), start};
            m_pos = end + 1;
            return;
        }
        ++m_pos;
        switch (c.unicode()) {
        case u'=':
            m_token = {TokenKind::Equal, QStringLiteral("="), start};
            return;
        case u'>':
            m_token = {TokenKind::Greater, QStringLiteral(">"), start};
            return;
        case u'(':
            m_token = {TokenKind::Open, QStringLiteral("("), start};
            return;
        case u')':
            m_token = {TokenKind::Close, QStringLiteral(")"), start};
            return;
        default:
            m_token = {TokenKind::Name, QString(c), start};
            fail(QStringLiteral("\"%1\" is not allowed").arg(c));
        }
    }

    bool isWord(const char *word) const
    {
        return m_token.kind == TokenKind::Name &&
               QString::compare(m_token.text, QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    QString condition(SqlCondition &out)
    {
        QString sql = term(out);
        while (isWord("and")) {
            next();
            sql += QStringLiteral(" AND ") + term(out);
        }
        return sql;
    }

    QString term(SqlCondition &out)
    {
        if (isWord("not")) {
            next();
            if (m_token.kind != TokenKind::Open)
                fail(QStringLiteral("\"(\" expected after \"not\""));
            next();
            const QString inner = condition(out);
            if (m_token.kind != TokenKind::Close)
                fail(QStringLiteral("\")\" expected"));
            next();
            return QStringLiteral("NOT (") + inner + QLatin1Char(')');
        }
        if (m_token.kind != TokenKind::Name || isWord("and") || isWord("like"))
            fail(QStringLiteral("a field name expected"));
        const FieldDef *field = m_table.field(m_token.text);
        if (!field)
            fail(QStringLiteral("%1 is not a field of %2").arg(m_token.text, m_table.name));
        QString column = QLatin1Char('"') + field->name + QLatin1Char('"');
        if (!m_qualifier.isEmpty())
            column = QLatin1Char('"') + m_qualifier + QStringLiteral("\".") + column;
        next();

        if (isWord("like")) {
            next();
            if (m_token.kind != TokenKind::Text)
                fail(QStringLiteral("a double-quoted text expected after \"like\""));
            out.parameters << m_token.text;
            next();
            return column + QStringLiteral(" LIKE ?");
        }
        QString op;
        if (m_token.kind == TokenKind::Equal)
            op = QStringLiteral(" = ?");
        else if (m_token.kind == TokenKind::Greater)
            op = QStringLiteral(" > ?");
        else
            fail(QStringLiteral("\"=\", \">\" or \"like\" expected"));
        next();
        if (m_token.kind == TokenKind::Text) {
            out.parameters << m_token.text;
        } else if (m_token.kind == TokenKind::Number) {
            out.parameters << number(m_token.text);
        } else {
            fail(QStringLiteral("a number or a double-quoted text expected"));
        }
        next();
        return column + op;
    }

    QVariant number(const QString &text) const
    {
        bool ok = false;
        const qlonglong whole = QLocale::c().toLongLong(text, &ok);
        if (ok)
            return QVariant(whole);
        const double real = QLocale::c().toDouble(text, &ok);
        if (!ok)
            fail(QStringLiteral("\"%1\" is not a number").arg(text));
        return QVariant(real);
    }

    const QString &m_filter;
    const TableDef &m_table;
    const QString &m_qualifier;
    qsizetype m_pos = 0;
    Token m_token{TokenKind::End, {}, 0};
};

} // namespace

FilterTranslator::FilterTranslator(const TableDef *table, const QString &qualifier)
    : m_table(table ? table : &CatalogTables::price()), m_qualifier(qualifier)
{
}

SqlCondition FilterTranslator::translate(const QString &filter) const
{
    return Parser(filter, *m_table, m_qualifier).parse();
}
