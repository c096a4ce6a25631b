#include "xls/OrderExport.h"
#include "FileSizeLimit.h"
#include "ReadBack.h"
#include "common/Clock.h"
#include "support/SampleOrder.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "xls/CFileError.h"
#include "xls/OrderExportSource.h"
#include "xls/OrderWorkbook.h"
#include "xls/XLSFile.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;
using ReadBack::Record;

namespace {

const QDateTime kExportTime(QDate(2026, 3, 12), QTime(9, 5, 7));
const QString kExportTimeText = u"12.03.2026 09:05:07"_s;

struct Export {
    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock{kExportTime};
    int dpi = 0;

    void run(const OrderExportSource &order, const QString &customer = u"ООО \"Ромашка\""_s,
             const QString &inn = u"7701234567"_s,
             const QString &catalog = u" от 01.03.2026 10:00"_s)
    {
        OrderExport(prompts, shell, clock, dpi).ExportOrder(customer, inn, order, catalog);
    }
};

// The stream the export writes for these inputs, built without any file.
QByteArray orderStream(const OrderExportSource &order, const QString &customer, const QString &inn,
                       const QString &catalog,
                       const TDisplayMetrics &metrics = TDisplayMetrics::setA())
{
    TXLSFile file(metrics);
    OrderWorkbook::fill(file, customer, inn, order, catalog, kExportTimeText);
    return ReadBack::workbookStream(file);
}

using Cells = std::map<std::pair<int, int>, QVariant>;

Cells expectedCells(const OrderExportList &order, const QString &customer, const QString &inn,
                    const QString &catalog)
{
    Cells cells{
        {{0, 3}, u"Заказ от "_s + customer},
        {{0, 6}, QString()},
        {{0, 10}, u"ИНН"_s},
        {{0, 11}, inn},
        {{1, 2}, kExportTimeText},
        {{1, 3}, u"Каталог  "_s + catalog},
    };
    const char16_t *headings[12] = {u"Подгруппа",
                                    u"Код",
                                    u"Артикул",
                                    u"Наименование",
                                    u"Ед.изм.",
                                    u"Минимальная упаковка",
                                    u"Средняя упаковка",
                                    u"Стандарт",
                                    u"Цена со скидкой",
                                    u"Цена",
                                    u"Заказ (количество)",
                                    u"Остаток на складе"};
    for (int i = 0; i < 12; ++i)
        cells[{3, 1 + i}] = QString::fromUtf16(headings[i]);
    int row = 4;
    for (const OrderExportLine &line : order.lines) {
        if (order.barCodeField)
            cells[{row, 0}] = line.barCode;
        cells[{row, 1}] = QString();
        cells[{row, 2}] = line.code;
        cells[{row, 3}] = line.articul;
        cells[{row, 4}] = line.fullName;
        cells[{row, 5}] = u"шт."_s;
        cells[{row, 6}] = double(line.st1);
        cells[{row, 7}] = double(line.st2);
        cells[{row, 8}] = double(line.st3);
        cells[{row, 9}] = line.cena;
        cells[{row, 10}] = line.cenaPrice;
        cells[{row, 11}] = double(line.kol);
        ++row;
    }
    return cells;
}

int expectedXF(int row, int column)
{
    if ((row == 0 && column == 3) || (row == 1 && column == 2))
        return 22; // bold
    if (row == 3)
        return 33; // heading
    if (row >= 4 && (column == 9 || column == 10))
        return 34; // money
    return 21;
}

const char *const kTableXFs[14] = {
    "00 00 00 00 01 00 20 00 00 04 00 00 00 00 00 00 00 00 C0 20",
    "01 00 00 00 01 00 20 00 00 04 00 00 00 00 00 00 00 00 C0 20",
    "00 00 00 00 01 00 00 00 00 04 00 00 00 00 00 00 00 00 C0 20",
    "00 00 00 00 01 00 02 00 00 04 00 00 00 00 00 00 00 00 C0 20",
    "00 00 00 00 01 00 0A 00 00 04 00 00 00 00 00 00 00 00 C0 20",
    "00 00 00 00 01 00 0A 00 00 04 11 11 C1 20 C1 20 00 00 C0 20",
    "00 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 00 C0 20",
    "02 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 00 C0 20",
    "03 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 00 C0 20",
    "05 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 00 C0 20",
    "05 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 04 41 20",
    "05 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 04 41 16",
    "05 00 00 00 01 00 0A 00 00 04 11 11 08 04 08 04 00 04 2C 16",
    "00 00 A4 00 01 00 20 00 00 04 00 00 00 00 00 00 00 00 C0 20",
};

QString fontName(const QByteArray &font)
{
    const int length = quint8(font.at(14));
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(font.constData() + 16), length);
}

} // namespace

