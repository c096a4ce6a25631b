#include "data/CatalogTables.h"

#include "data/DatabaseError.h"

namespace CatalogTables {

namespace {

FieldDef integer(const char16_t *name)
{
    return {QString::fromUtf16(name), FieldType::Integer, 0};
}
FieldDef autoIncrement(const char16_t *name)
{
    return {QString::fromUtf16(name), FieldType::AutoIncrement, 0};
}
FieldDef real(const char16_t *name)
{
    return {QString::fromUtf16(name), FieldType::Float, 0};
}
FieldDef text(const char16_t *name, int size)
{
    return {QString::fromUtf16(name), FieldType::Text, size};
}
FieldDef boolean(const char16_t *name)
{
    return {QString::fromUtf16(name), FieldType::Boolean, 0};
}
FieldDef dateTime(const char16_t *name)
{
    return {QString::fromUtf16(name), FieldType::DateTime, 0};
}
IndexDef index(const char16_t *name, const char16_t *fields, bool primary = false)
{
    return {QString::fromUtf16(name), QString::fromUtf16(fields).split(QLatin1Char(';')), primary};
}

// The order line fields shared by Zakaz and Doc, IDPRICE to BARCODE.
QList<FieldDef> orderLineFields()
{
    return {integer(u"IDPRICE"),  text(u"CODE", 10),      text(u"FULLNAME", 200),
            text(u"ARTICUL", 30), text(u"TM", 50),        text(u"COUNTRY", 30),
            real(u"NDS"),         integer(u"ST1"),        integer(u"ST2"),
            integer(u"ST3"),      real(u"WST3"),          real(u"VST3"),
            integer(u"KOL"),      real(u"CENAPRICE"),     real(u"PROCENTDISCOUNT"),
            real(u"CENA"),        real(u"SUMMA"),         real(u"CENADISCOUINT"),
            real(u"SUMMAPRICE"),  real(u"SUMMADISCOUNT"), text(u"BARCODE", 20)};
}

TableDef makePrice()
{
    TableDef t;
    t.name = Price;
    // The import stores the rows by subgroup and name, which makes building the many indexes
    // on those fields markedly cheaper; ID is then a unique index.
    t.primaryIsRowKey = false;
    t.fields = {integer(u"ID"),
                text(u"CODE", 10),
                text(u"FULLNAME", 200),
                real(u"NDS"),
                integer(u"KOLTEK"),
                real(u"CENA"),
                real(u"MAXDISCOUNT"),
                text(u"ARTICUL", 30),
                text(u"TM", 50),
                text(u"COUNTRY", 30),
                integer(u"ST1"),
                integer(u"ST2"),
                integer(u"ST3"),
                real(u"WST3"),
                real(u"VST3"),
                integer(u"IDGROUP"),
                integer(u"IDSUBGROUP"),
                text(u"FULLNAME_IND", 200),
                text(u"ARTICUL_IND", 30),
                integer(u"KOLZAK"),
                boolean(u"ISPHOTO"),
                boolean(u"ISNEW"),
                text(u"BARCODE", 20)};
    t.indexes = {index(u"_ID", u"ID", true),
                 index(u"_CODE", u"CODE"),
                 index(u"_FULLNAME", u"FULLNAME_IND"),
                 index(u"_IDGROUP", u"IDGROUP"),
                 index(u"_IDSUBGROUP", u"IDSUBGROUP"),
                 index(u"_ARTICUL", u"ARTICUL_IND"),
                 index(u"_KOLTEK", u"KOLTEK"),
                 index(u"_CENA", u"CENA"),
                 index(u"_IDG_CODE", u"IDGROUP;CODE"),
                 index(u"_IDG_FN", u"IDGROUP;FULLNAME_IND"),
                 index(u"_IDG_ART", u"IDGROUP;ARTICUL_IND"),
                 index(u"_IDG_KOL", u"IDGROUP;KOLTEK"),
                 index(u"_IDG_CENA", u"IDGROUP;CENA"),
                 index(u"_IDSG_CODE", u"IDSUBGROUP;CODE"),
                 index(u"_IDSG_FN", u"IDSUBGROUP;FULLNAME_IND"),
                 index(u"_IDSG_ART", u"IDSUBGROUP;ARTICUL_IND"),
                 index(u"_IDSG_KOL", u"IDSUBGROUP;KOLTEK"),
                 index(u"_IDSG_CENA", u"IDSUBGROUP;CENA"),
                 index(u"_IDG_IDSG", u"IDGROUP;IDSUBGROUP"),
                 index(u"_KOLZAK", u"KOLZAK")};
    return t;
}

TableDef makeFPrice()
{
    TableDef t;
    t.name = FPrice;
    t.viewOf = Price;
    t.fields = {integer(u"ID"),
                text(u"CODE", 10),
                text(u"FULLNAME", 200),
                real(u"NDS"),
                integer(u"KOLTEK"),
                real(u"CENA"),
                real(u"MAXDISCOUNT"),
                text(u"ARTICUL", 30),
                text(u"TM", 50),
                text(u"COUNTRY", 30),
                integer(u"ST1"),
                integer(u"ST2"),
                integer(u"ST3"),
                real(u"WST3"),
                real(u"VST3"),
                integer(u"IDGROUP"),
                integer(u"IDSUBGROUP"),
                text(u"FULLNAME_IND", 200),
                text(u"ARTICUL_IND", 30),
                boolean(u"isPhoto"),
                boolean(u"isNew"),
                text(u"BarCode", 20)};
    // Served by the same indexes of Price.
    t.indexes = {index(u"_ID", u"ID", true),           index(u"_CODE", u"CODE"),
                 index(u"_FULLNAME", u"FULLNAME_IND"), index(u"_IDGROUP", u"IDGROUP"),
                 index(u"_IDSUBGROUP", u"IDSUBGROUP"), index(u"_ARTICUL", u"ARTICUL_IND")};
    return t;
}

TableDef makeClass()
{
    TableDef t;
    t.name = Class;
    t.fields = {integer(u"ID"), text(u"NAME", 50), integer(u"IDPARENT")};
    t.indexes = {index(u"_ID", u"ID", true), index(u"_IDPARENT", u"IDPARENT")};
    return t;
}

TableDef makeTree()
{
    TableDef t;
    t.name = Tree;
    t.fields = {integer(u"IDSUBGROUP"), integer(u"IDGROUP"), text(u"NAMEGROUP", 100),
                text(u"NAMESUBGROUP", 100)};
    t.indexes = {index(u"_NAMEGROUP", u"NAMEGROUP"),
                 index(u"_NAMESUBGROUP", u"NAMESUBGROUP"),
                 {QStringLiteral("_NAME_GROUP_SUBGROP"),
                  QStringLiteral("NAMEGROUP,NAMESUBGROUP").split(QLatin1Char(',')), false}};
    return t;
}

TableDef makeZakaz()
{
    TableDef t;
    t.name = Zakaz;
    t.fields = {autoIncrement(u"ID")};
    t.fields << orderLineFields();
    t.indexes = {index(u"_ID", u"ID", true)};
    return t;
}

TableDef makeMain()
{
    TableDef t;
    t.name = Main;
    t.fields = {autoIncrement(u"ID"), dateTime(u"DATET"), real(u"SUMMA"), integer(u"ROWCOUNT")};
    t.indexes = {index(u"_ID", u"ID", true), index(u"_DATET", u"DATET"),
                 index(u"_SUMMA", u"SUMMA")};
    return t;
}

TableDef makeDoc()
{
    TableDef t;
    t.name = Doc;
    t.fields = {autoIncrement(u"ID"), integer(u"IDDOC")};
    t.fields << orderLineFields();
    t.indexes = {index(u"_ID", u"ID", true), index(u"_IDDOC", u"IDDOC")};
    return t;
}

} // namespace

const TableDef &price()
{
    static const TableDef t = makePrice();
    return t;
}
const TableDef &fPrice()
{
    static const TableDef t = makeFPrice();
    return t;
}
const TableDef &classTable()
{
    static const TableDef t = makeClass();
    return t;
}
const TableDef &tree()
{
    static const TableDef t = makeTree();
    return t;
}
const TableDef &zakaz()
{
    static const TableDef t = makeZakaz();
    return t;
}
const TableDef &mainTable()
{
    static const TableDef t = makeMain();
    return t;
}
const TableDef &doc()
{
    static const TableDef t = makeDoc();
    return t;
}

const QList<const TableDef *> &all()
{
    static const QList<const TableDef *> tables = {&price(), &fPrice(),    &classTable(), &tree(),
                                                   &zakaz(), &mainTable(), &doc()};
    return tables;
}

const TableDef *find(const QString &name)
{
    for (const TableDef *t : all()) {
        if (QString::compare(t->name, name, Qt::CaseInsensitive) == 0)
            return t;
    }
    return nullptr;
}

const TableDef &definition(const QString &name)
{
    const TableDef *t = find(name);
    if (!t)
        throw DatabaseError(QStringLiteral("Unknown table %1").arg(name));
    return *t;
}

} // namespace CatalogTables
