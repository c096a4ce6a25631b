#include "order/Product.h"

#include "data/Database.h"
#include "data/Statement.h"

std::optional<Product> Product::find(Database &db, int id)
{
    Statement q = db.prepare(QStringLiteral("select * from fPrice where id=?1"));
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    Product p = fromRow(q);
    q.reset();
    return p;
}

Product Product::fromRow(const Statement &row)
{
    Product p;
    p.id = row.columnInt(QStringLiteral("ID"));
    p.code = row.columnText(QStringLiteral("CODE"));
    p.fullName = row.columnText(QStringLiteral("FULLNAME"));
    p.articul = row.columnText(QStringLiteral("ARTICUL"));
    p.tm = row.columnText(QStringLiteral("TM"));
    p.country = row.columnText(QStringLiteral("COUNTRY"));
    // An older price list may come without bar codes.
    if (row.hasColumn(QStringLiteral("BARCODE")))
        p.barcode = row.columnText(QStringLiteral("BARCODE"));
    p.nds = row.columnDouble(QStringLiteral("NDS"));
    p.cena = row.columnDouble(QStringLiteral("CENA"));
    p.maxDiscount = row.columnDouble(QStringLiteral("MAXDISCOUNT"));
    p.st1 = row.columnInt(QStringLiteral("ST1"));
    p.st2 = row.columnInt(QStringLiteral("ST2"));
    p.st3 = row.columnInt(QStringLiteral("ST3"));
    p.wst3 = row.columnDouble(QStringLiteral("WST3"));
    p.vst3 = row.columnDouble(QStringLiteral("VST3"));
    return p;
}