TEST(OrderExport, OneLineOrderWritesTheRecordsOfTheLayout)
{
    struct Metrics {
        const char *what;
        TDisplayMetrics metrics;
        int widths[12];
        int rowHeight;
    } sets[] = {
        {"set A",
         TDisplayMetrics::setA(),
         {73, 0, 2194, 2194, 12800, 1097, 1829, 1829, 1829, 1829, 2194, 2194},
         750},
        {"set B",
         TDisplayMetrics::setB(),
         {57, 0, 1707, 1707, 9956, 853, 1422, 1422, 1422, 1422, 1707, 1707},
         600},
    };
    for (const Metrics &set : sets) {
        SCOPED_TRACE(set.what);
        const auto all = ReadBack::records(
            orderStream(sampleOrder(1), u"Клиент"_s, u"123"_s, u" от 01.03.2026"_s, set.metrics));

        const auto xfs = ReadBack::recordsOfType(all, 0x00E0);
        ASSERT_EQ(xfs.size(), 35u);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(xfs[size_t(21 + i)].data.toHex(' ').toUpper(), QByteArray(kTableXFs[i]))
                << "file XF " << 21 + i;

        const auto fonts = ReadBack::recordsOfType(all, 0x0031);
        ASSERT_EQ(fonts.size(), 5u);
        struct Font {
            const char16_t *name;
            quint16 colour, weight;
        } expectedFonts[5] = {{u"Arial", 64, 400},
                              {u"Arial", 64, 700},
                              {u"Arial", 8, 400},
                              {u"Arial", 8, 700},
                              {u"Times New Roman CYR", 8, 700}};
        for (int i = 0; i < 5; ++i) {
            const QByteArray &f = fonts[size_t(i)].data;
            EXPECT_EQ(ReadBack::u16(f, 0), 200) << i;
            EXPECT_EQ(ReadBack::u16(f, 4), expectedFonts[i].colour) << i;
            EXPECT_EQ(ReadBack::u16(f, 6), expectedFonts[i].weight) << i;
            EXPECT_EQ(fontName(f), QString::fromUtf16(expectedFonts[i].name)) << i;
        }

        const auto formats = ReadBack::recordsOfType(all, 0x041E);
        ASSERT_EQ(formats.size(), 1u);
        EXPECT_EQ(formats[0].data, ReadBack::hex("A400 0400 01 3000 2E00 3000 3000"));

        const auto dimensions = ReadBack::recordsOfType(all, 0x0200);
        ASSERT_EQ(dimensions.size(), 1u);
        EXPECT_EQ(dimensions[0].data, ReadBack::hex("00000000 05000000 0000 0D00 0000"));

        const auto wsbool = ReadBack::recordsOfType(all, 0x0081);
        ASSERT_EQ(wsbool.size(), 1u);
        EXPECT_EQ(ReadBack::u16(wsbool[0].data, 0), 0x0400);

        const auto rows = ReadBack::recordsOfType(all, 0x0208);
        ASSERT_EQ(rows.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(ReadBack::u16(rows[i].data, 0), i == 0 ? 0 : 3);
            EXPECT_EQ(ReadBack::u16(rows[i].data, 6), set.rowHeight);
            EXPECT_EQ(ReadBack::u16(rows[i].data, 12), 0x01C0);
            EXPECT_EQ(ReadBack::u16(rows[i].data, 14), 21);
        }

        const auto columns = ReadBack::recordsOfType(all, 0x007D);
        ASSERT_EQ(columns.size(), 12u);
        for (int c = 0; c < 12; ++c) {
            const QByteArray &d = columns[size_t(c)].data;
            ASSERT_EQ(d.size(), 11);
            EXPECT_EQ(ReadBack::u16(d, 0), c);
            EXPECT_EQ(ReadBack::u16(d, 2), c);
            EXPECT_EQ(ReadBack::u16(d, 4), set.widths[c]) << "column " << c;
            EXPECT_EQ(ReadBack::u16(d, 6), 21);
        }

        // The header cells in the order they were built, then A5 to L5.
        std::vector<std::pair<int, int>> order;
        std::vector<int> cellXFs;
        for (const Record &r : all)
            if (r.type == 0x00FD || r.type == 0x0203 || r.type == 0x0201) {
                order.push_back({ReadBack::u16(r.data, 0), ReadBack::u16(r.data, 2)});
                cellXFs.push_back(ReadBack::u16(r.data, 4));
            }
        std::vector<std::pair<int, int>> expectedOrder{{0, 3},  {0, 6}, {0, 10},
                                                       {0, 11}, {1, 2}, {1, 3}};
        for (int c = 1; c <= 12; ++c)
            expectedOrder.push_back({3, c});
        for (int c = 0; c <= 11; ++c)
            expectedOrder.push_back({4, c});
        EXPECT_EQ(order, expectedOrder);
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(cellXFs[i], expectedXF(order[i].first, order[i].second))
                << order[i].first << ',' << order[i].second;
    }
}

