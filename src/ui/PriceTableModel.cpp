#include "ui/PriceTableModel.h"

using namespace Qt::StringLiterals;

using namespace GridLook;

GridColumns PriceTableModel::priceColumns()
{
    return {
        {u"CODE"_s, u"Код"_s, 56, {}, false, Left, false},
        {u"FULLNAME"_s, u"Наименование"_s, 350, {}, false, Left, false},
        {u"ARTICUL"_s, u"Артикул"_s, 76, {}, false, Left, false},
        {u"KOLTEK"_s, u"Остаток"_s, 45, u"# ##0"_s, false, Right, false},
        {u"CENA"_s, u"Цена"_s, 41, Money, false, Right, false},
        {u"KOLZAK"_s, u"Заказ"_s, 46, {}, false, Right, false},
        {u"ISNEW"_s, u"Новинка"_s, 47, {}, true, Qt::AlignCenter, false},
        {u"MAXDISCOUNT"_s, u"Макс. скидка"_s, 40, Money, false, Right, false},
        {u"TM"_s, u"Торговая марка"_s, 67, {}, false, Left, false},
        {u"COUNTRY"_s, u"Страна"_s, 50, {}, false, Left, false},
        {u"NDS"_s, u"% НДС"_s, 29, Money, false, Right, false},
        {u"ST1"_s, u"Вложение|упаковка"_s, 47, {}, false, Right, false},
        {u"ST2"_s, u"Вложение|блок"_s, 46, {}, false, Right, false},
        {u"ST3"_s, u"Вложение|коробка"_s, 50, {}, false, Right, false},
        {u"WST3"_s, u"Вес коробки"_s, 61, Money, false, Right, false},
        {u"VST3"_s, u"Объем коробки"_s, 54, u"# ### ##0.0000"_s, false, Right, false},
        {u"ISPHOTO"_s, u"Есть фото"_s, 30, {}, true, Qt::AlignCenter, false},
        {u"BARCODE"_s, u"Штрихкод"_s, 88, {}, false, Left, false},
    };
}

PriceTableModel::PriceTableModel(QObject *parent) : GridTableModel(priceColumns(), parent)
{
    setEditableField(u"KOLZAK"_s);
}
