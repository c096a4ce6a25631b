#pragma once

#include "xls/Sheet.h"
#include "xls/WorkbookTables.h"

#include <QStringList>
#include <vector>

// The references from the workbook to its own sheets, which EXTERNSHEET lists.
class TXLSLinkTable {
public:
    struct SheetRef {
        quint16 supportingBook, firstSheet, lastSheet;
        bool operator==(const SheetRef &) const = default;
    };

    void clear();
    void addSheet(const QString &name, int index);
    const QStringList &sheetNames() const { return m_sheetNames; }
    const std::vector<SheetRef> &references() const { return m_references; }

private:
    QStringList m_sheetNames;
    std::vector<SheetRef> m_references;
};

class TWorkbook {
public:
    // A workbook of sheetCount sheets named "Sheet1", "Sheet2", ...
    explicit TWorkbook(int sheetCount, const TDisplayMetrics &metrics = TDisplayMetrics::setA());
    TWorkbook(const TWorkbook &) = delete;
    TWorkbook &operator=(const TWorkbook &) = delete;

    TSheets &Sheets() { return m_sheets; }
    const TSheets &Sheets() const { return m_sheets; }
    TFormatStrings &FormatStrings() { return m_tables.formats; }
    const TFormatStrings &FormatStrings() const { return m_tables.formats; }
    const TVirtualFontTable &FontTable() const { return m_tables.fonts; }
    const TVirtualXFTable &XFTable() const { return m_tables.xfs; }
    const TDisplayMetrics &metrics() const { return m_tables.metrics; }
    TXLSLinkTable &LinkTable() { return m_linkTable; }

    quint16 protectionHash = 0;

private:
    TWorkbookTables m_tables;
    TSheets m_sheets;
    TXLSLinkTable m_linkTable;
};
