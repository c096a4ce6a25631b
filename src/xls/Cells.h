#pragma once

#include "xls/FormatSetters.h"
#include "xls/KeyIndex.h"
#include "xls/RowsColumns.h"
#include "xls/StableList.h"
#include "xls/WorkbookTables.h"

#include <QString>
#include <algorithm>

class TCells;

// One cell: its position, its value and the index of its cell format. A cell asked for but
// never given a value or a format stays out of the sheet. A text value is kept as its entry
// in the workbook's shared-string list, so a cell stays small and holds no text of its own.
class TCell : public TFormatSetters<TCell> {
public:
    enum class ValueType : quint8 { None, Text, Integer, Float };
    static constexpr int kMaxTextLength = 65535;

    TCell(TCells *owner, int row, int column, int xf)
        : m_owner(owner), m_row(quint16(row)), m_column(quint8(column)), m_xf(quint16(xf))
    {
    }

    int row() const { return m_row; }
    int column() const { return m_column; }
    int xfIndex() const { return m_xf; }
    bool isStored() const { return m_stored; }

    ValueType valueType() const { return m_type; }
    // The text of a text cell, a null text otherwise.
    QString text() const;
    // The shared-string entry of a text cell.
    quint32 textIndex() const { return m_textIndex; }
    qint64 integer() const { return m_type == ValueType::Integer ? m_integer : qint64(m_number); }
    double number() const { return m_type == ValueType::Integer ? double(m_integer) : m_number; }

    // A text of more than 65535 characters raises EXLSError code 3.
    void setValue(const QString &text)
    {
        if (text.size() > kMaxTextLength)
            throwTooLong();
        m_type = ValueType::Text;
        m_textIndex = tables().texts.add(text);
        store();
    }
    void setValue(qint64 value)
    {
        m_type = ValueType::Integer;
        m_integer = value;
        store();
    }
    void setValue(int value) { setValue(qint64(value)); }
    void setValue(double value)
    {
        m_type = ValueType::Float;
        m_number = value;
        store();
    }

    template <class Change> void applyXF(const Change &change);
    template <class Change> void applyFont(const Change &change);

    void FormatIndex(int index);

private:
    friend class TCells;
    [[noreturn]] static void throwTooLong();
    void reset(int row, int column, int xf)
    {
        m_row = quint16(row);
        m_column = quint8(column);
        m_xf = quint16(xf);
        m_type = ValueType::None;
        m_integer = 0;
    }
    void store();
    TWorkbookTables &tables();

    TCells *m_owner;
    union {
        qint64 m_integer = 0;
        double m_number;
        quint32 m_textIndex;
    };
    quint16 m_row;
    quint8 m_column;
    ValueType m_type = ValueType::None;
    bool m_stored = false;
    // A sheet refers to cell formats by 16-bit numbers, so the index is kept in as many bits.
    quint16 m_xf;
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
    TCell &Item(int row, int column)
    {
        if (row < 0 || row > 0xFFFF || column < 0 || column > 0xFF)
            throwBadPosition();
        const quint32 key = keyOf(row, column);
        if (m_stored > 0 && key <= m_highestKey)
            return find(key, row, column);
        return fresh(row, column);
    }

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
    [[noreturn]] static void throwBadPosition();
    // A position at or below the highest stored one: the stored cell there, or a fresh one.
    TCell &find(quint32 key, int row, int column);
    // The unstored cell, at a position no stored cell has.
    TCell &fresh(int row, int column)
    {
        const int xf = startingXF(row, column);
        if (!m_cells.empty() && !m_cells.back().isStored()) {
            TCell &pending = m_cells.back();
            pending.reset(row, column, xf);
            return pending;
        }
        return m_cells.emplace_back(this, row, column, xf);
    }
    void store(TCell &cell)
    {
        cell.m_stored = true;
        ++m_stored;
        m_highestKey = std::max(m_highestKey, keyOf(cell.row(), cell.column()));
        m_firstRow = std::min(m_firstRow, cell.row());
        m_lastRow = std::max(m_lastRow, cell.row());
        m_firstColumn = std::min(m_firstColumn, cell.column());
        m_lastColumn = std::max(m_lastColumn, cell.column());
    }
    int startingXF(int row, int column) const
    {
        // Whole rows and columns are rarely formatted; skip the look-ups when none is.
        const int rowXF = m_rows.anyFormatted() ? m_rows.xfOf(row) : 0;
        const int columnXF = m_columns.anyFormatted() ? m_columns.xfOf(column) : 0;
        // A row's format is the later, more specific choice when both are set.
        return rowXF != 0 ? rowXF : columnXF;
    }

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

inline QString TCell::text() const
{
    return m_type == ValueType::Text ? m_owner->tables().texts.entry(m_textIndex).toString()
                                     : QString();
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
    m_xf = quint16(tables().xfs.Intern(record));
    store();
}

inline void TCell::FormatIndex(int index)
{
    TWorkbookTables::FormatChange &last = tables().lastFormatChange;
    if (last.from != m_xf || last.format != index) {
        const int from = m_xf;
        TFormatSetters<TCell>::FormatIndex(index);
        last = {from, index, m_xf};
        return;
    }
    if (last.to != m_xf) {
        m_xf = quint16(last.to);
        store();
    }
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
