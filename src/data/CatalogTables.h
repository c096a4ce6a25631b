#pragma once

#include <QList>
#include <QString>

#include "data/TableDef.h"

// The definitions of the catalog's tables: Price, fPrice, Class, Tree, Zakaz, Main and Doc
// with every field, type, size and named index.
//
// fPrice is a view of Price's fields (all but KOLZAK): the price filter is a condition of the
// queries over Price, never a removal of rows, so the lookup by ID always sees every product
// without keeping a second copy of the list in memory.
namespace CatalogTables {

inline const QString Price = QStringLiteral("Price");
inline const QString FPrice = QStringLiteral("fPrice");
inline const QString Class = QStringLiteral("Class");
inline const QString Tree = QStringLiteral("Tree");
inline const QString Zakaz = QStringLiteral("Zakaz");
inline const QString Main = QStringLiteral("Main");
inline const QString Doc = QStringLiteral("Doc");

// Working file of each saved table.
inline const QString PriceFile = QStringLiteral("Price.lst");
inline const QString ClassFile = QStringLiteral("Class.lst");
inline const QString TreeFile = QStringLiteral("Tree.lst");
inline const QString MainFile = QStringLiteral("Main.lst");
inline const QString DocFile = QStringLiteral("Doc.lst");

const TableDef &price();
const TableDef &fPrice();
const TableDef &classTable();
const TableDef &tree();
const TableDef &zakaz();
const TableDef &mainTable();
const TableDef &doc();

// Every definition, in the order above.
const QList<const TableDef *> &all();
// A definition by table name in any letter case; nullptr when there is none.
const TableDef *find(const QString &name);
// As find, but an unknown name is a DatabaseError.
const TableDef &definition(const QString &name);

} // namespace CatalogTables
