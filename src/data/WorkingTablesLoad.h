#pragma once

#include <stdexcept>

#include <QString>

class StartupMessages;
class TableStore;

// "Price.lst" or "Class.lst" missing: the program cannot start. The start-up shows text()
// in an error box and ends the program.
class MissingWorkingTablesError : public std::runtime_error {
public:
    explicit MissingWorkingTablesError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// Loads Price (and with it fPrice), Class, Main and Doc from their working files in the
// working folder (ending with a path separator) and makes sure Zakaz exists; its rows stay.
// A "Price.lst" that cannot be loaded is replaced by an empty table; a missing "Main.lst" or
// "Doc.lst" makes both start anew from the tables as they are. Other load failures propagate.
void LoadWorkingTables(TableStore &store, const QString &workFolder, StartupMessages &messages);
