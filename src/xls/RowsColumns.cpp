#include "xls/RowsColumns.h"

#include "xls/XLSError.h"

TCustomRowCol::TCustomRowCol(TCustomRowCols *owner, int index) : m_owner(owner), m_index(index)
{
    reset(index);
}

void TCustomRowCol::reset(int index)
{
    m_index = index;
    m_xf = 0;
    m_outlineLevel = 0;
    m_sizePixels = m_owner->defaultSizePixels();
    m_size = m_owner->pixelsToSize(m_sizePixels);
    m_sizeSet = false;
}

void TCustomRowCol::setSizePixels(int px)
{
    if (px < 0)
        throw EXLSError(EXLSError::InvalidCellProperty);
    if (px == m_sizePixels)
        return;
    m_sizePixels = px;
    m_size = m_owner->pixelsToSize(px);
    m_sizeSet = true;
    m_owner->store(*this);
}

void TCustomRowCol::setXFIndex(int xf)
{
    if (xf == m_xf)
        return;
    m_xf = xf;
    m_owner->store(*this);
}

void TCustomRowCol::setOutlineLevel(int level)
{
    if (level < 0 || level > 7)
        throw EXLSError(EXLSError::InvalidCellProperty);
    if (level == m_outlineLevel)
        return;
    m_outlineLevel = level;
    m_owner->store(*this);
}

int TCustomRowCols::xfOf(int index) const
{
    const qint64 position = m_index.find(quint32(index));
    return position < 0 ? 0 : const_cast<TCustomRowCols *>(this)->slot(position).xfIndex();
}

TCustomRowCol &TCustomRowCols::find(int index)
{
    const qint64 position = m_index.find(quint32(index));
    if (position >= 0)
        return slot(position);
    // At most one item waits unstored, always the last; asking for another new one reuses it.
    const qsizetype n = slotCount();
    if (n > 0 && !slot(n - 1).isStored()) {
        TCustomRowCol &pending = slot(n - 1);
        if (pending.index() != index)
            pending.reset(index);
        return pending;
    }
    return appendSlot(index);
}

void TCustomRowCols::store(TCustomRowCol &item)
{
    if (item.m_xf != 0)
        m_anyFormatted = true;
    if (item.m_stored)
        return;
    item.m_stored = true;
    m_index.insert(quint32(item.index()), quint32(slotCount() - 1));
}

TRow &TRows::Item(int row)
{
    if (row < 0 || row > 0xFFFF)
        throw EXLSError(EXLSError::InvalidRowOrColumn);
    return findItem(row);
}

TColumn &TColumns::Item(int column)
{
    if (column < 0 || column > 0xFF)
        throw EXLSError(EXLSError::InvalidRowOrColumn);
    return findItem(column);
}
