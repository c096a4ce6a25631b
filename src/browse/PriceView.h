#pragma once

#include "browse/PriceRow.h"

#include <QString>

#include <optional>
#include <vector>

class Database;

// The rows of Price the price grid shows: the ordered list of row IDs for the current filter
// text and sort key (ties in ID order), recomputed only when either changes. Rows are fetched
// by ID when the grid paints them; the current row is kept by ID while it stays visible.
class PriceView {
public:
    explicit PriceView(Database &db);

    // The filter text (empty or not filtered: every row) and the sort key ("code",
    // "fullname_ind", "articul_ind", "koltek", "cena"; anything else sorts by code). Returns
    // true when the list was recomputed.
    bool apply(const QString &filter, bool filtered, const QString &sortFields);
    // Recomputes whatever the filter (after the catalog was reloaded).
    void reload();

    const std::vector<int> &ids() const { return m_ids; }
    int rowCount() const { return int(m_ids.size()); }
    // Position of a row ID in the list, or -1.
    int indexOfId(int id) const;

    // The current row's ID; 0 when the list is empty.
    int currentId() const { return m_currentId; }
    void setCurrentId(int id);
    int currentIndex() const { return indexOfId(m_currentId); }

    std::optional<PriceRow> row(int id) const;
    std::optional<PriceRow> currentRow() const;

private:
    void recompute();

    Database &m_db;
    QString m_filter;
    QString m_sortKey;
    bool m_computed = false;
    std::vector<int> m_ids;
    int m_currentId = 0;
};
