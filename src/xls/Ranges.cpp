#include "xls/Ranges.h"

#include "xls/XLSError.h"

void TRange::AddRect(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    for (int row : {firstRow, lastRow})
        if (row < 0 || row > 0xFFFF)
            throw EXLSError(EXLSError::InvalidRowOrColumn);
    for (int column : {firstColumn, lastColumn})
        if (column < 0 || column > 0xFF)
            throw EXLSError(EXLSError::InvalidRowOrColumn);
    m_rects.push_back(
        {quint16(firstRow), quint16(lastRow), quint8(firstColumn), quint8(lastColumn)});
}
