#include "data/Statement.h"

#include <sqlite3.h>

#include <QLocale>

#include "data/DatabaseError.h"

namespace {

const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString engineMessage(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = engineMessage(m_db);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DatabaseError(QStringLiteral("SQL error: %1\n%2").arg(message, sql));
    }
    if (!m_stmt)
        throw DatabaseError(QStringLiteral("SQL error: the text holds no statement\n%1").arg(sql));
}

Statement::Statement(Statement &&other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::check(int rc, const char *what) const
{
    if (rc != SQLITE_OK)
        throw DatabaseError(QStringLiteral("SQL error (%1): %2\n%3")
                                .arg(QLatin1String(what), engineMessage(m_db), sql()));
}

Statement &Statement::bind(int index, const QString &value)
{
    const QByteArray text = value.toUtf8();
    check(sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT),
          "bind");
    return *this;
}

Statement &Statement::bindText(int index, QStringView value)
{
    check(sqlite3_bind_text16(m_stmt, index, value.isNull() ? u"" : value.utf16(),
                              int(value.size() * 2), SQLITE_TRANSIENT),
          "bind");
    return *this;
}

Statement &Statement::bindUtf8Static(int index, const char *data, qsizetype size)
{
    check(sqlite3_bind_text(m_stmt, index, size ? data : "", int(size), SQLITE_STATIC), "bind");
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value), "bind");
    return *this;
}

Statement &Statement::bind(int index, int value)
{
    check(sqlite3_bind_int(m_stmt, index, value), "bind");
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    check(sqlite3_bind_int64(m_stmt, index, value), "bind");
    return *this;
}

Statement &Statement::bind(int index, bool value)
{
    check(sqlite3_bind_int(m_stmt, index, value ? 1 : 0), "bind");
    return *this;
}

Statement &Statement::bind(int index, const QDateTime &value)
{
    if (!value.isValid())
        return bindNull(index);
    return bind(index, QLocale::c().toString(value, kDateTimeFormat));
}

Statement &Statement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index), "bind");
    return *this;
}

Statement &Statement::bindValue(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return bind(index, value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
        return bind(index, value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
        return bind(index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(index, value.toDouble());
    case QMetaType::QDateTime:
        return bind(index, value.toDateTime());
    case QMetaType::QString:
        return bind(index, value.toString());
    default:
        throw DatabaseError(QStringLiteral("SQL error: a value of type %1 cannot be bound\n%2")
                                .arg(QLatin1String(value.typeName()), sql()));
    }
}

int Statement::parameterIndex(const QString &name) const
{
    const int index = sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
    if (index == 0)
        throw DatabaseError(
            QStringLiteral("SQL error: no parameter named %1\n%2").arg(name, sql()));
    return index;
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString message = engineMessage(m_db);
    sqlite3_reset(m_stmt);
    throw DatabaseError(QStringLiteral("SQL error: %1\n%2").arg(message, sql()));
}

void Statement::exec()
{
    while (step()) {
    }
    sqlite3_reset(m_stmt);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

void Statement::clearBindings()
{
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int Statement::columnIndex(const QString &name) const
{
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        if (QString::compare(columnName(i), name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Statement::requireColumn(const QString &name) const
{
    const int index = columnIndex(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("SQL error: no field named %1\n%2").arg(name, sql()));
    return index;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::columnText(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

double Statement::columnDouble(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

int Statement::columnInt(int column) const
{
    return sqlite3_column_int(m_stmt, column);
}

qint64 Statement::columnInt64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

bool Statement::columnBool(int column) const
{
    return sqlite3_column_int64(m_stmt, column) != 0;
}

QDateTime Statement::columnDateTime(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return QDateTime::fromSecsSinceEpoch(columnInt64(column), Qt::UTC);
    default: {
        const QString text = columnText(column);
        QDateTime value = QLocale::c().toDateTime(text, kDateTimeFormat);
        if (!value.isValid())
            value = QDateTime::fromString(text, Qt::ISODate);
        return value;
    }
    }
}

QVariant Statement::columnValue(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(columnInt64(column));
    case SQLITE_FLOAT:
        return QVariant(columnDouble(column));
    case SQLITE_TEXT:
        return QVariant(columnText(column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return {};
    }
}

QString Statement::sql() const
{
    return m_stmt ? QString::fromUtf8(sqlite3_sql(m_stmt)) : QString();
}
