#include "data/TableStore.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Statement.h"

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

// A connection of its own to one working file.
class FileConnection {
public:
    FileConnection(const QString &path, int flags)
    {
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
            sqlite3_close(m_db);
            m_db = nullptr;
            throw WorkingFileError(
                QStringLiteral("The working file %1 cannot be opened: %2").arg(path, message));
        }
    }
    ~FileConnection() { sqlite3_close_v2(m_db); }
    FileConnection(const FileConnection &) = delete;
    FileConnection &operator=(const FileConnection &) = delete;
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};

// Copies a whole schema page by page.
void copySchema(sqlite3 *from, const QString &fromSchema, sqlite3 *to, const QString &toSchema)
{
    const QByteArray fromName = fromSchema.toUtf8();
    const QByteArray toName = toSchema.toUtf8();
    sqlite3_backup *backup =
        sqlite3_backup_init(to, toName.constData(), from, fromName.constData());
    if (!backup)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(to)));
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_errcode(to) != SQLITE_OK ? sqlite3_errcode(to) : rc;
        throw DatabaseError(QString::fromUtf8(sqlite3_errstr(code)));
    }
}

void flushToDisk(const QString &path)
{
#ifdef Q_OS_UNIX
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        ::fsync(file.handle());
#else
    Q_UNUSED(path);
#endif
}

} // namespace

TableStore::TableStore(Database &db) : m_db(db) {}

QString TableStore::schemaOf(const QString &table)
{
    const QString schema = m_db.schemaOfTable(table);
    return schema == QStringLiteral("temp") ? QString() : schema;
}

bool TableStore::exists(const QString &table)
{
    return !m_db.schemaOfTable(table).isEmpty();
}

void TableStore::create(const QString &table)
{
    const TableDef &def = CatalogTables::definition(table);
    if (exists(def.name))
        return;
    if (def.isView()) {
        create(def.viewOf);
        m_db.exec(def.createViewSql());
        return;
    }
    const QString schema = m_db.attachMemorySchema();
    try {
        m_db.exec(def.createTableSql(schema));
        ensureStructure(schema, def);
    } catch (...) {
        m_db.detachSchema(schema);
        throw;
    }
}

void TableStore::ensureStructure(const QString &schema, const TableDef &def)
{
    for (const QString &sql : def.createIndexSql(schema))
        m_db.exec(sql);
    for (const QString &sql : def.createTriggerSql(schema))
        m_db.exec(sql);
}

void TableStore::empty(const QString &table)
{
    const TableDef &def = CatalogTables::definition(table);
    if (def.isView())
        throw DatabaseError(QStringLiteral("The table %1 cannot be changed").arg(def.name));
    m_db.exec(QStringLiteral("DELETE FROM %1").arg(quoted(def.name)));
}

void TableStore::drop(const QString &table)
{
    const TableDef &def = CatalogTables::definition(table);
    if (def.isView()) {
        m_db.exec(QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(quoted(def.name)));
        return;
    }
    const QString schema = schemaOf(def.name);
    if (!schema.isEmpty())
        m_db.detachSchema(schema);
}

int TableStore::rowCount(const QString &table)
{
    Statement count = m_db.prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)));
    count.step();
    return count.columnInt(0);
}

