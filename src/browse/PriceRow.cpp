#include "browse/PriceRow.h"

#include "data/Statement.h"

const QString &PriceRow::columns()
{
    static const QString list =
        QStringLiteral("id,code,fullname,nds,koltek,cena,maxdiscount,articul,tm,country,st1,st2,"
                       "st3,wst3,vst3,idgroup,idsubgroup,kolzak,isphoto,isnew,barcode");
    return list;
}

PriceRow PriceRow::fromRow(const Statement &row)
{
    int c = 0;
    PriceRow r;
    r.id = row.columnInt(c++);
    r.code = row.columnText(c++);
    r.fullName = row.columnText(c++);
    r.nds = row.columnDouble(c++);
    r.kolTek = row.columnInt(c++);
    r.cena = row.columnDouble(c++);
    r.maxDiscount = row.columnDouble(c++);
    r.articul = row.columnText(c++);
    r.tm = row.columnText(c++);
    r.country = row.columnText(c++);
    r.st1 = row.columnInt(c++);
    r.st2 = row.columnInt(c++);
    r.st3 = row.columnInt(c++);
    r.wst3 = row.columnDouble(c++);
    r.vst3 = row.columnDouble(c++);
    r.idGroup = row.columnInt(c++);
    r.idSubGroup = row.columnInt(c++);
    if (!row.isNull(c))
        r.kolZak = row.columnInt(c);
    ++c;
    r.isPhoto = row.columnBool(c++);
    r.isNew = row.columnBool(c++);
    r.barcode = row.columnText(c++);
    return r;
}
