#pragma once

#include "xls/Cells.h"

#include <QString>
#include <deque>
#include <vector>

struct TRangeRect {
    quint16 firstRow, lastRow;
    quint8 firstColumn, lastColumn;
};

// Rectangles of cells formatted together. A setter applies to each cell of each rectangle, in
// order: rectangles as added, rows first to last, columns first to last.
class TRange : public TFormatSetters<TRange> {
public:
    explicit TRange(TCells *cells) : m_cells(cells) {}

    // Raises EXLSError code 5 for a row outside 0 to 65535 or a column outside 0 to 255.
    void AddRect(int firstRow, int lastRow, int firstColumn, int lastColumn);
    const std::vector<TRangeRect> &rects() const { return m_rects; }

    QString name;
    bool merged = false;

    template <class Change> void applyXF(const Change &change)
    {
        forEachCell([&](TCell &cell) { cell.applyXF(change); });
    }
    template <class Change> void applyFont(const Change &change)
    {
        forEachCell([&](TCell &cell) { cell.applyFont(change); });
    }

private:
    template <class F> void forEachCell(const F &f)
    {
        for (const TRangeRect &r : m_rects) {
            if (r.lastRow < r.firstRow || r.lastColumn < r.firstColumn)
                continue;
            for (int row = r.firstRow; row <= r.lastRow; ++row)
                for (int column = r.firstColumn; column <= r.lastColumn; ++column)
                    f(m_cells->Item(row, column));
        }
    }

    TCells *m_cells;
    std::vector<TRangeRect> m_rects;
};

class TRanges {
public:
    explicit TRanges(TCells *cells) : m_cells(cells) {}
    TRange &Add() { return m_ranges.emplace_back(m_cells); }
    int Count() const { return int(m_ranges.size()); }
    TRange &Item(int index) { return m_ranges.at(size_t(index)); }

private:
    TCells *m_cells;
    std::deque<TRange> m_ranges;
};
