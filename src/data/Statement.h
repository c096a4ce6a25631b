#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQL statement. Values are always bound, never pasted into the text.
// Parameter indexes count from 1 (SQLite's rule), column indexes from 0. Column names are
// matched without regard to letter case.
//
//   Statement q = db.prepare(u"select * from price where id=:id"_s);
//   q.bind(u":id"_s, 42);
//   while (q.step())
//       name = q.columnText(u"FULLNAME"_s);
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql);
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    Statement &bind(int index, const QString &value);
    Statement &bind(int index, const char16_t *value)
    {
        return bind(index, QString::fromUtf16(value));
    }
    // 8-bit literals would silently bind as bool.
    Statement &bind(int index, const char *value) = delete;
    Statement &bind(int index, double value);
    Statement &bind(int index, int value);
    Statement &bind(int index, qint64 value);
    Statement &bind(int index, bool value);
    // Stored as text "yyyy-MM-dd hh:mm:ss" (to the second), which also sorts by time.
    Statement &bind(int index, const QDateTime &value);
    // Binds the characters without a copy of ours (the engine takes its own).
    Statement &bindText(int index, QStringView value);
    // UTF-8 bytes the caller keeps unchanged until the statement has run (no copy at all).
    Statement &bindUtf8Static(int index, const char *data, qsizetype size);
    Statement &bindNull(int index);
    // Null, bool, int, qint64, double, QString or QDateTime.
    Statement &bindValue(int index, const QVariant &value);
    // Named parameters (":id"); an unknown name is an error.
    template <typename T> Statement &bind(const QString &name, const T &value)
    {
        return bind(parameterIndex(name), value);
    }
    Statement &bindValue(const QString &name, const QVariant &value)
    {
        return bindValue(parameterIndex(name), value);
    }
    int parameterIndex(const QString &name) const;
    int parameterCount() const;

    // Runs to the next row: true when a row is there, false when the statement is done.
    bool step();
    // Runs to the end (statements that return no rows).
    void exec();
    // Ready to run again; bindings stay until clearBindings().
    void reset();
    void clearBindings();

    int columnCount() const;
    QString columnName(int column) const;
    // -1 when the result has no such column.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }

    bool isNull(int column) const;
    QString columnText(int column) const;
    double columnDouble(int column) const;
    int columnInt(int column) const;
    qint64 columnInt64(int column) const;
    bool columnBool(int column) const;
    // Reads the text form written by bind(QDateTime) or seconds since 1970 (UTC).
    QDateTime columnDateTime(int column) const;
    QVariant columnValue(int column) const;

    bool isNull(const QString &name) const { return isNull(requireColumn(name)); }
    QString columnText(const QString &name) const { return columnText(requireColumn(name)); }
    double columnDouble(const QString &name) const { return columnDouble(requireColumn(name)); }
    int columnInt(const QString &name) const { return columnInt(requireColumn(name)); }
    qint64 columnInt64(const QString &name) const { return columnInt64(requireColumn(name)); }
    bool columnBool(const QString &name) const { return columnBool(requireColumn(name)); }
    QDateTime columnDateTime(const QString &name) const
    {
        return columnDateTime(requireColumn(name));
    }
    QVariant columnValue(const QString &name) const { return columnValue(requireColumn(name)); }

    sqlite3_stmt *handle() const { return m_stmt; }
    QString sql() const;

private:
    int requireColumn(const QString &name) const;
    void check(int rc, const char *what) const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};
