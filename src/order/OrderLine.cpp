#include "order/OrderLine.h"

#include "data/Statement.h"

const QString &OrderLine::columns()
{
    static const QString list = QStringLiteral(
        "id,idprice,code,fullname,articul,tm,country,barcode,nds,st1,st2,st3,wst3,vst3,kol,"
        "cenaprice,procentdiscount,cena,summa,cenadiscouint,summaprice,summadiscount");
    return list;
}

OrderLine OrderLine::fromRow(const Statement &row)
{
    int c = 0;
    OrderLine l;
    l.id = row.columnInt(c++);
    l.idPrice = row.columnInt(c++);
    l.code = row.columnText(c++);
    l.fullName = row.columnText(c++);
    l.articul = row.columnText(c++);
    l.tm = row.columnText(c++);
    l.country = row.columnText(c++);
    l.barcode = row.columnText(c++);
    l.nds = row.columnDouble(c++);
    l.st1 = row.columnInt(c++);
    l.st2 = row.columnInt(c++);
    l.st3 = row.columnInt(c++);
    l.wst3 = row.columnDouble(c++);
    l.vst3 = row.columnDouble(c++);
    l.kol = row.columnInt(c++);
    l.cenaPrice = row.columnDouble(c++);
    l.procentDiscount = row.columnDouble(c++);
    l.cena = row.columnDouble(c++);
    l.summa = row.columnDouble(c++);
    l.cenaDiscount = row.columnDouble(c++);
    l.summaPrice = row.columnDouble(c++);
    l.summaDiscount = row.columnDouble(c++);
    return l;
}
