#include "order/OrderLine.h"

#include "data/Statement.h"

OrderLine OrderLine::fromRow(const Statement &row)
{
    OrderLine l;
    l.id = row.columnInt(QStringLiteral("ID"));
    l.idPrice = row.columnInt(QStringLiteral("IDPRICE"));
    l.code = row.columnText(QStringLiteral("CODE"));
    l.fullName = row.columnText(QStringLiteral("FULLNAME"));
    l.articul = row.columnText(QStringLiteral("ARTICUL"));
    l.tm = row.columnText(QStringLiteral("TM"));
    l.country = row.columnText(QStringLiteral("COUNTRY"));
    l.barcode = row.columnText(QStringLiteral("BARCODE"));
    l.nds = row.columnDouble(QStringLiteral("NDS"));
    l.st1 = row.columnInt(QStringLiteral("ST1"));
    l.st2 = row.columnInt(QStringLiteral("ST2"));
    l.st3 = row.columnInt(QStringLiteral("ST3"));
    l.wst3 = row.columnDouble(QStringLiteral("WST3"));
    l.vst3 = row.columnDouble(QStringLiteral("VST3"));
    l.kol = row.columnInt(QStringLiteral("KOL"));
    l.cenaPrice = row.columnDouble(QStringLiteral("CENAPRICE"));
    l.procentDiscount = row.columnDouble(QStringLiteral("PROCENTDISCOUNT"));
    l.cena = row.columnDouble(QStringLiteral("CENA"));
    l.summa = row.columnDouble(QStringLiteral("SUMMA"));
    l.cenaDiscount = row.columnDouble(QStringLiteral("CENADISCOUINT"));
    l.summaPrice = row.columnDouble(QStringLiteral("SUMMAPRICE"));
    l.summaDiscount = row.columnDouble(QStringLiteral("SUMMADISCOUNT"));
    return l;
}
