#pragma once

#include <QString>
#include <QVariantList>

#include "data/Statement.h"

// A condition for a WHERE clause with its values kept apart: the text holds one "?" per
// value, in order. Empty text means no condition (every row).
//
//   SqlCondition c = FilterTranslator().translate(filter);
//   Statement q = db.prepare(u"select id from price"_s + c.whereClause() + u" order by code"_s);
//   c.bindTo(q);
struct SqlCondition {
    QString sql;
    QVariantList parameters;

    bool isEmpty() const { return sql.isEmpty(); }
    // " WHERE (...)" or empty.
    QString whereClause() const
    {
        return isEmpty() ? QString() : QStringLiteral(" WHERE (") + sql + QLatin1Char(')');
    }
    // Binds the values from parameter index firstIndex on; returns the index after the last.
    int bindTo(Statement &statement, int firstIndex = 1) const
    {
        for (const QVariant &value : parameters)
            statement.bindValue(firstIndex++, value);
        return firstIndex;
    }
};
