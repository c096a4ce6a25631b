#include "ReadBack.h"
#include "xls/Palette.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

template <class F> int errorCode(F &&f)
{
    try {
        f();
    } catch (const EXLSError &e) {
        return e.code();
    }
    return -1;
}

} // namespace

TEST(WorkbookModel, NewDocumentHasOneSheetAndDefaultTables)
{
    TXLSFile file;
    TWorkbook &book = file.Workbook();
    ASSERT_EQ(book.Sheets().Count(), 1);
    EXPECT_EQ(book.Sheets().Item(0).name(), u"Sheet1"_s);
    EXPECT_THROW(book.Sheets().Item(1), std::out_of_range);
    EXPECT_EQ(book.FontTable().Count(), 1);
    EXPECT_EQ(book.FontTable().Item(0).nameText(), u"Arial"_s);
    EXPECT_EQ(book.XFTable().Count(), 1);
    EXPECT_EQ(TWorkbook(3).Sheets().Item(2).name(), u"Sheet3"_s);
}

TEST(WorkbookModel, CellAskedForButNeverChangedIsNotStored)
{
    TXLSFile file;
    TCells &cells = file.Workbook().Sheets().Item(0).Cells();
    cells.Item(5, 5);
    cells.Item(0, 0).setValue(u"a"_s);
    cells.Item(7, 7).FontBold(false); // already the value: no change, so not stored either
    EXPECT_EQ(cells.Count(), 1);

    const auto records = ReadBack::records(ReadBack::workbookStream(file));
    EXPECT_EQ(ReadBack::recordsOfType(records, 0x00FD).size(), 1u); // LABELSST
    EXPECT_TRUE(ReadBack::recordsOfType(records, 0x0201).empty());  // BLANK
    const auto dimensions = ReadBack::recordsOfType(records, 0x0200);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(dimensions[0].data, ReadBack::hex("00000000 01000000 0000 0100 0000"));
}

TEST(WorkbookModel, FormatsAreInternedByTheirBytes)
{
    TXLSFile file;
    TWorkbook &book = file.Workbook();
    TCells &cells = book.Sheets().Item(0).Cells();

    // Bold on two default cells: one new font and one new XF, shared.
    cells.Item(0, 0).FontBold(true);
    cells.Item(3, 2).FontBold(true);
    EXPECT_EQ(book.FontTable().Count(), 2);
    EXPECT_EQ(book.XFTable().Count(), 2);
    EXPECT_EQ(cells.Item(0, 0).xfIndex(), 1);
    EXPECT_EQ(cells.Item(3, 2).xfIndex(), 1);

    // The same setting twice creates nothing new.
    cells.Item(1, 1).HAlign(2);
    cells.Item(1, 1).HAlign(2);
    EXPECT_EQ(book.XFTable().Count(), 3);

    // Undoing a change finds the earlier record again.
    cells.Item(0, 0).FontBold(false);
    EXPECT_EQ(cells.Item(0, 0).xfIndex(), 0);
    EXPECT_EQ(book.FontTable().Count(), 2);
    EXPECT_EQ(book.XFTable().Count(), 3);
}

TEST(WorkbookModel, NearestColourPrefersTheFirstOfEquallyNearEntries)
{
    struct Case {
        int r, g, b, index;
    } cases[] = {
        {1, 0, 0, 1},           // black, palette entry 8, not the system colours 57/58
        {0, 0, 0, 1},           //
        {255, 0, 0, 3},         // red
        {0x99, 0xCC, 0xFF, 37}, // light blue, colour number 44
        {0x33, 0x33, 0x33, 56}, // dark grey, colour number 63
        {250, 250, 250, 2},     // nearly white
    };
    for (const Case &c : cases)
        EXPECT_EQ(Palette::nearestColourIndex(c.r, c.g, c.b), c.index) << c.r << ' ' << c.g;

    TXLSFile file;
    TCell &cell = file.Workbook().Sheets().Item(0).Cells().Item(0, 0);
    cell.FontColorRGB(1, 0, 0);
    EXPECT_EQ(file.Workbook().FontTable().Item(1).colorIndex, 1);
}

