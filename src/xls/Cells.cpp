#include "xls/Cells.h"

#include "xls/XLSError.h"

#include <algorithm>

TCell::TCell(TCells *owner, int row, int column, int xf)
    : m_owner(owner), m_row(quint16(row)), m_column(quint8(column)), m_xf(xf)
{
}

void TCell::reset(int row, int column, int xf)
{
    m_row = quint16(row);
    m_column = quint8(column);
    m_xf = xf;
    m_type = ValueType::None;
    m_integer = 0;
    if (!m_text.isNull())
        m_text = QString();
}

void TCell::setValue(const QString &text)
{
    if (text.size() > kMaxTextLength)
        throw EXLSError(EXLSError::InvalidCellValue);
    if (m_type == ValueType::Text && m_text == text && m_stored)
        return;
    m_type = ValueType::Text;
    m_text = text;
    store();
}

void TCell::setValue(qint64 value)
{
    if (m_type == ValueType::Integer && m_integer == value && m_stored)
        return;
    m_type = ValueType::Integer;
    m_integer = value;
    if (!m_text.isNull())
        m_text = QString();
    store();
}

void TCell::setValue(double value)
{
    if (m_type == ValueType::Float && m_number == value && m_stored)
        return;
    m_type = ValueType::Float;
    m_number = value;
    if (!m_text.isNull())
        m_text = QString();
    store();
}

TCell &TCells::Item(int row, int column)
{
    if (row < 0 || row > 0xFFFF || column < 0 || column > 0xFF)
        throw EXLSError(EXLSError::InvalidRowOrColumn);
    const quint32 key = keyOf(row, column);
    if (m_stored > 0 && key <= m_highestKey) {
        for (; m_indexed < m_stored; ++m_indexed) {
            const TCell &cell = m_cells[m_indexed];
            m_index.insert(keyOf(cell.row(), cell.column()), quint32(m_indexed));
        }
        const qint64 position = m_index.find(key);
        if (position >= 0)
            return m_cells[size_t(position)];
    }
    const int xf = startingXF(row, column);
    if (!m_cells.empty() && !m_cells.back().isStored()) {
        TCell &pending = m_cells.back();
        pending.reset(row, column, xf);
        return pending;
    }
    return m_cells.emplace_back(this, row, column, xf);
}

void TCells::store(TCell &cell)
{
    cell.m_stored = true;
    ++m_stored;
    m_highestKey = std::max(m_highestKey, keyOf(cell.row(), cell.column()));
    m_firstRow = std::min(m_firstRow, cell.row());
    m_lastRow = std::max(m_lastRow, cell.row());
    m_firstColumn = std::min(m_firstColumn, cell.column());
    m_lastColumn = std::max(m_lastColumn, cell.column());
}

int TCells::startingXF(int row, int column) const
{
    // Whole rows and columns are rarely formatted; skip the look-ups when none is.
    const int rowXF = m_rows.anyFormatted() ? m_rows.xfOf(row) : 0;
    const int columnXF = m_columns.anyFormatted() ? m_columns.xfOf(column) : 0;
    // A row's format is the later, more specific choice when both are set.
    return rowXF != 0 ? rowXF : columnXF;
}