void TableStore::writeSchemaFile(const QString &schema, const QString &filePath)
{
    WorkingFile::removeQuietly(filePath);
    try {
        FileConnection file(filePath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        // The file is temporary until renamed, so it needs no journal of its own.
        sqlite3_exec(file.handle(), "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
        copySchema(m_db.handle(), schema, file.handle(), QStringLiteral("main"));
    } catch (const std::exception &e) {
        WorkingFile::removeQuietly(filePath);
        throw WorkingFileError(QStringLiteral("The working file %1 cannot be written: %2")
                                   .arg(filePath, QString::fromUtf8(e.what())));
    }
    flushToDisk(filePath);
}

void TableStore::save(const QString &table, const QString &filePath)
{
    const TableDef &def = CatalogTables::definition(table);
    const QString schema = schemaOf(def.name);
    if (def.isView() || schema.isEmpty())
        throw DatabaseError(QStringLiteral("The table %1 cannot be saved").arg(def.name));
    const QString temporary = WorkingFile::temporaryPathFor(filePath);
    writeSchemaFile(schema, temporary);
    WorkingFile::replaceAll({{temporary, filePath}});
}

void TableStore::load(const QString &table, const QString &filePath)
{
    const TableDef &def = CatalogTables::definition(table);
    if (def.isView())
        throw DatabaseError(QStringLiteral("The table %1 cannot be loaded").arg(def.name));
    const auto refuse = [&](const QString &why) {
        return WorkingFileError(QStringLiteral("The working file %1 does not hold the table %2: %3")
                                    .arg(filePath, def.name, why));
    };
    if (!QFileInfo(filePath).isFile())
        throw WorkingFileError(QStringLiteral("The working file %1 is missing").arg(filePath));
    requireIdle(def.name);

    const QString schema = m_db.attachMemorySchema();
    try {
        {
            FileConnection file(filePath, SQLITE_OPEN_READONLY);
            // The page size of an in-memory schema can only be set while it is empty.
            sqlite3_stmt *pageSize = nullptr;
            int rc = sqlite3_prepare_v2(file.handle(), "PRAGMA page_size", -1, &pageSize, nullptr);
            if (rc == SQLITE_OK && sqlite3_step(pageSize) == SQLITE_ROW)
                m_db.exec(QStringLiteral("PRAGMA %1.page_size=%2")
                              .arg(schema)
                              .arg(sqlite3_column_int(pageSize, 0)));
            sqlite3_finalize(pageSize);
            try {
                copySchema(file.handle(), QStringLiteral("main"), m_db.handle(), schema);
            } catch (const DatabaseError &e) {
                throw refuse(e.text());
            }
        }
        Statement fields =
            m_db.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?1, ?2)"));
        fields.bind(1, def.name).bind(2, schema);
        QStringList present;
        while (fields.step())
            present << fields.columnText(0);
        if (present.isEmpty())
            throw refuse(QStringLiteral("no such table"));
        for (const FieldDef &f : def.fields) {
            if (!present.contains(f.name, Qt::CaseInsensitive))
                throw refuse(QStringLiteral("no field %1").arg(f.name));
        }
        // Walks every page of the table and of each of its indexes, so a damaged file is found
        // now and not while browsing; much cheaper than an integrity check of every row.
        checkTrees(schema, def.name, refuse);
        ensureStructure(schema, def);
    } catch (const DatabaseError &e) {
        m_db.detachSchema(schema);
        if (dynamic_cast<const WorkingFileError *>(&e))
            throw;
        throw refuse(e.text());
    } catch (...) {
        m_db.detachSchema(schema);
        throw;
    }
    const QString old = schemaOf(def.name);
    if (!old.isEmpty() && old != schema) {
        // Both schemas hold the table until the old one goes; plain names find the old first.
        m_db.detachSchema(old);
    }
}

void TableStore::requireIdle(const QString &table)
{
    if (m_db.hasActiveStatements())
        throw DatabaseError(
            QStringLiteral("The table %1 cannot be replaced while a query over the tables runs")
                .arg(table));
}

template <typename Refuse>
void TableStore::checkTrees(const QString &schema, const QString &table, const Refuse &refuse)
{
    Statement indexes = m_db.prepare(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE "
                                                    "type='index' AND tbl_name=?1 COLLATE NOCASE")
                                         .arg(quoted(schema)));
    indexes.bind(1, table);
    QStringList trees{QString()};
    while (indexes.step())
        trees << indexes.columnText(0);
    qint64 rows = -1;
    for (const QString &index : trees) {
        Statement count = m_db.prepare(
            QStringLiteral("SELECT count(*) FROM %1.%2%3")
                .arg(quoted(schema), quoted(table),
                     index.isEmpty() ? QString() : QStringLiteral(" INDEXED BY ") + quoted(index)));
        count.step();
        const qint64 n = count.columnInt64(0);
        if (rows >= 0 && n != rows)
            throw refuse(QStringLiteral("the index %1 does not match the rows").arg(index));
        rows = n;
    }
}

QString TableStore::beginStaging(const QString &table)
{
    const TableDef &def = CatalogTables::definition(table);
    const QString schema = m_db.attachMemorySchema();
    try {
        m_db.exec(def.createTableSql(schema));
    } catch (...) {
        m_db.detachSchema(schema);
        throw;
    }
    return schema;
}

void TableStore::completeStaging(const QString &schema, const QString &table)
{
    ensureStructure(schema, CatalogTables::definition(table));
}

void TableStore::installStaging(const QString &schema, const QString &table)
{
    const TableDef &def = CatalogTables::definition(table);
    Statement schemas = m_db.prepare(QStringLiteral("PRAGMA database_list"));
    QStringList others;
    while (schemas.step()) {
        const QString name = schemas.columnText(1);
        if (name != schema && name != QStringLiteral("temp"))
            others << name;
    }
    schemas.reset();
    for (const QString &other : others) {
        Statement find = m_db.prepare(
            QStringLiteral("SELECT 1 FROM %1.sqlite_master WHERE type='table' AND name=?1 "
                           "COLLATE NOCASE")
                .arg(quoted(other)));
        find.bind(1, def.name);
        if (find.step()) {
            find.reset();
            m_db.detachSchema(other);
        }
    }
}

void TableStore::discardStaging(const QString &schema)
{
    m_db.detachSchema(schema);
}
