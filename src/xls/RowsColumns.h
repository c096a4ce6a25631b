#pragma once

#include "xls/DisplayMetrics.h"
#include "xls/KeyIndex.h"

#include <deque>

class TCustomRowCols;

// A row or a column item: its default format and its size. It becomes part of the sheet when
// its size or format is first set.
class TCustomRowCol {
public:
    int index() const { return m_index; }
    int xfIndex() const { return m_xf; }
    int outlineLevel() const { return m_outlineLevel; }
    int sizePixels() const { return m_sizePixels; }
    // Points for a row, characters for a column.
    double size() const { return m_size; }
    bool sizeSet() const { return m_sizeSet; }
    bool isStored() const { return m_stored; }

    void setXFIndex(int xf);
    void setOutlineLevel(int level);

protected:
    TCustomRowCol(TCustomRowCols *owner, int index);
    void setSizePixels(int px);

private:
    friend class TCustomRowCols;
    void reset(int index);

    TCustomRowCols *m_owner;
    int m_index;
    int m_xf = 0;
    int m_outlineLevel = 0;
    int m_sizePixels = 0;
    double m_size = 0;
    bool m_sizeSet = false;
    bool m_stored = false;
};

class TRow : public TCustomRowCol {
public:
    TRow(TCustomRowCols *owner, int index) : TCustomRowCol(owner, index) {}
    void HeightPixels(int px) { setSizePixels(px); }
};

class TColumn : public TCustomRowCol {
public:
    TColumn(TCustomRowCols *owner, int index) : TCustomRowCol(owner, index) {}
    void WidthPixels(int px) { setSizePixels(px); }
};

// Rows or columns of a sheet, kept in the order they were stored, found by index.
class TCustomRowCols {
public:
    TCustomRowCols(const TDisplayMetrics *metrics, bool rows) : m_metrics(metrics), m_rows(rows) {}
    virtual ~TCustomRowCols() = default;

    int defaultSizePixels() const
    {
        return m_rows ? m_metrics->defaultRowHeight : m_metrics->defaultColumnWidth;
    }
    double pixelsToSize(int px) const
    {
        return m_rows ? m_metrics->rowPixelsToPoints(px) : m_metrics->columnPixelsToCharacters(px);
    }
    // The XF of the stored item with that index, 0 when there is none.
    int xfOf(int index) const;
    bool anyFormatted() const { return m_anyFormatted; }

protected:
    virtual TCustomRowCol &slot(qsizetype position) = 0;
    virtual qsizetype slotCount() const = 0;
    virtual TCustomRowCol &appendSlot(int index) = 0;
    TCustomRowCol &find(int index);

private:
    friend class TCustomRowCol;
    void store(TCustomRowCol &item);

    const TDisplayMetrics *m_metrics;
    bool m_rows;
    bool m_anyFormatted = false;
    KeyIndex m_index;
};

template <class Item> class TRowColList : public TCustomRowCols {
public:
    using TCustomRowCols::TCustomRowCols;

    // Stored items, in storage order.
    int Count() const
    {
        const qsizetype n = qsizetype(m_items.size());
        return int(n > 0 && !m_items.back().isStored() ? n - 1 : n);
    }
    const Item &At(int position) const { return m_items[size_t(position)]; }

protected:
    Item &findItem(int index) { return static_cast<Item &>(find(index)); }
    TCustomRowCol &slot(qsizetype position) override { return m_items[size_t(position)]; }
    qsizetype slotCount() const override { return qsizetype(m_items.size()); }
    TCustomRowCol &appendSlot(int index) override { return m_items.emplace_back(this, index); }

private:
    std::deque<Item> m_items;
};

class TRows : public TRowColList<TRow> {
public:
    explicit TRows(const TDisplayMetrics *metrics) : TRowColList<TRow>(metrics, true) {}
    // Raises EXLSError code 5 outside 0 to 65535.
    TRow &Item(int row);
};

class TColumns : public TRowColList<TColumn> {
public:
    explicit TColumns(const TDisplayMetrics *metrics) : TRowColList<TColumn>(metrics, false) {}
    // Raises EXLSError code 5 outside 0 to 255.
    TColumn &Item(int column);
};
