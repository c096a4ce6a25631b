#include "xls/Workbook.h"

#include <algorithm>

void TXLSLinkTable::clear()
{
    m_sheetNames.clear();
    m_references.clear();
}

void TXLSLinkTable::addSheet(const QString &name, int index)
{
    if (!m_sheetNames.contains(name))
        m_sheetNames << name;
    const SheetRef ref{0, quint16(index), quint16(index)};
    if (std::find(m_references.begin(), m_references.end(), ref) == m_references.end())
        m_references.push_back(ref);
}

TWorkbook::TWorkbook(int sheetCount, const TDisplayMetrics &metrics) : m_sheets(m_tables)
{
    m_tables.metrics = metrics;
    for (int i = 1; i <= sheetCount; ++i)
        m_sheets.Add(QStringLiteral("Sheet") + QString::number(i));
}
