#include "xls/Sheet.h"

#include "xls/XLSError.h"

#include <stdexcept>

TSheet::TSheet(TSheets *owner, TWorkbookTables &tables, QString name)
    : m_owner(owner), m_name(std::move(name)), m_rows(&tables.metrics), m_columns(&tables.metrics),
      m_cells(tables, m_rows, m_columns), m_ranges(&m_cells)
{
}

void TSheet::setName(const QString &name)
{
    m_owner->checkName(name, this);
    m_name = name;
}

int TSheet::index() const
{
    return m_owner->indexOf(this);
}

TSheet &TSheets::Add(const QString &name)
{
    checkName(name, nullptr);
    m_sheets.push_back(std::make_unique<TSheet>(this, m_tables, name));
    return *m_sheets.back();
}

TSheet &TSheets::Item(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("sheet index out of range");
    return *m_sheets[size_t(index)];
}

const TSheet &TSheets::Item(int index) const
{
    return const_cast<TSheets *>(this)->Item(index);
}

int TSheets::indexOf(const TSheet *sheet) const
{
    for (size_t i = 0; i < m_sheets.size(); ++i)
        if (m_sheets[i].get() == sheet)
            return int(i);
    return -1;
}

void TSheets::checkName(const QString &name, const TSheet *sheet) const
{
    if (name.isEmpty() || name.size() > 255)
        throw EXLSError(EXLSError::SheetNameLength);
    if (name.trimmed().isEmpty())
        throw EXLSError(EXLSError::InvalidSheetName);
    // Spreadsheet programs tell sheets apart without regard to letter case.
    for (const auto &other : m_sheets)
        if (other.get() != sheet && other->name().compare(name, Qt::CaseInsensitive) == 0)
            throw EXLSError(EXLSError::InvalidSheetName);
}
