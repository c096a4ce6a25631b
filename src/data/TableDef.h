#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Field types of the catalog tables. Integer is 32-bit, AutoIncrement is given by the engine
// on insert (increasing, unique in the table), Text has a size in characters.
enum class FieldType { Integer, AutoIncrement, Float, Text, Boolean, DateTime };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Integer;
    int size = 0; // characters, Text only
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool primary = false;
};

// The definition of one table: its fields in order and its named indexes. A view (fPrice)
// has a source table and no indexes of its own.
struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
    QString viewOf; // non-empty: a read-only view of the named table's fields
    // A primary index on one integer field is the engine's row key, unless the rows are to be
    // kept in an order of their own (then it is a unique index).
    bool primaryIsRowKey = true;

    bool isView() const { return !viewOf.isEmpty(); }
    // Field by name in any letter case, or nullptr.
    const FieldDef *field(const QString &fieldName) const;
    // Size of a text field; 0 for other types and unknown names.
    int fieldSize(const QString &fieldName) const;
    QStringList fieldNames() const;

    // SQL that builds the table in a schema: the table, then its secondary indexes and the
    // triggers that cut text to the field sizes on every insert and update.
    QString createTableSql(const QString &schema) const;
    QStringList createIndexSql(const QString &schema) const;
    QStringList createTriggerSql(const QString &schema) const;
    // A view is created in the temp schema and reads its source table by plain name.
    QString createViewSql() const;
};

// Text cut to a field's size (0: no limit), as the engine stores it.
QString cutToSize(const QString &text, int size);