TEST(OrderExport, ExportedWorkbooksReadBackWithIndependentReaders)
{
    struct Case {
        const char *file;
        int lines;
        QString customer, inn, catalog;
    } cases[] = {
        {"order-empty-header", 1, QString(), QString(), QString()},
        {"order-one-line", 1, u"ООО \"Ромашка\""_s, u"7701234567"_s, u" от 01.03.2026 10:00"_s},
        {"order-300-lines", 300, u"ИП Петров"_s, u"500100732259"_s, u" от 01.03.2026 10:00"_s},
        {"order-3000-lines", 3000, u"Shop Ltd"_s, u"7701234567"_s, u" от 05.03.2026 18:30"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const OrderExportList order = sampleOrder(c.lines);
        // Typed without an extension: the file gets ".xls" and the shell opens that name.
        const QString typed = ReadBack::artifactPath(QString::fromLatin1(c.file));
        const QString path = typed + u".xls"_s;
        QFile::remove(path);
        Export run;
        run.prompts.saveFileNames.push_back(typed);
        run.run(order, c.customer, c.inn, c.catalog);
        EXPECT_EQ(run.shell.openedDocuments, QStringList{path});
        EXPECT_EQ(run.prompts.texts(u"save"_s), QStringList{u"Укажите имя файла для заказа"_s});

        const QByteArray stream = orderStream(order, c.customer, c.inn, c.catalog);
        const QJsonObject read = ReadBack::readers(path);
        ASSERT_FALSE(read.contains(u"error"_s)) << qPrintable(read[u"error"_s].toString());
        const QJsonObject ole = read[u"ole"_s].toObject();
        EXPECT_EQ(ole[u"entries"_s].toArray().toVariantList(), QVariantList{u"Workbook"_s});
        EXPECT_EQ(ole[u"sha256"_s].toString(), ReadBack::sha256(stream));
        if (c.lines == 3000) {
            EXPECT_GT(stream.size(), 4096);
            EXPECT_FALSE(ReadBack::recordsOfType(ReadBack::records(stream), 0x003C).empty());
        }

        const QJsonObject book = read[u"book"_s].toObject();
        EXPECT_EQ(book[u"log"_s].toString(), QString());
        const QJsonArray sheets = book[u"sheets"_s].toArray();
        ASSERT_EQ(sheets.size(), 1);
        EXPECT_EQ(sheets[0][u"name"_s].toString(), u"Sheet1"_s);

        const Cells expected = expectedCells(order, c.customer, c.inn, c.catalog);
        const QJsonArray cells = sheets[0][u"cells"_s].toArray();
        ASSERT_EQ(size_t(cells.size()), expected.size());
        const QJsonArray xfs = book[u"xfs"_s].toArray();
        const QJsonArray fonts = book[u"fonts"_s].toArray();
        const QJsonObject formats = book[u"formats"_s].toObject();
        for (const auto &value : cells) {
            const QJsonArray cell = value.toArray();
            const int row = cell[0].toInt(), column = cell[1].toInt();
            const auto it = expected.find({row, column});
            ASSERT_NE(it, expected.end()) << row << ',' << column;
            const bool text = it->second.typeId() == QMetaType::QString;
            EXPECT_EQ(cell[2].toInt(), text ? 1 : 2) << row << ',' << column;
            if (text)
                EXPECT_EQ(cell[3].toString(), it->second.toString()) << row << ',' << column;
            else
                EXPECT_EQ(cell[3].toDouble(), it->second.toDouble()) << row << ',' << column;

            const int xfNumber = cell[4].toInt();
            ASSERT_EQ(xfNumber, expectedXF(row, column)) << row << ',' << column;
            const QJsonObject xf = xfs[xfNumber].toObject();
            const QJsonObject font = fonts[xf[u"font"_s].toInt()].toObject();
            const QString format = formats[QString::number(xf[u"format"_s].toInt())].toString();
            switch (xfNumber) {
            case 22:
                EXPECT_TRUE(font[u"bold"_s].toBool());
                EXPECT_EQ(font[u"name"_s].toString(), u"Arial"_s);
                break;
            case 33:
                EXPECT_TRUE(font[u"bold"_s].toBool());
                EXPECT_EQ(font[u"name"_s].toString(), u"Times New Roman CYR"_s);
                EXPECT_EQ(font[u"colour"_s].toInt(), 8);
                EXPECT_EQ(xf[u"halign"_s].toInt(), 2);
                EXPECT_EQ(xf[u"valign"_s].toInt(), 0);
                EXPECT_EQ(xf[u"wrap"_s].toInt(), 1);
                EXPECT_EQ(xf[u"borders"_s].toArray().toVariantList(), (QVariantList{1, 1, 1, 1}));
                EXPECT_EQ(xf[u"border_colours"_s].toArray().toVariantList(),
                          (QVariantList{8, 8, 8, 8}));
                EXPECT_EQ(xf[u"pattern"_s].toInt(), 1);
                EXPECT_EQ(xf[u"pattern_colour"_s].toInt(), 44);
                break;
            case 34:
                EXPECT_EQ(format, u"0.00"_s);
                EXPECT_FALSE(font[u"bold"_s].toBool());
                break;
            default:
                EXPECT_FALSE(font[u"bold"_s].toBool());
                EXPECT_EQ(format, u"General"_s);
            }
        }
        const QJsonObject widths = sheets[0][u"colwidths"_s].toObject();
        EXPECT_EQ(widths.size(), 12);
        EXPECT_EQ(widths[u"4"_s].toInt(), 12800);
        const QJsonObject heights = sheets[0][u"rowheights"_s].toObject();
        EXPECT_EQ(heights[u"0"_s].toInt(), 750);
        EXPECT_EQ(heights[u"3"_s].toInt(), 750);
    }
}

TEST(OrderExport, OrderWithoutBarCodeFieldLeavesColumnAEmpty)
{
    OrderExportList order = sampleOrder(2);
    order.barCodeField = false;
    const auto all = ReadBack::records(orderStream(order, u"x"_s, u"1"_s, QString()));
    for (const Record &r : all)
        if (r.type == 0x00FD || r.type == 0x0203) {
            EXPECT_FALSE(ReadBack::u16(r.data, 0) >= 4 && ReadBack::u16(r.data, 2) == 0);
        }
}

TEST(OrderExport, SaveFileNameGetsTheXlsExtension)
{
    struct Case {
        QString chosen, returned;
    } cases[] = {
        {u"заказ"_s, u"заказ.xls"_s},
        {u"заказ.XLS"_s, u"заказ.XLS"_s},
        {u"заказ.Xls"_s, u"заказ.Xls"_s},
        {u"заказ.txt"_s, u"заказ.xls"_s},
        {u"заказ от 12.03"_s, u"заказ от 12.xls"_s},
        {u"/home/shop/заказы.2026/заказ"_s, u"/home/shop/заказы.2026/заказ.xls"_s},
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        ScriptedPrompts prompts;
        RecordingShell shell;
        FixedClock clock(kExportTime);
        prompts.saveFileNames.push_back(c.chosen);
        OrderExport exporter(prompts, shell, clock);
        EXPECT_EQ(exporter.AskSaveFileName(u"Укажите имя файла для заказа"_s, QString(),
                                           u"Рабочая книга MS Excel (*.xls)|*.XLS"_s),
                  c.returned)
            << qPrintable(c.chosen);
    }
}

TEST(OrderExport, EmptyOrderOnlyShowsTheMessage)
{
    Export run;
    run.prompts.saveFileNames.push_back(ReadBack::artifactPath(u"never.xls"_s));
    run.run(OrderExportList{});
    ASSERT_EQ(run.prompts.shown.size(), 1u);
    EXPECT_EQ(run.prompts.shown[0].kind, u"message"_s);
    EXPECT_EQ(run.prompts.shown[0].text, u"Заказ не содержит ни одной строки"_s);
    EXPECT_TRUE(run.shell.openedDocuments.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ReadBack::artifactPath(u"never.xls"_s)));
}

