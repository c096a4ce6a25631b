#pragma once

#include <QString>

#include <optional>

// The group and subgroup ids of a focused tree node.
struct TreeNodeIds {
    int idGroup = 0;
    int idSubGroup = 0;
};

// What the price grid shows: the filter text of Price assembled from the focused tree node,
// the search box and the two switches, and the sort key. The main window calls one handler per
// user action and then reads filter() and sortFields().
class BrowsingState {
public:
    // Focus moved in the group tree; either node may be missing.
    void treeFocusChanging(std::optional<TreeNodeIds> oldNode, std::optional<TreeNodeIds> newNode);
    // The search box text changed (typed input is upper-cased, as the box does).
    void searchTextChanged(const QString &text);
    // "Сохранять фильтр дерева" toggled.
    void keepTreeFilterToggled(bool checked);
    // "Только новинки" toggled.
    void onlyNewToggled(bool checked);
    // A title of the price grid clicked, given its column's field; false when the column does
    // not sort.
    bool titleClicked(const QString &fieldName);
    // A character typed in the price grid; true when it started a new search (the window then
    // focuses the search box with the caret after the text).
    bool gridKeyPress(QChar ch, bool isPriceEditing);
    // The main window's activation steps.
    void activate();
    // After the catalog was reloaded.
    void resetAfterReload();

    const QString &treeFilter() const { return m_treeFilter; }
    const QString &searchFilter() const { return m_searchFilter; }
    const QString &sortFields() const { return m_sortFields; }
    const QString &searchField() const { return m_searchField; }
    const QString &searchText() const { return m_searchText; }
    // The filter text of Price; an empty filter shows every row.
    const QString &filter() const { return m_filter; }
    bool filtered() const { return m_filtered; }
    bool keepTreeFilter() const { return m_keepTreeFilter; }
    bool onlyNew() const { return m_onlyNew; }
    // Field of the column whose title carries the sort marker ("CODE", "FULLNAME", ...), empty
    // before the first activation.
    const QString &sortedColumnField() const { return m_sortedColumnField; }

private:
    void setSearchText(const QString &text);
    void buildSearchFilter();
    QString groupAndSearch() const;
    void applyNewItemsClause();

    QString m_treeFilter;
    QString m_searchFilter;
    QString m_sortFields;
    QString m_searchField;
    QString m_searchText;
    QString m_filter;
    QString m_sortedColumnField;
    bool m_filtered = false;
    bool m_keepTreeFilter = false;
    bool m_onlyNew = false;
};