TEST(WorkbookModel, AddedNumberFormatsGetIdsFrom164)
{
    TXLSFile file;
    TFormatStrings &formats = file.Workbook().FormatStrings();
    EXPECT_EQ(formats.Count(), 36);
    EXPECT_EQ(formats.Item(0).format, u"General"_s);
    EXPECT_EQ(formats.Add(u"0.00"_s), 36);
    EXPECT_EQ(formats.Item(36).id, 164);
    EXPECT_EQ(formats.Add(u"0.000"_s), 37);
    EXPECT_EQ(formats.Item(37).id, 165);
}

TEST(WorkbookModel, ColumnWidthAndRowHeightConversions)
{
    struct Case {
        TDisplayMetrics metrics;
        int px;
        double characters;
    } cases[] = {
        {TDisplayMetrics::setA(), 0, 0},
        {TDisplayMetrics::setA(), 2, 2 * 0.0834},
        {TDisplayMetrics::setA(), 11, 11 * 0.0834},
        {TDisplayMetrics::setA(), 12, (12 - 5) / 7.0},
        {TDisplayMetrics::setA(), 350, 345 / 7.0},
        {TDisplayMetrics::setB(), 2, 2 * 0.0626},
        {TDisplayMetrics::setB(), 12, (12 - 7) / 9.0},
    };
    for (const Case &c : cases) {
        TXLSFile file(c.metrics);
        TColumn &column = file.Workbook().Sheets().Item(0).Columns().Item(0);
        column.WidthPixels(c.px);
        EXPECT_DOUBLE_EQ(column.size(), c.characters) << c.px;
    }

    EXPECT_EQ(TDisplayMetrics::forScreenDpi(0).characterWidth, 7); // no screen: set A
    EXPECT_EQ(TDisplayMetrics::forScreenDpi(96).characterWidth, 7);
    EXPECT_EQ(TDisplayMetrics::forScreenDpi(120).characterWidth, 9);

    TXLSFile file(TDisplayMetrics::setB());
    TRows &rows = file.Workbook().Sheets().Item(0).Rows();
    rows.Item(3).HeightPixels(22); // the default height: nothing to store
    EXPECT_EQ(rows.Count(), 0);
    rows.Item(3).HeightPixels(50);
    EXPECT_DOUBLE_EQ(rows.Item(3).size(), 30.0);
    EXPECT_EQ(rows.Count(), 1);
}

TEST(WorkbookModel, InvalidPositionsNamesAndValuesRaiseTheirCodes)
{
    TXLSFile file;
    TWorkbook &book = file.Workbook();
    TCells &cells = book.Sheets().Item(0).Cells();
    struct Case {
        const char *what;
        std::function<void()> action;
        int code;
    } cases[] = {
        {"column 256", [&] { cells.Item(0, 256); }, 5},
        {"row 65536", [&] { cells.Item(65536, 0); }, 5},
        {"negative row", [&] { cells.Item(-1, 0); }, 5},
        {"column item 256", [&] { book.Sheets().Item(0).Columns().Item(256); }, 5},
        {"text too long", [&] { cells.Item(0, 0).setValue(QString(65536, u'x')); }, 3},
        {"empty sheet name", [&] { book.Sheets().Add(QString()); }, 7},
        {"sheet name of 256", [&] { book.Sheets().Add(QString(256, u'x')); }, 7},
        {"blank sheet name", [&] { book.Sheets().Add(u"   "_s); }, 6},
        {"used sheet name", [&] { book.Sheets().Add(u"sheet1"_s); }, 6},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorCode(c.action), c.code) << c.what;
    EXPECT_EQ(EXLSError(6).what(), std::string("Invalid or duplicated sheet name"));
    EXPECT_EQ(EXLSError(7).what(), std::string("Sheet name must have a length 1..255"));
    EXPECT_EQ(EXLSError(5).what(), std::string("Invalid row or column number"));
    EXPECT_EQ(EXLSError(2, u"Workbook"_s).what(),
              std::string("Stream not found: Workbook. File format is not Excel 97 or higher."));
    // A text of exactly the limit is fine, and nothing above was stored.
    cells.Item(0, 0).setValue(QString(65535, u'x'));
    EXPECT_EQ(cells.Count(), 1);
    EXPECT_EQ(book.Sheets().Count(), 1);
    book.Sheets().Add(QString(255, u'y'));
    EXPECT_EQ(book.Sheets().Count(), 2);
}

