#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/ExportConversions.h"
#include "data/ImportError.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"

#include "common/TextUtils.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include "QtPrinters.h"
#include "RecordingMessages.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ExportConversions;
using namespace Qt::StringLiterals;

namespace {

TEST(ExportConversions, FollowTheExportRules)
{
    const struct {
        const char16_t *text;
        std::optional<double> real;
        std::optional<int> whole;
        std::optional<int> integer;
    } cases[] = {
        {u"1 234,50", {}, {}, {}},
        {u"1 234.50", 1234.5, 1234, {}},
        {u"12.9", 12.9, 12, {}},
        {u"-0.5", -0.5, 0, {}},
        {u"-12.9", -12.9, -12, {}},
        {u" 17 ", 17, 17, 17},
        {u"+5", 5, 5, 5},
        {u"1.5e3", 1500, 1500, {}},
        {u"2E-1", 0.2, 0, {}},
        {u".5", 0.5, 0, {}},
        {u"5.", 5, 5, {}},
        {u"", {}, {}, {}},
        {u"   ", {}, {}, {}},
        {u"-", {}, {}, {}},
        {u"1e", {}, {}, {}},
        {u"12a", {}, {}, {}},
        {u"1\u00a0234", {}, {}, {}},
        {u"2147483647", 2147483647.0, 2147483647, 2147483647},
        {u"-2147483648", -2147483648.0, -2147483647 - 1, -2147483647 - 1},
        {u"2147483648", 2147483648.0, {}, {}},
        {u"2147483647.9", 2147483647.9, 2147483647, {}},
        {u"1e400", {}, {}, {}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const auto real = toFloat(text);
        ASSERT_EQ(real.has_value(), c.real.has_value());
        if (real) {
            EXPECT_DOUBLE_EQ(*real, *c.real);
        }
        EXPECT_EQ(toWhole(text), c.whole);
        EXPECT_EQ(toInteger(text), c.integer);
    }
    EXPECT_EQ(toFlag(u"1"), true);
    EXPECT_EQ(toFlag(u"0"), false);
    EXPECT_EQ(toFlag(u"-3"), false);
    EXPECT_EQ(toFlag(u"x"), std::nullopt);
}

TEST(ExportConversions, UpperCaseIsTheLocaleRuleForLatinCyrillicAndTheRest)
{
    for (const char16_t *text : {u"", u"abc xyz 09 -_/", u"ручка шариковая ёлка", u"ЁЖЗ ђјљ",
                                 u"Grüße", u"ґанок", u"straße ß", u"ǆ ω"}) {
        const QString s = QString::fromUtf16(text);
        EXPECT_EQ(upperCase(s), s.toUpper()) << s.toStdString();
    }
}

TEST(ExportConversions, LineIsTrimmedAndMissingFieldsAreEmpty)
{
    const QStringView line = trimLine(u"\t 17; Ручка ;3 \r");
    EXPECT_EQ(line, u"17; Ручка ;3");
    const QList<QStringView> fields = splitFields(line, 5);
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[1], u" Ручка ");
    EXPECT_EQ(fields[2], u"3");
    EXPECT_TRUE(fields[3].isEmpty());
    EXPECT_TRUE(fields[4].isEmpty());
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(fields[n - 1], TextUtils::ExtractField(line.toString(), QLatin1Char(';'), n));
}

QByteArray cp1251Lines(const QStringList &lines)
{
    return TextUtils::toCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString priceLine(int id, const QString &code, const QString &name, const QString &cena = {})
{
    return QStringLiteral("%1;%2;%3;20;5;%4;10;арт-%1;ТМ;Китай;1;10;100;2.5;0.01;1;2;1;0;460%1")
        .arg(id)
        .arg(code, name, cena.isEmpty() ? QStringLiteral("%1.50").arg(id) : cena);
}

const QString kPriceHeader = QStringLiteral("ID;CODE;FULLNAME;...");
const QString kClassHeader = QStringLiteral("ID;NAME;IDPARENT");

class ImportTest : public ::testing::Test {
protected:
    void writeExports(const QStringList &price, const QStringList &classes)
    {
        dir.write(QStringLiteral("ExportPrice.csv"),
                  cp1251Lines(QStringList{kPriceHeader} + price));
        dir.write(QStringLiteral("ExportClass.csv"),
                  cp1251Lines(QStringList{kClassHeader} + classes));
    }
    bool import()
    {
        return ImportPriceAndClasses(store, dir.path(), QStringLiteral("ExportPrice.csv"),
                                     QStringLiteral("ExportClass.csv"), messages, prompts);
    }
    QStringList dump(const QString &sql)
    {
        Statement q = db.prepare(sql);
        QStringList rows;
        while (q.step()) {
            QStringList values;
            for (int i = 0; i < q.columnCount(); ++i)
                values << (q.isNull(i) ? QStringLiteral("NULL") : q.columnText(i));
            rows << values.join(QLatin1Char('|'));
        }
        return rows;
    }

    Database db;
    TableStore store{db};
    TempDir dir;
    RecordingMessages messages;
    ScriptedPrompts prompts;
};

TEST_F(ImportTest, ReadsBothExportsIntoTablesAndWorkingFiles)
{
    writeExports(
        {QStringLiteral("  1; 00A1 ;Ручка шариковая \"Синяя\";20;1 5;12.5;10;ab-1;Pilot ;Китай;"
                        "12.9;-0.5;100;2.5;0.01;1;2;1;0;  4601 \t"),
         QStringLiteral("2;B2;тетрадь;20;5;1e1;0;x;;;1;1;1;0;0;1;-1;0;3")},
        {QStringLiteral("1;Канцтовары;0"), QStringLiteral("17;;3"), QStringLiteral("2; Ручки ;1")});
    dir.write(QStringLiteral("Tree.lst"), "old cache");
    ASSERT_TRUE(import());

    EXPECT_EQ(dump(QStringLiteral("select id, code, fullname, fullname_ind, koltek, cena, "
                                  "articul_ind, tm, st1, st2, isnew, isphoto, barcode, kolzak, "
                                  "idsubgroup from price order by id")),
              QStringList({QStringLiteral("1| 00A1 |Ручка шариковая \"Синяя\"|РУЧКА ШАРИКОВАЯ "
                                          "\"СИНЯЯ\"|15|12.5|AB-1|Pilot |12|0|1|0|  4601|NULL|2"),
                           QStringLiteral("2|B2|тетрадь|ТЕТРАДЬ|5|10.0|X||1|1|0|1||NULL|-1")}));
    EXPECT_EQ(dump(QStringLiteral("select * from class order by id")),
              QStringList({QStringLiteral("1|Канцтовары|0"), QStringLiteral("2| Ручки |1"),
                           QStringLiteral("17|-|3")}));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Tree.lst"))));

    Database other;
    TableStore reloaded(other);
    reloaded.load(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
    reloaded.load(QStringLiteral("Class"), dir.file(QStringLiteral("Class.lst")));
    EXPECT_EQ(reloaded.rowCount(QStringLiteral("price")), 2);
    EXPECT_EQ(reloaded.rowCount(QStringLiteral("class")), 3);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ImportTest, LongTextIsCutToTheFieldSize)
{
    const QString name = QString(250, QChar(u'я'));
    writeExports({priceLine(1, QStringLiteral("КОД12345678901"), name)},
                 {QStringLiteral("1;") + QString(70, QChar(u'Г')) + QStringLiteral(";0")});
    ASSERT_TRUE(import());
    EXPECT_EQ(dump(QStringLiteral("select code, length(fullname), fullname_ind from price")),
              QStringList(QStringLiteral("КОД1234567|200|") + QString(200, QChar(u'Я'))));
    EXPECT_EQ(dump(QStringLiteral("select length(name) from class")), QStringList(u"50"_s));
}

TEST_F(ImportTest, FailedImportLeavesTablesAndFilesExactlyAsBefore)
{
    writeExports({priceLine(1, QStringLiteral("A"), QStringLiteral("Старый"))},
                 {QStringLiteral("1;Группа;0")});
    ASSERT_TRUE(import());
    dir.write(QStringLiteral("Tree.lst"), "cache");
    const QByteArray priceBefore = dir.read(QStringLiteral("Price.lst"));
    const QByteArray classBefore = dir.read(QStringLiteral("Class.lst"));
    const QStringList rowsBefore = dump(QStringLiteral("select * from price"));
    store.empty(QStringLiteral("Price"));
    store.empty(QStringLiteral("Class"));

    QStringList good;
    for (int id = 10; id < 1500; ++id)
        good << priceLine(id, QStringLiteral("C%1").arg(id), QStringLiteral("Товар %1").arg(id));
    const struct {
        QStringList price;
        QStringList classes;
        const char16_t *error;
    } cases[] = {
        {good.mid(0, 1196) + QStringList(priceLine(7, u"X"_s, u"Плохой"_s, u"12,50"_s)) + good,
         {u"1;Группа;0"_s},
         u"ExportPrice.csv, line 1198, field CENA: \"12,50\" is not a number"},
        {good.mid(0, 5) + QStringList(priceLine(12, u"Y"_s, u"Повтор"_s)),
         {u"1;Группа;0"_s},
         u"ExportPrice.csv, line 7, field ID: \"12\" is already an ID of the table Price"},
        {good.mid(0, 5) + QStringList(QString()) + good.mid(5, 5),
         {u"1;Группа;0"_s},
         u"ExportPrice.csv, line 7, field ID: \"\" is not a number"},
        {good.mid(0, 5) + QStringList(u"20;КОРОТКАЯ;строка"_s),
         {u"1;Группа;0"_s},
         u"ExportPrice.csv, line 7, field NDS: \"\" is not a number"},
        {good,
         {u"5;Группа;0"_s, u"6;Подгруппа;1.5"_s},
         u"ExportClass.csv, line 3, field IDPARENT: \"1.5\" is not an integer"},
        {good,
         {u"5;Группа;0"_s, u"5;Повтор;0"_s},
         u"ExportClass.csv, line 3, field ID: \"5\" is already an ID of the table Class"},
    };
    for (const auto &c : cases) {
        const QString expected = QString::fromUtf16(c.error);
        SCOPED_TRACE(expected.toStdString());
        // The import adds to what the tables hold, so refill them as they were.
        store.load(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
        store.load(QStringLiteral("Class"), dir.file(QStringLiteral("Class.lst")));
        db.exec(QStringLiteral("update price set kolzak=3"));
        const QStringList withOrder = dump(QStringLiteral("select * from price"));
        writeExports(c.price, c.classes);
        try {
            import();
            ADD_FAILURE() << "imported";
        } catch (const ImportError &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), expected);
        }
        EXPECT_EQ(dump(QStringLiteral("select * from price")), withOrder);
        EXPECT_EQ(dump(QStringLiteral("select * from class")), QStringList(u"1|Группа|0"_s));
        EXPECT_EQ(dir.read(QStringLiteral("Price.lst")), priceBefore);
        EXPECT_EQ(dir.read(QStringLiteral("Class.lst")), classBefore);
        EXPECT_EQ(dir.read(QStringLiteral("Tree.lst")), QByteArray("cache"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
    }
    EXPECT_EQ(rowsBefore.size(), 1);
}

TEST_F(ImportTest, ProgressCountsPriceRowsBeforeAndClassRowsAfterEachRow)
{
    const auto progress = [&](const QString &prefix) {
        QStringList shown;
        for (const QString &line : messages.lines) {
            if (line.startsWith(prefix))
                shown << line.mid(prefix.size());
        }
        return shown;
    };
    writeExports({}, {});
    ASSERT_TRUE(import());
    EXPECT_EQ(progress(u"Импорт прайса..."_s), QStringList({QString(), u"(0)"_s}));
    EXPECT_EQ(progress(u"Импорт классификатора..."_s), QStringList({QString(), u"(0)"_s}));
    EXPECT_EQ(store.rowCount(u"Price"_s), 0);
    EXPECT_TRUE(QFile::exists(dir.file(u"Price.lst"_s)));

    QStringList price, classes;
    for (int i = 1; i <= 250; ++i) {
        price << priceLine(i, QStringLiteral("C%1").arg(i), QStringLiteral("Товар"));
        classes << QStringLiteral("%1;Группа %1;0").arg(i);
    }
    writeExports(price, classes);
    messages.lines.clear();
    store.empty(u"Price"_s);
    store.empty(u"Class"_s);
    ASSERT_TRUE(import());
    EXPECT_EQ(progress(u"Импорт прайса..."_s),
              QStringList({QString(), u"(0)"_s, u"(100)"_s, u"(200)"_s, u"(250)"_s}));
    EXPECT_EQ(progress(u"Импорт классификатора..."_s),
              QStringList({QString(), u"(100)"_s, u"(200)"_s, u"(250)"_s}));
    EXPECT_EQ(messages.current, u"Импорт классификатора...(250)"_s);
}

// A price list of over a megabyte is read by two threads, one half each: the rows, the order
// of the errors and their line numbers must be what one reader gives.
TEST_F(ImportTest, LargeExportReadInHalvesKeepsRowsErrorsAndLineNumbers)
{
    const int count = 14000; // about 1.3 million characters
    QStringList good;
    for (int id = 1; id <= count; ++id)
        good << priceLine(id, QStringLiteral("C%1").arg(id),
                          QStringLiteral("Товар номер %1").arg(id));
    ASSERT_GT((good.join(u"\r\n"_s)).size(), 1 << 20);
    const auto with = [&](std::initializer_list<std::pair<int, QString>> replaced) {
        QStringList lines = good;
        for (const auto &[line, text] : replaced)
            lines[line - 2] = text; // line 1 is the header
        return lines;
    };
    const QString badCena = priceLine(900001, u"X"_s, u"Плохой"_s, u"1,5"_s);
    const struct {
        QStringList price;
        QString error;
    } cases[] = {
        {with({{13500, badCena}}),
         u"ExportPrice.csv, line 13500, field CENA: \"1,5\" is not a number"_s},
        {with({{13000, priceLine(20, u"D"_s, u"Повтор"_s)}}),
         u"ExportPrice.csv, line 13000, field ID: \"20\" is already an ID of the table Price"_s},
        {with({{50, badCena}, {13000, priceLine(20, u"D"_s, u"Повтор"_s)}}),
         u"ExportPrice.csv, line 50, field CENA: \"1,5\" is not a number"_s},
        {with({{60, priceLine(20, u"D"_s, u"Повтор"_s)}, {13500, badCena}}),
         u"ExportPrice.csv, line 60, field ID: \"20\" is already an ID of the table Price"_s},
        {with({{13600, priceLine(13100, u"D"_s, u"Повтор"_s)}, {13700, badCena}}),
         u"ExportPrice.csv, line 13600, field ID: \"13100\" is already an ID of the table "
         u"Price"_s},
        {with({{13600, priceLine(13100, u"D"_s, u"Повтор"_s)}, {13300, badCena}}),
         u"ExportPrice.csv, line 13300, field CENA: \"1,5\" is not a number"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        writeExports(c.price, {u"1;Группа;0"_s});
        try {
            import();
            ADD_FAILURE() << "imported";
        } catch (const ImportError &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), c.error);
        }
        EXPECT_EQ(store.rowCount(u"Price"_s), 0);
    }

    writeExports(good, {u"1;Группа;0"_s});
    messages.lines.clear();
    ASSERT_TRUE(import());
    EXPECT_EQ(
        dump(u"select count(*), count(distinct id), min(id), max(id), sum(cena) from price"_s),
        QStringList(u"14000|14000|1|14000|98014000.0"_s));
    EXPECT_EQ(dump(u"select code, fullname, fullname_ind from price where id=13999"_s),
              QStringList(u"C13999|Товар номер 13999|ТОВАР НОМЕР 13999"_s));
    QStringList expected{QString()};
    for (int n = 0; n < count; n += 100)
        expected << QStringLiteral("(%1)").arg(n);
    expected << QStringLiteral("(%1)").arg(count);
    QStringList shown;
    for (const QString &line : messages.lines) {
        if (line.startsWith(u"Импорт прайса..."_s))
            shown << line.mid(16);
    }
    EXPECT_EQ(shown, expected);
}

// An export saved as UTF-8 by mistake (with or without its byte order mark) is read as UTF-8.
TEST_F(ImportTest, ExportSavedAsUtf8IsReadAsUtf8)
{
    for (const QByteArray &mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        SCOPED_TRACE(mark.size());
        dir.write(u"ExportPrice.csv"_s,
                  mark + (kPriceHeader + u"\r\n"_s + priceLine(1, u"К1"_s, u"Ручка «Синяя» №1"_s) +
                          u"\r\n"_s)
                             .toUtf8());
        dir.write(u"ExportClass.csv"_s,
                  mark + (kClassHeader + u"\r\n1;Канцтовары;0\r\n"_s).toUtf8());
        ASSERT_TRUE(import());
        EXPECT_EQ(dump(u"select id, code, fullname, fullname_ind from price"_s),
                  QStringList(u"1|К1|Ручка «Синяя» №1|РУЧКА «СИНЯЯ» №1"_s));
        EXPECT_EQ(dump(u"select * from class"_s), QStringList(u"1|Канцтовары|0"_s));
        store.empty(u"Price"_s); // the import adds to what the tables hold
        store.empty(u"Class"_s);
    }
}

TEST_F(ImportTest, MissingExportIsReportedAndChangesNothing)
{
    dir.write(QStringLiteral("ExportPrice.csv"), cp1251Lines({kPriceHeader}));
    dir.write(QStringLiteral("Tree.lst"), "cache");
    EXPECT_FALSE(import());
    EXPECT_EQ(prompts.texts(u"error"_s),
              QStringList(u"Файл(ы) импорта не были найдены в искомом месте. Импорт данных "
                          u"будет пропущен."_s));
    EXPECT_FALSE(QFile::exists(dir.file(u"Price.lst"_s)));
    EXPECT_TRUE(QFile::exists(dir.file(u"Tree.lst"_s)));
}

} // namespace
