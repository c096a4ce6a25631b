#include "xls/XLSFile.h"

#include "xls/XLSWriter.h"

TXLSFile::TXLSFile(const TDisplayMetrics &metrics) : m_workbook(1, metrics) {}

void TXLSFile::SaveAs(const QString &fileName)
{
    TXLSWriter writer(*this);
    writer.Save(fileName);
}
