#pragma once

#include <stdexcept>

#include <QString>

#include "data/SqlCondition.h"

struct TableDef;

// A filter text that is not of the filter language.
class FilterError : public std::runtime_error {
public:
    explicit FilterError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

// Turns the price list filter into an SQL condition. The language, in any letter case:
//   filter     := [ condition ]
//   condition  := term { "and" term }
//   term       := "not" "(" condition ")" | field ("=" | ">") value | field "like" text
//   value      := number | text          text := '"' characters without '"' '"'
// Field names must be fields of the table. Values are bound, never pasted into the SQL.
// "like" keeps the engine's meaning: "%" any run of characters, "_" one character.
class FilterTranslator {
public:
    // Fields are checked against the table (Price by default); qualifier ("price") is put
    // before every field name when given.
    explicit FilterTranslator(const TableDef *table = nullptr, const QString &qualifier = {});

    SqlCondition translate(const QString &filter) const;

private:
    const TableDef *m_table;
    QString m_qualifier;
};
