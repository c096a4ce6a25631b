#include "browse/PriceView.h"

#include "data/Database.h"
#include "data/FilterTranslator.h"
#include "data/LikePrefixRange.h"
#include "data/Statement.h"

#include <algorithm>

namespace {

// Only the indexed sort keys reach SQL; they are never taken from user text.
QString sortKey(const QString &sortFields)
{
    static const QStringList keys = {QStringLiteral("code"), QStringLiteral("fullname_ind"),
                                     QStringLiteral("articul_ind"), QStringLiteral("koltek"),
                                     QStringLiteral("cena")};
    const QString key = sortFields.trimmed().toLower();
    return keys.contains(key) ? key : keys.first();
}

} // namespace

PriceView::PriceView(Database &db) : m_db(db) {}

bool PriceView::apply(const QString &filter, bool filtered, const QString &sortFields)
{
    const QString effective = filtered ? filter : QString();
    const QString key = sortKey(sortFields);
    if (m_computed && effective == m_filter && key == m_sortKey)
        return false;
    m_filter = effective;
    m_sortKey = key;
    recompute();
    return true;
}

void PriceView::reload()
{
    recompute();
}

void PriceView::recompute()
{
    const SqlCondition condition = withLikePrefixRanges(FilterTranslator().translate(m_filter));
    Statement q = m_db.prepare(QStringLiteral("select id from price") + condition.whereClause() +
                               QStringLiteral(" order by ") + m_sortKey + QStringLiteral(", id"));
    condition.bindTo(q);
    std::vector<int> ids;
    ids.reserve(m_ids.size());
    while (q.step())
        ids.push_back(q.columnInt(0));
    m_ids = std::move(ids);
    m_computed = true;
    if (m_currentId == 0 || indexOfId(m_currentId) < 0)
        m_currentId = m_ids.empty() ? 0 : m_ids.front();
}

int PriceView::indexOfId(int id) const
{
    const auto it = std::find(m_ids.begin(), m_ids.end(), id);
    return it == m_ids.end() ? -1 : int(it - m_ids.begin());
}

void PriceView::setCurrentId(int id)
{
    if (indexOfId(id) >= 0)
        m_currentId = id;
}

std::optional<PriceRow> PriceView::row(int id) const
{
    Statement q = m_db.prepare(QStringLiteral("select ") + PriceRow::columns() +
                               QStringLiteral(" from price where id=?1"));
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    PriceRow r = PriceRow::fromRow(q);
    q.reset();
    return r;
}

std::optional<PriceRow> PriceView::currentRow() const
{
    if (m_currentId == 0)
        return std::nullopt;
    return row(m_currentId);
}
