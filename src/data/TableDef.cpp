#include "data/TableDef.h"

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

const IndexDef *primaryIndex(const TableDef &table)
{
    for (const IndexDef &index : table.indexes) {
        if (index.primary)
            return &index;
    }
    return nullptr;
}

QString sqlType(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::AutoIncrement:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Float:
        return QStringLiteral("REAL");
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(field.size);
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::DateTime:
        return QStringLiteral("DATETIME");
    }
    return {};
}

} // namespace

QString cutToSize(const QString &text, int size)
{
    return size > 0 && text.size() > size ? text.left(size) : text;
}

const FieldDef *TableDef::field(const QString &fieldName) const
{
    for (const FieldDef &f : fields) {
        if (QString::compare(f.name, fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

int TableDef::fieldSize(const QString &fieldName) const
{
    const FieldDef *f = field(fieldName);
    return f && f->type == FieldType::Text ? f->size : 0;
}

QStringList TableDef::fieldNames() const
{
    QStringList names;
    for (const FieldDef &f : fields)
        names << f.name;
    return names;
}

QString TableDef::createTableSql(const QString &schema) const
{
    // A primary index on one integer field makes that field the row key: the lookup by ID
    // is then the engine's fastest, and a repeated ID is refused at the insert.
    const IndexDef *primary = primaryIndex(*this);
    QStringList columns;
    for (const FieldDef &f : fields) {
        QString column = quoted(f.name) + QLatin1Char(' ') + sqlType(f);
        if (primary && primaryIsRowKey && f.type == FieldType::Integer &&
            primary->fields.size() == 1 &&
            QString::compare(primary->fields.first(), f.name, Qt::CaseInsensitive) == 0)
            column = quoted(f.name) + QStringLiteral(" INTEGER PRIMARY KEY");
        columns << column;
    }
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1.%2 (%3)")
        .arg(quoted(schema), quoted(name), columns.join(QStringLiteral(", ")));
}

QStringList TableDef::createIndexSql(const QString &schema) const
{
    QStringList statements;
    for (const IndexDef &index : indexes) {
        if (index.primary && primaryIsRowKey)
            continue; // the row key
        QStringList columns;
        for (const QString &f : index.fields)
            columns << quoted(f);
        statements << QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2.%3 ON %4 (%5)")
                          .arg(index.primary ? QStringLiteral("UNIQUE ") : QString(),
                               quoted(schema), quoted(index.name), quoted(name),
                               columns.join(QStringLiteral(", ")));
    }
    return statements;
}

QStringList TableDef::createTriggerSql(const QString &schema) const
{
    QStringList tooLong;
    QStringList cuts;
    QStringList textColumns;
    for (const FieldDef &f : fields) {
        if (f.type != FieldType::Text)
            continue;
        tooLong << QStringLiteral("length(NEW.%1)>%2").arg(quoted(f.name)).arg(f.size);
        cuts << QStringLiteral("%1=substr(%1,1,%2)").arg(quoted(f.name)).arg(f.size);
        textColumns << quoted(f.name);
    }
    if (tooLong.isEmpty())
        return {};
    const QString when = tooLong.join(QStringLiteral(" OR "));
    const QString body = QStringLiteral("BEGIN UPDATE %1 SET %2 WHERE rowid=NEW.rowid; END")
                             .arg(quoted(name), cuts.join(QStringLiteral(", ")));
    return {
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1.%2 AFTER INSERT ON %3 WHEN %4 %5")
            .arg(quoted(schema), quoted(name + QStringLiteral("_cut_insert")), quoted(name), when,
                 body),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1.%2 AFTER UPDATE OF %3 ON %4 WHEN %5 %6")
            .arg(quoted(schema), quoted(name + QStringLiteral("_cut_update")),
                 textColumns.join(QStringLiteral(", ")), quoted(name), when, body),
    };
}

QString TableDef::createViewSql() const
{
    QStringList columns;
    for (const FieldDef &f : fields)
        columns << quoted(f.name);
    return QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS %1 AS SELECT %2 FROM %3")
        .arg(quoted(name), columns.join(QStringLiteral(", ")), quoted(viewOf));
}
