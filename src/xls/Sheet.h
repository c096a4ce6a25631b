#pragma once

#include "xls/Cells.h"
#include "xls/PageSetup.h"
#include "xls/Ranges.h"
#include "xls/RowsColumns.h"

#include <QString>
#include <memory>
#include <vector>

class TSheets;

class TSheet {
public:
    TSheet(TSheets *owner, TWorkbookTables &tables, QString name);
    TSheet(const TSheet &) = delete;
    TSheet &operator=(const TSheet &) = delete;

    const QString &name() const { return m_name; }
    // Raises EXLSError code 7 for an empty or too long name, 6 for a blank or used one.
    void setName(const QString &name);
    int index() const;

    TCells &Cells() { return m_cells; }
    const TCells &Cells() const { return m_cells; }
    TRows &Rows() { return m_rows; }
    const TRows &Rows() const { return m_rows; }
    TColumns &Columns() { return m_columns; }
    const TColumns &Columns() const { return m_columns; }
    TRanges &Ranges() { return m_ranges; }
    TPageSetup &PageSetup() { return m_pageSetup; }
    const TPageSetup &PageSetup() const { return m_pageSetup; }

    bool visible = true;
    bool showGridLines = true;
    bool rightToLeft = false;
    bool showHeaders = true;
    bool showZeros = true;
    int zoom = 100;
    bool pageBreakPreview = false;
    quint16 protectionHash = 0;

private:
    TSheets *m_owner;
    QString m_name;
    TRows m_rows;
    TColumns m_columns;
    TCells m_cells;
    TRanges m_ranges;
    TPageSetup m_pageSetup;
};

class TSheets {
public:
    explicit TSheets(TWorkbookTables &tables) : m_tables(tables) {}

    // Raises EXLSError code 7 or 6 for an unusable name (see TSheet::setName).
    TSheet &Add(const QString &name);
    // Raises std::out_of_range outside 0 to Count() - 1.
    TSheet &Item(int index);
    const TSheet &Item(int index) const;
    int Count() const { return int(m_sheets.size()); }
    int indexOf(const TSheet *sheet) const;

    // Throws when the name cannot be given to that sheet (nullptr: to a new one).
    void checkName(const QString &name, const TSheet *sheet) const;

private:
    TWorkbookTables &m_tables;
    std::vector<std::unique_ptr<TSheet>> m_sheets;
};
