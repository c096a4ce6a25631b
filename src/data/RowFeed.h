#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>
#include <string_view>

class Database;
struct sqlite3_context;

// Rows of ours that the engine reads as a table, so that many rows go into a table by one
// "INSERT INTO ... SELECT ... FROM <name>" instead of one statement run per row. The rows are
// read once, front to back; the table exists while the feed does.
class RowFeed {
public:
    // One column of the current row, as the engine is to see it.
    class Value {
    public:
        explicit Value(sqlite3_context *context) : m_context(context) {}
        void setInt(qint64 value);
        void setReal(double value);
        // The characters must stay as they are until the statement has finished.
        void setUtf8(std::string_view text);

    private:
        sqlite3_context *m_context;
    };

    class Source {
    public:
        virtual ~Source() = default;
        // Moves to the next row (the first at the first call); false past the last one.
        virtual bool next() = 0;
        virtual void column(int index, Value &value) const = 0;
    };

    RowFeed(Database &db, const QString &name, const QStringList &columns, Source &source);
    ~RowFeed();
    RowFeed(const RowFeed &) = delete;
    RowFeed &operator=(const RowFeed &) = delete;

    struct Module;

private:
    Database &m_db;
    QByteArray m_name;
    std::unique_ptr<Module> m_module;
};
