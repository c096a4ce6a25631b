#pragma once

#include "xls/Workbook.h"

#include <QString>
#include <functional>

// An Excel 97-2003 workbook document: one workbook of one sheet "Sheet1", saved by SaveAs.
class TXLSFile {
public:
    explicit TXLSFile(const TDisplayMetrics &metrics = TDisplayMetrics::setA());

    TWorkbook &Workbook() { return m_workbook; }
    const TWorkbook &Workbook() const { return m_workbook; }

    // Writes the workbook as an .xls file, replacing the file completely; on failure
    // (EXLSError, ECFileError) nothing is left under the file name.
    void SaveAs(const QString &fileName);

    // Keeps the writer from writing its 21 built-in XF records.
    bool NoBuiltInXF = false;
    // Called with the progress of a save, 0 to 1.
    std::function<void(double)> OnProgress;

private:
    TWorkbook m_workbook;
};
