#include "order/OrderArchive.h"
#include "order/OrderBook.h"

#include "OrderFixture.h"
#include "common/Clock.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>

namespace {

class OrderArchiveTest : public OrderFixture {
protected:
    OrderArchiveTest()
    {
        addProduct({1, QStringLiteral("100"), QStringLiteral("Клей \"Момент\""), 123.45});
        addProduct({2, QStringLiteral("200"), QStringLiteral("Тетрадь"), 19.99, 3});
        addProduct({3, QStringLiteral("300"), QStringLiteral("Скрепки"), 3.2});
        store.save(CatalogTables::Main, mainPath());
        store.save(CatalogTables::Doc, docPath());
    }

    QString mainPath() const { return dir.file(QStringLiteral("Main.lst")); }
    QString docPath() const { return dir.file(QStringLiteral("Doc.lst")); }
    QByteArray files() const
    {
        return dir.read(QStringLiteral("Main.lst")) + "|" + dir.read(QStringLiteral("Doc.lst"));
    }

    // Rows of a table as stored in its working file.
    int rowsInFile(const QString &table, const QString &path)
    {
        Database other;
        TableStore otherStore(other);
        otherStore.load(table, path);
        return otherStore.rowCount(table);
    }

    void composeOrder()
    {
        book.setDiscountText(QStringLiteral("5"));
        book.addOrderLine(1, 3);
        book.addOrderLine(2, 7);
    }

    TempDir dir;
    FixedClock clock{QDateTime(QDate(2024, 12, 9), QTime(13, 5, 41, 730))};
    ScriptedPrompts prompts;
    OrderBook book{db};
    OrderArchive archive{book, store, prompts, clock, mainPath(), docPath()};
};

} // namespace

TEST_F(OrderArchiveTest, SavingTwiceGivesTwoHeadersWithEqualLines)
{
    EXPECT_FALSE(archive.saveCurrentOrder());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(archive.headers().isEmpty());

    composeOrder();
    const QByteArray before = files();
    ASSERT_TRUE(archive.saveCurrentOrder());
    EXPECT_NE(files(), before);
    clock.set(clock.now().addSecs(1));
    ASSERT_TRUE(archive.saveCurrentOrder());
    EXPECT_EQ(prompts.texts(QStringLiteral("info")),
              QStringList(2, QStringLiteral("Текущий заказ сохранен.")));
    EXPECT_EQ(book.lineCount(), 2); // the current order stays

    const auto headers = archive.headers();
    ASSERT_EQ(headers.size(), 2);
    EXPECT_NE(headers.at(0).id, headers.at(1).id);
    for (const auto &h : headers) {
        const QList<OrderLine> lines = archive.lines(h.id);
        ASSERT_EQ(lines.size(), h.rowCount);
        double sum = 0;
        for (const OrderLine &l : lines)
            sum += l.summa;
        EXPECT_DOUBLE_EQ(h.summa, sum);
        EXPECT_DOUBLE_EQ(h.summa, 487.57);
        EXPECT_EQ(lines.at(0).fullName, QStringLiteral("Клей \"Момент\""));
        EXPECT_EQ(lines.at(1).procentDiscount, 3);
    }
    EXPECT_EQ(rowsInFile(CatalogTables::Main, mainPath()), 2);
    EXPECT_EQ(rowsInFile(CatalogTables::Doc, docPath()), 4);
}

TEST_F(OrderArchiveTest, TheListIsNewestFirstStampedToTheSecond)
{
    book.addOrderLine(1, 1);
    clock.set(QDateTime(QDate(2024, 12, 9), QTime(13, 5, 42, 10)));
    archive.saveCurrentOrder();
    clock.set(QDateTime(QDate(2024, 12, 9), QTime(9, 0, 0)));
    archive.saveCurrentOrder(); // saved later, stamped earlier (the clock was put back)
    clock.set(QDateTime(QDate(2025, 1, 2), QTime(0, 0, 7)));
    archive.saveCurrentOrder();
    const auto headers = archive.headers();
    ASSERT_EQ(headers.size(), 3);
    EXPECT_EQ(OrderArchive::dateText(headers.at(0).datet), QStringLiteral("02.01.2025 00:00:07"));
    EXPECT_EQ(OrderArchive::dateText(headers.at(1).datet), QStringLiteral("09.12.2024 13:05:42"));
    EXPECT_EQ(OrderArchive::dateText(headers.at(2).datet), QStringLiteral("09.12.2024 09:00:00"));
    EXPECT_EQ(headers.at(1).datet.time().msec(), 0);
}