TEST(WorkbookModel, RangeAppliesToEachCellInRectangleOrder)
{
    TXLSFile file;
    TSheet &sheet = file.Workbook().Sheets().Item(0);
    TRange &range = sheet.Ranges().Add();
    range.AddRect(2, 3, 4, 5);
    range.AddRect(0, 0, 1, 0); // last column before the first: skipped
    range.AddRect(0, 0, 0, 0);
    range.FontBold(true);
    ASSERT_EQ(sheet.Cells().Count(), 5);
    const int expected[5][2] = {{2, 4}, {2, 5}, {3, 4}, {3, 5}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sheet.Cells().At(i).row(), expected[i][0]);
        EXPECT_EQ(sheet.Cells().At(i).column(), expected[i][1]);
        EXPECT_EQ(sheet.Cells().At(i).xfIndex(), 1);
    }
}

TEST(WorkbookModel, NewCellStartsWithTheFormatOfItsColumnOrRow)
{
    TXLSFile file;
    TSheet &sheet = file.Workbook().Sheets().Item(0);
    sheet.Cells().Item(0, 0).FontBold(true); // XF 1
    sheet.Cells().Item(0, 1).HAlign(3);      // XF 2
    sheet.Columns().Item(4).setXFIndex(1);
    sheet.Rows().Item(9).setXFIndex(2);
    EXPECT_EQ(sheet.Cells().Item(5, 4).xfIndex(), 1);
    EXPECT_EQ(sheet.Cells().Item(9, 7).xfIndex(), 2);
    EXPECT_EQ(sheet.Cells().Item(8, 8).xfIndex(), 0);
}

// The shortcuts of filling: a caller string given again, the same number format given to a
// column. Each must give what the long way gives, also when the string changed in between or
// the cells started from different formats.
TEST(WorkbookModel, RepeatedTextsAndFormatsGiveWhatTheLongWayGives)
{
    TXLSFile file;
    TWorkbook &book = file.Workbook();
    TCells &cells = book.Sheets().Item(0).Cells();
    QString unit = QString::fromUtf16(u"шт."); // its own buffer, changed in place below
    cells.Item(0, 0).setValue(unit);
    cells.Item(1, 0).setValue(unit);
    const void *before = unit.constData();
    unit[0] = u'м';
    ASSERT_EQ(unit.constData(), before);
    cells.Item(2, 0).setValue(unit);
    EXPECT_EQ(cells.Item(0, 0).text(), u"шт."_s);
    EXPECT_EQ(cells.Item(1, 0).text(), u"шт."_s);
    EXPECT_EQ(cells.Item(2, 0).text(), u"мт."_s);
    book.StringTable().resolve();
    EXPECT_EQ(book.StringTable().canonical(cells.Item(0, 0).textIndex()),
              book.StringTable().canonical(cells.Item(1, 0).textIndex()));

    const int money = book.FormatStrings().Add(u"0.00"_s);
    TCell &plain = cells.Item(0, 1);
    plain.setValue(1.5);
    plain.FormatIndex(money);
    TCell &bold = cells.Item(1, 1);
    bold.setValue(2.5);
    bold.FontBold(true);
    bold.FormatIndex(money);
    TCell &again = cells.Item(2, 1);
    again.setValue(3.5);
    again.FormatIndex(money);
    TCell &unstored = cells.Item(3, 1);
    unstored.FormatIndex(0); // the format it has: nothing changes, nothing is stored
    EXPECT_FALSE(unstored.isStored());
    EXPECT_EQ(again.xfIndex(), plain.xfIndex());
    EXPECT_NE(bold.xfIndex(), plain.xfIndex());
    EXPECT_EQ(book.XFTable().Item(bold.xfIndex()).format, money);
    EXPECT_EQ(book.XFTable().Item(plain.xfIndex()).format, money);
    EXPECT_NE(book.XFTable().Item(bold.xfIndex()).font, book.XFTable().Item(plain.xfIndex()).font);
    // An empty cell given the format is stored with it.
    TCell &formatted = cells.Item(4, 1);
    formatted.FormatIndex(money);
    EXPECT_TRUE(formatted.isStored());
    EXPECT_EQ(formatted.xfIndex(), plain.xfIndex());
}
