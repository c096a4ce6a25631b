#include "ui/ZakazTableModel.h"

using namespace Qt::StringLiterals;

using namespace GridLook;

GridColumns ZakazTableModel::zakazColumns()
{
    return {
        {u"ID"_s, u"№ п/п"_s, 40, {}, false, Qt::AlignCenter, true},
        {u"CODE"_s, u"Код"_s, 0, {}, false, Left, true},
        {u"FULLNAME"_s, u"Наименование"_s, 250, {}, false, Left, true},
        {u"ARTICUL"_s, u"Артикул"_s, 100, {}, false, Left, true},
        {u"KOL"_s, u"Кол-во"_s, 45, u"# ##0"_s, false, Right, true},
        {u"CENAPRICE"_s, u"Цена прайса"_s, 80, Money, false, Right, true},
        {u"PROCENTDISCOUNT"_s, u"Скидка %"_s, 65, Money, false, Right, true},
        {u"CENA"_s, u"Цена"_s, 0, Money, false, Right, true},
        {u"SUMMA"_s, u"Сумма"_s, 70, Money, false, Right, true},
        {u"CENADISCOUINT"_s, u"Скидка цены"_s, 80, Money, false, Right, true},
        {u"SUMMAPRICE"_s, u"Сумма по прайсу"_s, 110, Money, false, Right, true},
        {u"SUMMADISCOUNT"_s, u"Скидка суммы"_s, 100, Money, false, Right, true},
        {u"NDS"_s, u"% НДС"_s, 50, u"# ### ##0.0"_s, false, Right, true},
        {u"TM"_s, u"Торговая марка"_s, 100, {}, false, Left, true},
        {u"COUNTRY"_s, u"Страна изготовитель"_s, 130, {}, false, Left, true},
    };
}

ZakazTableModel::ZakazTableModel(QObject *parent) : GridTableModel(zakazColumns(), parent)
{
    setEditableField(u"KOL"_s);
}
