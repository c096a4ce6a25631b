#pragma once

#include "xls/FormatSetters.h"
#include "xls/KeyIndex.h"
#include "xls/RowsColumns.h"
#include "xls/StableList.h"
#include "xls/WorkbookTables.h"

#include <QString>

class TCells;

// One cell: its position, its value and the index of its cell format. A cell asked for but
// never given a value or a format stays out of the sheet.
class TCell : public TFormatSetters<TCell> {
public:
    enum class ValueType : quint8 { None, Text, Integer, Float };
    static constexpr int kMaxTextLength = 65535;

    TCell(TCells *owner, int row, int column, int xf);

    int row() const { return m_row; }
    int column() const { return m_column; }
    int xfIndex() const { return m_xf; }
    bool isStored() const { return m_stored; }

    ValueType valueType() const { return m_type; }
    const QString &text() const { return m_text; }
    qint64 integer() const { return m_type == ValueType::Integer ? m_integer : qint64(m_number); }
    double number() const { return m_type == ValueType::Integer ? double(m_integer) : m_number; }

    // A text of more than 65535 characters raises EXLSError code 3.
    void setValue(const QString &text);
    void setValue(qint64 value);
    void setValue(int value) { setValue(qint64(value)); }
    void setValue(double value);

    template <class Change> void applyXF(const Change &change);
    template <class Change> void applyFont(const Change &change);

private:
    friend class TCells;
    void reset(int row, int column, int xf);
    void store();
    TWorkbookTables &tables();

    TCells *m_owner;
    QString m_text;
    union {
        qint64 m_integer = 0;
        double m_number;
    };
    quint16 m_row;
    quint8 m_column;
    ValueType m_type = ValueType::None;
    bool m_stored = false;
    int m_xf;
};

// The cells of a sheet, in the order they were stored (the order they are written in), found
// by a hash of (row, column).
class TCells {
public:
    TCells(TWorkbookTables &tables, TRows &rows, TColumns &columns)
        : m_tables(tables), m_rows(rows), m_columns(columns)
    {
    }

    // The stored cell, or a new unstored one; only one unstored cell exists at a time, so
    // asking for another new position discards the previous one. Raises EXLSError code 5 for
    // a row outside 0 to 65535 or a column outside 0 to 255.
    TCell &Item(int row, int column);

    int Count() const
    {
        const qsizetype n = qsizetype(m_cells.size());
        return int(n > 0 && !m_cells.back().isStored() ? n - 1 : n);
    }
    // Stored cell by storage position.
    const TCell &At(int position) const { return m_cells[size_t(position)]; }

    TWorkbookTables &tables() { return m_tables; }

    // The smallest and largest row and column of the stored cells (when Count() > 0).
    int firstRow() const { return m_firstRow; }
    int lastRow() const { return m_lastRow; }
    int firstColumn() const { return m_firstColumn; }
    int lastColumn() const { return m_lastColumn; }

private:
    friend class TCell;
    static quint32 keyOf(int row, int column) { return (quint32(row) << 8) | quint32(column); }
    void store(TCell &cell);
    int startingXF(int row, int column) const;

    TWorkbookTables &m_tables;
    TRows &m_rows;
    TColumns &m_columns;
    StableList<TCell> m_cells;
    // Cells are mostly stored in increasing (row, column) order, and a position past the
    // highest stored one cannot be stored yet, so the index is brought up to date only when a
    // position at or below that highest one is asked for.
    KeyIndex m_index;
    size_t m_indexed = 0;
    size_t m_stored = 0;
    quint32 m_highestKey = 0;
    int m_firstRow = 0xFFFF, m_lastRow = 0, m_firstColumn = 0xFF, m_lastColumn = 0;
};

inline TWorkbookTables &TCell::tables()
{
    return m_owner->tables();
}

inline void TCell::store()
{
    if (!m_stored)
        m_owner->store(*this);
}

template <class Change> void TCell::applyXF(const Change &change)
{
    TXFRecord record = tables().xfs.Item(m_xf);
    if (!change(record))
        return;
    m_xf = tables().xfs.Intern(record);
    store();
}

template <class Change> void TCell::applyFont(const Change &change)
{
    TWorkbookTables &t = tables();
    TFontRecord font = t.fonts.Item(t.xfs.Item(m_xf).font);
    if (!change(font))
        return;
    const int fontIndex = t.fonts.Intern(font);
    applyXF([fontIndex](TXFRecord &r) { return set(r.font, fontIndex); });
    store();
}
