#include "browse/PriceRow.h"

#include "data/Statement.h"

PriceRow PriceRow::fromRow(const Statement &row)
{
    PriceRow r;
    r.id = row.columnInt(QStringLiteral("ID"));
    r.code = row.columnText(QStringLiteral("CODE"));
    r.fullName = row.columnText(QStringLiteral("FULLNAME"));
    r.nds = row.columnDouble(QStringLiteral("NDS"));
    r.kolTek = row.columnInt(QStringLiteral("KOLTEK"));
    r.cena = row.columnDouble(QStringLiteral("CENA"));
    r.maxDiscount = row.columnDouble(QStringLiteral("MAXDISCOUNT"));
    r.articul = row.columnText(QStringLiteral("ARTICUL"));
    r.tm = row.columnText(QStringLiteral("TM"));
    r.country = row.columnText(QStringLiteral("COUNTRY"));
    r.st1 = row.columnInt(QStringLiteral("ST1"));
    r.st2 = row.columnInt(QStringLiteral("ST2"));
    r.st3 = row.columnInt(QStringLiteral("ST3"));
    r.wst3 = row.columnDouble(QStringLiteral("WST3"));
    r.vst3 = row.columnDouble(QStringLiteral("VST3"));
    r.idGroup = row.columnInt(QStringLiteral("IDGROUP"));
    r.idSubGroup = row.columnInt(QStringLiteral("IDSUBGROUP"));
    if (!row.isNull(QStringLiteral("KOLZAK")))
        r.kolZak = row.columnInt(QStringLiteral("KOLZAK"));
    r.isPhoto = row.columnBool(QStringLiteral("ISPHOTO"));
    r.isNew = row.columnBool(QStringLiteral("ISNEW"));
    r.barcode = row.columnText(QStringLiteral("BARCODE"));
    return r;
}