TEST(OrderExport, CancelledDialogWritesAndOpensNothing)
{
    TempDir dir;
    Export run; // no scripted name: the dialog is cancelled
    run.run(sampleOrder(3));
    EXPECT_EQ(run.prompts.texts(u"save"_s).size(), 1);
    EXPECT_TRUE(run.shell.openedDocuments.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(OrderExport, FileThatCannotBeCreatedRaisesAndOpensNothing)
{
    TempDir dir;
    Export run;
    run.prompts.saveFileNames.push_back(dir.file(u"no such folder/заказ.xls"_s));
    try {
        run.run(sampleOrder(1));
        FAIL() << "no error";
    } catch (const ECFileError &e) {
        EXPECT_STREQ(e.what(), "Can not create a file");
    }
    EXPECT_TRUE(run.shell.openedDocuments.isEmpty());
}

TEST(OrderExport, RefusedWriteRaisesLeavesNoFileAndOpensNothing)
{
    TempDir dir;
    const QString path = dir.file(u"заказ.xls"_s);
    Export run;
    run.prompts.saveFileNames.push_back(path);
    int code = -1;
    {
        FileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.active());
        try {
            run.run(sampleOrder(500));
        } catch (const ECFileError &e) {
            code = e.code();
        }
    }
    EXPECT_EQ(code, 7);
    EXPECT_TRUE(run.shell.openedDocuments.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(OrderExport, OrderLongerThanTheSheetIsRefusedBeforeTheDialog)
{
    const OrderExportList tooLong = sampleOrder(int(OrderWorkbook::kMaxLines) + 1);
    Export run;
    run.prompts.saveFileNames.push_back(ReadBack::artifactPath(u"too-long.xls"_s));
    run.run(tooLong);
    ASSERT_EQ(run.prompts.shown.size(), 1u);
    EXPECT_EQ(run.prompts.shown[0].kind, u"error"_s);
    EXPECT_EQ(run.prompts.shown[0].text, OrderExport::tooManyLinesText(65533));
    EXPECT_TRUE(run.prompts.shown[0].text.contains(u"65532"_s));
    EXPECT_FALSE(QFileInfo::exists(ReadBack::artifactPath(u"too-long.xls"_s)));

    // The longest order that fits ends on the sheet's last row.
    OrderExportList longest = tooLong;
    longest.lines.pop_back();
    const auto all = ReadBack::records(orderStream(longest, u"x"_s, u"1"_s, QString()));
    const auto dimensions = ReadBack::recordsOfType(all, 0x0200);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(ReadBack::u32(dimensions[0].data, 4), 65536u);
}
