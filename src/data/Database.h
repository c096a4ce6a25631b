#pragma once

#include <QString>

#include "data/Statement.h"

struct sqlite3;

// The program's in-memory database "MEMORY": one SQLite connection that lives as long as the
// main window. Tables saved to working files each live in an attached in-memory schema of
// their own (see TableStore), so SQL names them without a schema prefix, and table and field
// names are matched without regard to letter case, as SQLite does.
class Database {
public:
    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    static QString name() { return QStringLiteral("MEMORY"); }

    // Statements without parameters, several separated by ";".
    void exec(const QString &sql);
    Statement prepare(const QString &sql) { return Statement(m_db, sql); }

    qint64 lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;
    // A statement stepped but not yet reset or done holds its schema: such a schema cannot be
    // replaced (import, load) until the statement is reset.
    bool hasActiveStatements() const;

    // Attaches a new empty in-memory schema and returns its name.
    QString attachMemorySchema();
    void detachSchema(const QString &schema);
    // The schema holding a table or view of that name (any letter case), or empty.
    QString schemaOfTable(const QString &table);

    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    int m_nextSchema = 0;
};
