#include "browse/BrowsingState.h"

#include "common/TextUtils.h"

namespace {

const QString kAndIsNew = QStringLiteral(" and IsNew > 0 ");
const QString kIsNew = QStringLiteral(" IsNew > 0 ");
const QString kCode = QStringLiteral("code");

struct SortColumn {
    const char *field;
    const char *sortFields;
    const char *searchField;
};

// Sorting by stock or price searches by name.
const SortColumn kSortColumns[] = {
    {"CODE", "code", "code"},
    {"FULLNAME", "fullname_ind", "fullname_ind"},
    {"ARTICUL", "articul_ind", "articul_ind"},
    {"KOLTEK", "koltek", "fullname_ind"},
    {"CENA", "cena", "fullname_ind"},
};

} // namespace

void BrowsingState::treeFocusChanging(std::optional<TreeNodeIds> /*oldNode*/,
                                      std::optional<TreeNodeIds> newNode)
{
    // No new node (the focus left every node, or there was none at all): keep the filter.
    if (!newNode)
        return;
    if (!m_keepTreeFilter) {
        setSearchText(QString());
        m_searchFilter.clear();
    }
    const int g = newNode->idGroup;
    const int s = newNode->idSubGroup;
    if (s > 0)
        m_treeFilter = QStringLiteral("idsubgroup=") + QString::number(s);
    else if (g <= 0)
        m_treeFilter.clear();
    else
        m_treeFilter = QStringLiteral("idgroup=") + QString::number(g);
    if (s == -2 && g > 0)
        m_treeFilter = QStringLiteral("idgroup=") + QString::number(g) +
                       QStringLiteral(" and not(idsubgroup>0)");
    m_filter = groupAndSearch();
    applyNewItemsClause();
    m_filtered = true;
}

void BrowsingState::searchTextChanged(const QString &text)
{
    setSearchText(text);
}

void BrowsingState::setSearchText(const QString &text)
{
    const QString upper = text.toUpper();
    if (upper == m_searchText)
        return; // the box reports no change
    m_searchText = upper;
    buildSearchFilter();
    m_filter = m_keepTreeFilter ? groupAndSearch() : m_searchFilter;
    applyNewItemsClause();
    m_filtered = true;
}

void BrowsingState::buildSearchFilter()
{
    m_searchFilter.clear();
    const QString trimmed = m_searchText.trimmed();
    if (trimmed.isEmpty())
        return;
    // The user's double quotes are dropped so that they can never end the literal early.
    QString pattern = trimmed;
    pattern.replace(QLatin1Char('*'), QLatin1Char('%'));
    pattern.remove(QLatin1Char('"'));
    pattern = pattern.trimmed();
    m_searchFilter = QStringLiteral(" ") + m_searchField + QStringLiteral(" like \"") + pattern +
                     QStringLiteral("%\"");
}

QString BrowsingState::groupAndSearch() const
{
    if (m_searchFilter.trimmed().isEmpty())
        return m_treeFilter;
    QString result = m_treeFilter;
    if (!m_treeFilter.trimmed().isEmpty())
        result += QStringLiteral(" and ");
    return result + m_searchFilter;
}

void BrowsingState::applyNewItemsClause()
{
    if (!m_onlyNew)
        return;
    if (!m_filter.isEmpty())
        m_filter += kAndIsNew;
    else
        m_filter = kIsNew;
}

void BrowsingState::keepTreeFilterToggled(bool checked)
{
    m_keepTreeFilter = checked;
    m_filter = m_keepTreeFilter ? groupAndSearch() : m_searchFilter;
    applyNewItemsClause();
    m_filtered = true;
}

void BrowsingState::onlyNewToggled(bool checked)
{
    m_onlyNew = checked;
    if (checked) {
        if (!m_filter.trimmed().isEmpty())
            m_filter += kAndIsNew;
        else
            m_filter = kIsNew;
    } else if (m_filter.contains(kAndIsNew)) {
        m_filter = TextUtils::ReplaceAllText(kAndIsNew, m_filter, QString());
    } else if (m_filter.contains(kIsNew)) {
        m_filter = TextUtils::ReplaceAllText(kIsNew, m_filter, QString());
    }
    m_filtered = true;
}

bool BrowsingState::titleClicked(const QString &fieldName)
{
    const SortColumn *column = nullptr;
    for (const SortColumn &c : kSortColumns)
        if (fieldName.compare(QLatin1String(c.field), Qt::CaseInsensitive) == 0)
            column = &c;
    if (!column)
        return false;
    m_sortedColumnField = QLatin1String(column->field);
    const QString sortFields = QLatin1String(column->sortFields);
    if (sortFields != m_sortFields.trimmed())
        m_sortFields = sortFields;
    const QString searchField = QLatin1String(column->searchField);
    if (searchField != m_searchField.trimmed()) {
        m_searchField = searchField;
        buildSearchFilter();
        if (m_keepTreeFilter && !m_searchFilter.isEmpty()) {
            m_filter = groupAndSearch();
            applyNewItemsClause();
        } else if (!m_keepTreeFilter) {
            m_filter = m_searchFilter;
            applyNewItemsClause();
        }
        m_filtered = true;
    }
    return true;
}

bool BrowsingState::gridKeyPress(QChar ch, bool isPriceEditing)
{
    if (isPriceEditing)
        return false;
    const char16_t code = ch.unicode();
    if (code == 13 || code == 27 || code == u'&' || code == u'(')
        return false;
    setSearchText(QString());
    setSearchText(QString(ch));
    return true;
}

void BrowsingState::activate()
{
    // A search in effect keeps its old field until the text next changes.
    m_sortedColumnField = QStringLiteral("CODE");
    m_sortFields = kCode;
    m_searchField = kCode;
}

void BrowsingState::resetAfterReload()
{
    m_sortedColumnField = QStringLiteral("CODE");
    m_sortFields = kCode;
    m_searchField = kCode;
    setSearchText(QString());
    // The tree was rebuilt and its root selected, which stands for no group restriction.
    m_treeFilter.clear();
    m_filter.clear();
    m_filtered = true;
}
