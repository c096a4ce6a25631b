#include "xls/OrderWorkbook.h"

#include "xls/OrderExportSource.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

using namespace Qt::StringLiterals;

void OrderWorkbook::fill(TXLSFile &file, const QString &customerName, const QString &customerInn,
                         const OrderExportSource &order, const QString &catalogDateText,
                         const QString &exportDateTimeText)
{
    if (order.lineCount() > kMaxLines)
        throw EXLSError(EXLSError::InvalidRowOrColumn);

    TWorkbook &workbook = file.Workbook();
    const int money = workbook.FormatStrings().Add(u"0.00"_s);
    TSheet &sheet = workbook.Sheets().Item(0);
    TCells &cells = sheet.Cells();

    sheet.PageSetup().SummaryRowsAbove = true;
    sheet.PageSetup().SummaryColumnsLeft = true;

    // Columns A and B (bar code, subgroup) are kept practically hidden.
    static constexpr int kWidths[12] = {2, 0, 60, 60, 350, 30, 50, 50, 50, 50, 60, 60};
    for (int column = 0; column < 12; ++column)
        sheet.Columns().Item(column).WidthPixels(kWidths[column]);

    TCell &title = cells.Item(0, 3);
    title.setValue(u"Заказ от "_s + customerName);
    title.FontBold(true);
    cells.Item(0, 6).setValue(QString());
    cells.Item(0, 10).setValue(u"ИНН"_s);
    cells.Item(0, 11).setValue(customerInn);
    sheet.Rows().Item(0).HeightPixels(50);

    TCell &date = cells.Item(1, 2);
    date.setValue(exportDateTimeText);
    date.FontBold(true);
    cells.Item(1, 3).setValue(u"Каталог  "_s + catalogDateText);

    static const char16_t *const kHeadings[11] = {u"Подгруппа",         u"Код",
                                                  u"Артикул",           u"Наименование",
                                                  u"Ед.изм.",           u"Минимальная упаковка",
                                                  u"Средняя упаковка",  u"Стандарт",
                                                  u"Цена со скидкой",   u"Цена",
                                                  u"Заказ (количество)"};
    for (int i = 0; i < 11; ++i)
        cells.Item(3, 1 + i).setValue(QString::fromUtf16(kHeadings[i]));
    TRange &headings = sheet.Ranges().Add();
    cells.Item(3, 12).setValue(u"Остаток на складе"_s);
    headings.AddRect(3, 3, 1, 12);
    sheet.Rows().Item(3).HeightPixels(50);

    headings.VAlign(0);
    headings.HAlign(2);
    headings.Wrap(true);
    headings.BorderStyle(TRange::AllSides, 1);
    headings.BorderColor(TRange::AllSides, 1);
    headings.FontColorRGB(1, 0, 0);
    headings.FontBold(true);
    headings.FontName(u"Times New Roman CYR"_s);
    headings.FillPattern(1);
    headings.PatternColor(37);
    headings.FillColor(37);

    const bool barCode = order.hasBarCode();
    // Six texts a line (five without bar codes), most of them different.
    workbook.StringTable().reserve(size_t(order.lineCount()) * 6);
    const QString emptyText;
    const QString pieces = u"шт."_s;
    int row = 4;
    order.readLines([&](const OrderExportLine &line) {
        if (barCode)
            cells.Item(row, 0).setValue(line.barCode);
        cells.Item(row, 1).setValue(emptyText);
        cells.Item(row, 2).setValue(line.code);
        cells.Item(row, 3).setValue(line.articul);
        cells.Item(row, 4).setValue(line.fullName);
        cells.Item(row, 5).setValue(pieces);
        cells.Item(row, 6).setValue(line.st1);
        cells.Item(row, 7).setValue(line.st2);
        cells.Item(row, 8).setValue(line.st3);
        TCell &price = cells.Item(row, 9);
        price.setValue(line.cena);
        price.FormatIndex(money);
        TCell &listPrice = cells.Item(row, 10);
        listPrice.setValue(line.cenaPrice);
        listPrice.FormatIndex(money);
        cells.Item(row, 11).setValue(line.kol);
        ++row;
    });
}