TEST_F(OrderArchiveTest, NewOrderAsksOnlyForANonEmptyOrder)
{
    QStringList discountTexts;
    QObject::connect(&book, &OrderBook::discountTextChanged, &book,
                     [&](const QString &t) { discountTexts << t; });
    book.setDiscountText(QStringLiteral("5"));
    archive.newOrder();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(book.discountText(), QStringLiteral("5"));

    const QByteArray before = files();
    composeOrder();
    prompts.confirmAnswers = {false};
    archive.newOrder();
    EXPECT_EQ(prompts.texts(QStringLiteral("confirm")),
              QStringList({QStringLiteral(
                  "Перед открытием нового заказа ,можно сохранить текущий заказ. Сохранить?")}));
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(book.discountText(), QString());
    EXPECT_EQ(discountTexts, QStringList({QString()}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from price where kolzak is not null")), 0);
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(archive.headers().isEmpty());

    composeOrder();
    prompts.confirmAnswers = {true};
    archive.newOrder();
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(archive.headers().size(), 1);
    EXPECT_EQ(prompts.texts(QStringLiteral("info")).size(), 1);
}

TEST_F(OrderArchiveTest, LoadTakesProductAndQuantityAndDropsVanishedProducts)
{
    composeOrder();
    book.addOrderLine(3, 10);
    archive.saveCurrentOrder();
    const int saved = archive.headers().first().id;
    const QByteArray before = files();

    prompts.confirmAnswers = {false};
    EXPECT_FALSE(archive.load(saved)); // No keeps the current order
    EXPECT_EQ(book.lineCount(), 3);

    book.clear();
    book.addOrderLine(2, 1);
    removeProduct(3);
    setPrice(1, 100);
    book.setDiscountText(QString());
    prompts.confirmAnswers = {true};
    ASSERT_TRUE(archive.load(saved));
    EXPECT_EQ(
        prompts.texts(QStringLiteral("confirm")),
        QStringList(2, QStringLiteral("Загрузка заказа из архива заказов перепишет текущий заказ. "
                                      "Продолжить?")));
    const QList<OrderLine> lines = book.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).kol, 3);
    EXPECT_EQ(lines.at(0).cena, 100); // today's price, today's (empty) discount
    EXPECT_EQ(lines.at(1).kol, 7);
    EXPECT_EQ(kolzak(1), 3);
    EXPECT_EQ(kolzak(2), 7);
    EXPECT_EQ(files(), before);

    // Into an empty order nothing is asked.
    book.clear();
    prompts.shown.clear();
    EXPECT_TRUE(archive.load(saved));
    EXPECT_TRUE(prompts.texts(QStringLiteral("confirm")).isEmpty());
}

TEST_F(OrderArchiveTest, DeleteRemovesHeaderAndLinesFromTablesAndFiles)
{
    EXPECT_FALSE(archive.remove(0));
    EXPECT_TRUE(prompts.shown.empty());

    composeOrder();
    archive.saveCurrentOrder();
    clock.set(clock.now().addSecs(60));
    archive.saveCurrentOrder();
    const int newest = archive.headers().first().id;

    const QByteArray before = files();
    prompts.confirmAnswers = {false};
    EXPECT_FALSE(archive.remove(newest));
    EXPECT_EQ(files(), before);

    prompts.confirmAnswers = {true};
    ASSERT_TRUE(archive.remove(newest));
    EXPECT_EQ(prompts.texts(QStringLiteral("confirm")),
              QStringList(2, QStringLiteral("Удалить текущий заказ из архива?")));
    EXPECT_EQ(archive.headers().size(), 1);
    EXPECT_TRUE(archive.lines(newest).isEmpty());
    EXPECT_EQ(rowsInFile(CatalogTables::Main, mainPath()), 1);
    EXPECT_EQ(rowsInFile(CatalogTables::Doc, docPath()), 2);
}

TEST_F(OrderArchiveTest, AFileThatCannotBeWrittenLeavesNoHalfSavedOrder)
{
    composeOrder();
    archive.saveCurrentOrder();
    const QByteArray before = files();
    // A folder in the way of the lines' file: the header's file is written, the lines' is not.
    dir.write(QStringLiteral("Doc.lst.tmp/blocker"), "x");

    EXPECT_THROW(archive.saveCurrentOrder(), std::runtime_error);
    EXPECT_EQ(archive.headers().size(), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from doc")), 2);
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(QFileInfo::exists(mainPath() + QStringLiteral(".tmp")));
    EXPECT_EQ(prompts.texts(QStringLiteral("info")).size(), 1);

    prompts.confirmAnswers = {true};
    EXPECT_THROW(archive.remove(archive.headers().first().id), std::runtime_error);
    EXPECT_EQ(archive.headers().size(), 1);
    EXPECT_EQ(files(), before);

    // Once the way is clear the next save gets the number the failed one would have had.
    QDir(dir.file(QStringLiteral("Doc.lst.tmp"))).removeRecursively();
    const int first = archive.headers().first().id;
    ASSERT_TRUE(archive.saveCurrentOrder());
    EXPECT_EQ(archive.headers().first().id, first + 1);
}
