#include "xls/Cells.h"

#include "xls/XLSError.h"

#include <algorithm>

void TCell::setValue(const QString &text)
{
    if (text.size() > kMaxTextLength)
        throw EXLSError(EXLSError::InvalidCellValue);
    m_type = ValueType::Text;
    m_textIndex = tables().texts.add(text);
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
