#pragma once

#include <QStringList>
#include <QVariantList>

// Rows of a table as a grid sees them: the rows of the current filter and order, fetched one
// at a time when the grid paints them. Implementations hold the ordered row ids, never the
// rows themselves.
class TableRowSource {
public:
    virtual ~TableRowSource() = default;
    virtual int rowCount() const = 0;
    // The values of the given fields of row `row` (0-based in the current order).
    virtual QVariantList rowValues(int row, const QStringList &fields) const = 0;
};
