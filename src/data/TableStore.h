#pragma once

#include <QString>

#include "data/WorkingFile.h"

class Database;
struct TableDef;

// The tables of the database by name: whether they exist, creating, emptying, saving to and
// loading from their working files.
//
// Each table lives in an in-memory schema of its own, attached to the one connection, so SQL
// reaches it by its plain name ("select * from price") and a working file is a page copy of
// that schema: saving and loading 100 000 products takes milliseconds and keeps the indexes.
// A working file is an SQLite database holding the table, its indexes and its triggers.
class TableStore {
public:
    explicit TableStore(Database &db);

    Database &database() { return m_db; }

    // Names in any letter case.
    bool exists(const QString &table);
    // Creates the table with its indexes unless it exists. fPrice is a view of Price.
    void create(const QString &table);
    // All rows removed, the table kept.
    void empty(const QString &table);
    void drop(const QString &table);
    int rowCount(const QString &table);

    // Writes the table to the file: a temporary file in the same folder renamed over the old
    // one, so a crash or a full disk never leaves a half-written file.
    void save(const QString &table, const QString &filePath);
    // Replaces the table in memory by the one the file holds. The file must be an SQLite
    // database holding the table with every field; otherwise a WorkingFileError, and the
    // table in memory stays as it was.
    void load(const QString &table, const QString &filePath);

    // For building a table apart and swapping it in at once (the import):
    // a new schema holding the bare table (row key only, no secondary indexes or triggers).
    QString beginStaging(const QString &table);
    // Adds the indexes and triggers, after the rows, which is faster than keeping them.
    void completeStaging(const QString &schema, const QString &table);
    // Writes the schema to a file as it stands (no rename).
    void writeSchemaFile(const QString &schema, const QString &filePath);
    // The staged table becomes the table; the old one is dropped.
    void installStaging(const QString &schema, const QString &table);
    void discardStaging(const QString &schema);

    // Raises a DatabaseError while a statement is stepping: a table cannot be swapped under it.
    void requireIdle(const QString &table);

    // Schema of a table created by this store, or empty.
    QString schemaOf(const QString &table);

private:
    void ensureStructure(const QString &schema, const TableDef &def);
    template <typename Refuse>
    void checkTrees(const QString &schema, const QString &table, const Refuse &refuse);

    Database &m_db;
};
