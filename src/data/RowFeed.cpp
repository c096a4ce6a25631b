#include "data/RowFeed.h"

#include <sqlite3.h>

#include <cstring>

#include "data/Database.h"
#include "data/DatabaseError.h"

struct RowFeed::Module {
    QByteArray declaration; // CREATE TABLE x(...)
    Source *source = nullptr;
    bool read = false; // the rows can be read once only
};

namespace {

struct FeedTable {
    sqlite3_vtab base{};
    RowFeed::Module *module = nullptr;
};

struct FeedCursor {
    sqlite3_vtab_cursor base{};
    RowFeed::Module *module = nullptr;
    sqlite3_int64 row = 0;
    bool atEnd = true;
};

int feedConnect(sqlite3 *db, void *aux, int, const char *const *, sqlite3_vtab **table, char **)
{
    auto *module = static_cast<RowFeed::Module *>(aux);
    const int rc = sqlite3_declare_vtab(db, module->declaration.constData());
    if (rc != SQLITE_OK)
        return rc;
    auto *t = new FeedTable;
    t->module = module;
    *table = &t->base;
    return SQLITE_OK;
}

int feedDisconnect(sqlite3_vtab *table)
{
    delete reinterpret_cast<FeedTable *>(table);
    return SQLITE_OK;
}

int feedBestIndex(sqlite3_vtab *, sqlite3_index_info *info)
{
    info->estimatedCost = 1e6;
    info->estimatedRows = 100000;
    return SQLITE_OK;
}

int feedOpen(sqlite3_vtab *table, sqlite3_vtab_cursor **cursor)
{
    auto *c = new FeedCursor;
    c->module = reinterpret_cast<FeedTable *>(table)->module;
    *cursor = &c->base;
    return SQLITE_OK;
}

int feedClose(sqlite3_vtab_cursor *cursor)
{
    delete reinterpret_cast<FeedCursor *>(cursor);
    return SQLITE_OK;
}

int feedFilter(sqlite3_vtab_cursor *cursor, int, const char *, int, sqlite3_value **)
{
    auto *c = reinterpret_cast<FeedCursor *>(cursor);
    if (c->module->read) {
        cursor->pVtab->zErrMsg = sqlite3_mprintf("the rows of a feed can be read once only");
        return SQLITE_ERROR;
    }
    c->module->read = true;
    c->row = 0;
    c->atEnd = !c->module->source->next();
    return SQLITE_OK;
}

int feedNext(sqlite3_vtab_cursor *cursor)
{
    auto *c = reinterpret_cast<FeedCursor *>(cursor);
    ++c->row;
    c->atEnd = !c->module->source->next();
    return SQLITE_OK;
}

int feedEof(sqlite3_vtab_cursor *cursor)
{
    return reinterpret_cast<FeedCursor *>(cursor)->atEnd ? 1 : 0;
}

int feedColumn(sqlite3_vtab_cursor *cursor, sqlite3_context *context, int index)
{
    auto *c = reinterpret_cast<FeedCursor *>(cursor);
    RowFeed::Value value = RowFeed::Value(context);
    c->module->source->column(index, value);
    return SQLITE_OK;
}

int feedRowid(sqlite3_vtab_cursor *cursor, sqlite3_int64 *rowid)
{
    *rowid = reinterpret_cast<FeedCursor *>(cursor)->row;
    return SQLITE_OK;
}

// The engine may call a table's disconnect method after the module was dropped (it unlocks
// tables lazily), so the methods outlive every feed; only the connect method reads the feed.
const sqlite3_module &feedMethods()
{
    static const sqlite3_module methods = [] {
        sqlite3_module m{};
        m.iVersion = 1;
        m.xCreate = nullptr; // only under its own name, never by CREATE VIRTUAL TABLE
        m.xConnect = feedConnect;
        m.xBestIndex = feedBestIndex;
        m.xDisconnect = feedDisconnect;
        m.xDestroy = feedDisconnect;
        m.xOpen = feedOpen;
        m.xClose = feedClose;
        m.xFilter = feedFilter;
        m.xNext = feedNext;
        m.xEof = feedEof;
        m.xColumn = feedColumn;
        m.xRowid = feedRowid;
        return m;
    }();
    return methods;
}

} // namespace

void RowFeed::Value::setInt(qint64 value)
{
    sqlite3_result_int64(m_context, value);
}

void RowFeed::Value::setReal(double value)
{
    sqlite3_result_double(m_context, value);
}

void RowFeed::Value::setUtf8(std::string_view text)
{
    sqlite3_result_text(m_context, text.data(), int(text.size()), SQLITE_STATIC);
}

RowFeed::RowFeed(Database &db, const QString &name, const QStringList &columns, Source &source)
    : m_db(db), m_name(name.toUtf8()), m_module(std::make_unique<Module>())
{
    QStringList quoted;
    for (const QString &column : columns)
        quoted << u'"' + column + u'"';
    m_module->declaration = "CREATE TABLE x(" + quoted.join(u',').toUtf8() + ')';
    m_module->source = &source;
    const int rc = sqlite3_create_module_v2(db.handle(), m_name.constData(), &feedMethods(),
                                            m_module.get(), nullptr);
    if (rc != SQLITE_OK)
        throw DatabaseError(QStringLiteral("The rows cannot be handed to the database: %1")
                                .arg(QString::fromUtf8(sqlite3_errmsg(db.handle()))));
}

RowFeed::~RowFeed()
{
    // A module given again without methods is removed, with the tables made from it.
    sqlite3_create_module_v2(m_db.handle(), m_name.constData(), nullptr, nullptr, nullptr);
}
