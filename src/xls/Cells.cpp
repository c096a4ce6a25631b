#include "xls/Cells.h"

#include "xls/XLSError.h"

#include <algorithm>

void TCell::throwTooLong()
{
    throw EXLSError(EXLSError::InvalidCellValue);
}

void TCells::throwBadPosition()
{
    throw EXLSError(EXLSError::InvalidRowOrColumn);
}

TCell &TCells::find(quint32 key, int row, int column)
{
    for (; m_indexed < m_stored; ++m_indexed) {
        const TCell &cell = m_cells[m_indexed];
        m_index.insert(keyOf(cell.row(), cell.column()), quint32(m_indexed));
    }
    const qint64 position = m_index.find(key);
    if (position >= 0)
        return m_cells[size_t(position)];
    return fresh(row, column);
}
