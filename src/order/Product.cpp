#include "order/Product.h"

#include "data/Database.h"
#include "data/Statement.h"

const QString &Product::columns()
{
    static const QString list =
        QStringLiteral("id,code,fullname,articul,tm,country,barcode,nds,cena,maxdiscount,st1,st2,"
                       "st3,wst3,vst3");
    return list;
}

std::optional<Product> Product::find(Database &db, int id)
{
    Statement q = db.prepare(QStringLiteral("select ") + columns() +
                             QStringLiteral(" from fPrice where id=?1"));
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    Product p = fromRow(q);
    q.reset();
    return p;
}

Product Product::fromRow(const Statement &row, int first)
{
    // By position: a lookup by name per field costs more than the rest of a re-pricing.
    int c = first;
    Product p;
    p.id = row.columnInt(c++);
    p.code = row.columnText(c++);
    p.fullName = row.columnText(c++);
    p.articul = row.columnText(c++);
    p.tm = row.columnText(c++);
    p.country = row.columnText(c++);
    p.barcode = row.columnText(c++);
    p.nds = row.columnDouble(c++);
    p.cena = row.columnDouble(c++);
    p.maxDiscount = row.columnDouble(c++);
    p.st1 = row.columnInt(c++);
    p.st2 = row.columnInt(c++);
    p.st3 = row.columnInt(c++);
    p.wst3 = row.columnDouble(c++);
    p.vst3 = row.columnDouble(c++);
    return p;
}
