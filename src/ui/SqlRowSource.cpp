#include "ui/SqlRowSource.h"

#include "data/Database.h"
#include "data/Statement.h"

using namespace Qt::StringLiterals;

SqlRowSource::SqlRowSource(Database &db, QString table) : m_db(db), m_table(std::move(table)) {}

SqlRowSource::~SqlRowSource() = default;

void SqlRowSource::setIds(std::vector<int> ids)
{
    m_ids = std::move(ids);
}

int SqlRowSource::idAt(int row) const
{
    return row >= 0 && size_t(row) < m_ids.size() ? m_ids[size_t(row)] : -1;
}

int SqlRowSource::rowOf(int id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return int(i);
    return -1;
}

QVariantList SqlRowSource::rowValues(int row, const QStringList &fields) const
{
    QVariantList values;
    const int id = idAt(row);
    if (id < 0) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            values << QVariant();
        return values;
    }
    const QString key = fields.join(u',');
    auto found = m_statements.find(key);
    if (found == m_statements.end()) {
        const QString sql = u"select "_s + key + u" from "_s + m_table + u" where id=?"_s;
        found = m_statements.insert(key, std::make_shared<Statement>(m_db.prepare(sql)));
    }
    Statement &q = **found;
    q.reset();
    q.bind(1, id);
    if (q.step()) {
        for (int c = 0; c < fields.size(); ++c)
            values << (q.isNull(c) ? QVariant() : q.columnValue(c));
    } else {
        for (qsizetype i = 0; i < fields.size(); ++i)
            values << QVariant();
    }
    q.reset();
    return values;
}
