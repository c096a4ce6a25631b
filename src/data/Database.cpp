#include "data/Database.h"

#include <sqlite3.h>

#include "data/DatabaseError.h"

namespace {

// Once per process, before the engine's first use: a connection is only ever used by one
// thread at a time, and the memory statistics are not read, so neither needs the global
// locks the engine otherwise takes on every allocation. A no-op when something else in the
// process started the engine already.
void configureEngineOnce()
{
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return sqlite3_initialize() == SQLITE_OK;
    }();
    (void)configured;
}

} // namespace

Database::Database()
{
    configureEngineOnce();
    const int rc =
        sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
        sqlite3_close(m_db);
        throw DatabaseError(
            QStringLiteral("The database %1 cannot be opened: %2").arg(name(), message));
    }
    // Each table takes one attached schema, an import two more for a moment and a load one:
    // nine of the ten the engine allows.
    exec(QStringLiteral("PRAGMA temp_store=MEMORY; PRAGMA cache_size=-65536"));
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::exec(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw DatabaseError(QStringLiteral("SQL error: %1\n%2").arg(message, sql));
    }
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

bool Database::hasActiveStatements() const
{
    for (sqlite3_stmt *s = sqlite3_next_stmt(m_db, nullptr); s; s = sqlite3_next_stmt(m_db, s)) {
        if (sqlite3_stmt_busy(s))
            return true;
    }
    return false;
}

QString Database::attachMemorySchema()
{
    const QString schema = QStringLiteral("store%1").arg(++m_nextSchema);
    Statement attach = prepare(QStringLiteral("ATTACH DATABASE ':memory:' AS ") + schema);
    attach.exec();
    // Index builds keep their sort in memory up to the cache size, and larger pages make
    // them and the page copies of the working files faster (measured: 16 KiB was best).
    exec(QStringLiteral("PRAGMA %1.cache_size=-65536; PRAGMA %1.page_size=16384").arg(schema));
    return schema;
}

void Database::detachSchema(const QString &schema)
{
    Statement detach = prepare(QStringLiteral("DETACH DATABASE ") + schema);
    detach.exec();
}

QString Database::schemaOfTable(const QString &table)
{
    // Same search order as SQLite's for a name without a schema: temp, main, then attached.
    Statement schemas = prepare(QStringLiteral("PRAGMA database_list"));
    QStringList names;
    while (schemas.step())
        names << schemas.columnText(1);
    names.removeAll(QStringLiteral("temp"));
    names.prepend(QStringLiteral("temp"));
    for (const QString &schema : names) {
        Statement find = prepare(QStringLiteral("SELECT 1 FROM \"%1\".sqlite_master WHERE "
                                                "type IN ('table','view') AND name=?1 "
                                                "COLLATE NOCASE")
                                     .arg(schema));
        find.bind(1, table);
        if (find.step())
            return schema;
    }
    return {};
}
