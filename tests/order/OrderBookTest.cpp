#include "order/OrderBook.h"
#include "order/OrderError.h"

#include "OrderFixture.h"

namespace {

class OrderBookTest : public OrderFixture {
protected:
    OrderBookTest()
    {
        addProduct({1, QStringLiteral("12345"), QStringLiteral("Ручка \"Пилот\" синяя"), 123.45});
        addProduct({2, QStringLiteral("200"), QStringLiteral("Тетрадь"), 19.99, 3});
        addProduct({3, QStringLiteral("300 "), QStringLiteral("Клей"), 0.75, 0.01});
    }

    OrderBook book{db};
};

} // namespace

TEST_F(OrderBookTest, AddingALinePricesItMirrorsItAndUpdatesTheTotals)
{
    int lineSignals = 0, quantitySignals = 0;
    QObject::connect(&book, &OrderBook::linesChanged, &book, [&] { ++lineSignals; });
    QObject::connect(&book, &OrderBook::orderedQuantitiesChanged, &book,
                     [&] { ++quantitySignals; });
    book.setDiscountText(QStringLiteral("5"));
    book.addOrderLine(1, 3);
    book.addOrderLine(2, 7);

    const QList<OrderLine> lines = book.lines();
    ASSERT_EQ(lines.size(), 2);
    const OrderLine &a = lines.at(0);
    EXPECT_EQ(a.idPrice, 1);
    EXPECT_EQ(a.code, QStringLiteral("12345"));
    EXPECT_EQ(a.fullName, QStringLiteral("Ручка \"Пилот\" синяя"));
    EXPECT_EQ(a.barcode, QStringLiteral("461"));
    EXPECT_EQ(a.country, QStringLiteral("Россия"));
    EXPECT_EQ(a.nds, 20);
    EXPECT_EQ(a.kol, 3);
    EXPECT_EQ(a.procentDiscount, 5);
    EXPECT_DOUBLE_EQ(a.cena, 117.28);
    EXPECT_DOUBLE_EQ(a.summa, 351.84);
    EXPECT_DOUBLE_EQ(a.cenaDiscount, 6.17);
    EXPECT_DOUBLE_EQ(a.summaPrice, 370.35);
    EXPECT_DOUBLE_EQ(a.summaDiscount, 18.51);
    EXPECT_EQ(lines.at(1).procentDiscount, 3); // limited by its MAXDISCOUNT
    EXPECT_DOUBLE_EQ(lines.at(1).cena, 19.39);

    EXPECT_EQ(kolzak(1), 3);
    EXPECT_EQ(kolzak(2), 7);
    EXPECT_EQ(kolzak(3), -1);
    EXPECT_EQ(book.totalsText(), QStringLiteral("Сумма заказа: 510.28 - 22.71 = 487.57"));
    EXPECT_EQ(lineSignals, 2);
    EXPECT_EQ(quantitySignals, 2);
}

TEST_F(OrderBookTest, AQuantityBelowOneAddsNothingAndNeverTwoLinesPerProduct)
{
    book.addOrderLine(1, 0);
    book.addOrderLine(0, 5);
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);
    EXPECT_EQ(book.totalsText(), QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00"));

    book.addOrderLine(1, 2);
    book.addOrderLine(1, 4);
    EXPECT_EQ(book.lineCount(), 1);
    EXPECT_EQ(book.quantityOf(1).count, 1);
    EXPECT_EQ(book.quantityOf(1).kol, 4);
    EXPECT_EQ(kolzak(1), 4);
    book.addOrderLine(1, 0);
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);
}

TEST_F(OrderBookTest, AProductMissingFromThePriceListIsRefused)
{
    book.addOrderLine(1, 2);
    EXPECT_THROW(book.addOrderLine(99, 1), OrderError);
    EXPECT_EQ(book.lineCount(), 1);

    removeProduct(1);
    EXPECT_THROW(book.setOrderLineKol(1, 5), OrderError);
    EXPECT_THROW(book.postLineKol(book.lineIds().first(), 5), OrderError);
    EXPECT_EQ(book.lines().first().kol, 2); // unchanged
}

TEST_F(OrderBookTest, SetOrderLineKolChangesOrRemovesTheLine)
{
    book.addOrderLine(1, 2);
    book.setOrderLineKol(1, 10);
    ASSERT_EQ(book.lineCount(), 1);
    EXPECT_EQ(book.lines().first().kol, 10);
    EXPECT_DOUBLE_EQ(book.lines().first().summaPrice, 1234.5);
    EXPECT_EQ(kolzak(1), 10);
    // The name keeps its double quotes through a change.
    EXPECT_EQ(book.lines().first().fullName, QStringLiteral("Ручка \"Пилот\" синяя"));

    book.setOrderLineKol(1, 0);
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);
    EXPECT_EQ(book.totalsText(), QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00"));
}

TEST_F(OrderBookTest, TheOrderGridQuantityRepricesOrRemovesTheLine)
{
    book.addOrderLine(1, 2);
    book.addOrderLine(2, 1);
    const int line = book.lineIds().first();
    book.setDiscountText(QStringLiteral("5"));
    setPrice(1, 100); // a posted line takes the current price
    book.postLineKol(line, 3);
    EXPECT_DOUBLE_EQ(book.line(line)->cena, 95);
    EXPECT_DOUBLE_EQ(book.line(line)->summa, 285);
    EXPECT_EQ(kolzak(1), 3);

    book.postLineKol(line, 0);
    EXPECT_FALSE(book.line(line).has_value());
    EXPECT_EQ(kolzak(1), -1);
    EXPECT_EQ(book.lineCount(), 1);

    book.deleteLine(book.lineIds().first());
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(2), -1);
}

TEST_F(OrderBookTest, ADiscountChangeRepricesEveryLineAndKeepsQuotes)
{
    book.addOrderLine(1, 3);
    book.addOrderLine(2, 7);
    book.addOrderLine(3, 1);
    book.setDiscountText(QStringLiteral("5"));
    QList<OrderLine> lines = book.lines();
    EXPECT_EQ(lines.at(0).procentDiscount, 5);
    EXPECT_EQ(lines.at(1).procentDiscount, 3);
    EXPECT_EQ(lines.at(2).procentDiscount, 0);
    EXPECT_EQ(lines.at(0).fullName, QStringLiteral("Ручка \"Пилот\" синяя"));
    EXPECT_EQ(lines.at(2).code, QStringLiteral("300")); // changed lines store trimmed texts

    for (const char *box : {"100", "", "abc"}) {
        book.setDiscountText(QString::fromLatin1(box));
        for (const OrderLine &l : book.lines())
            EXPECT_EQ(l.procentDiscount, 0) << box;
    }

    // A line whose product left the price list keeps its amounts.
    book.setDiscountText(QStringLiteral("5"));
    removeProduct(1);
    book.setDiscountText(QStringLiteral("50"));
    lines = book.lines();
    EXPECT_EQ(lines.at(0).procentDiscount, 5);
    EXPECT_EQ(lines.at(1).procentDiscount, 3);
}

TEST_F(OrderBookTest, ClearEmptiesTheOrderAndEveryMirror)
{
    book.addOrderLine(1, 3);
    book.addOrderLine(2, 7);
    book.clear();
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from price where kolzak is not null")), 0);
    EXPECT_EQ(book.totalsText(), QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00"));
}

TEST_F(OrderBookTest, LargeTotalsAreGroupedByThree)
{
    addProduct({4, QStringLiteral("4"), QStringLiteral("Сейф"), 1234567.5});
    book.addOrderLine(4, 1);
    EXPECT_EQ(book.totalsText(),
              QStringLiteral("Сумма заказа: 1 234 567.50 - 0.00 = 1 234 567.50"));
}

TEST_F(OrderBookTest, ADiscountChangePricesExactlyAsAddingTheLinesAtThatDiscount)
{
    addProduct({4, QStringLiteral("4"), QStringLiteral("Папка"), 1000, 7.5});
    const QList<QPair<int, int>> order = {{1, 3}, {2, 7}, {3, 1}, {4, 4}};
    for (const char *discount : {"5", "7.5", "12.25", "99.99"}) {
        SCOPED_TRACE(discount);
        book.clear();
        book.setDiscountText(QString::fromLatin1(discount));
        for (const auto &[id, kol] : order)
            book.addOrderLine(id, kol);
        const QList<OrderLine> added = book.lines();

        book.clear();
        book.setDiscountText(QString());
        for (const auto &[id, kol] : order)
            book.addOrderLine(id, kol);
        book.setDiscountText(QString::fromLatin1(discount));
        const QList<OrderLine> repriced = book.lines();
        ASSERT_EQ(repriced.size(), added.size());
        for (int i = 0; i < added.size(); ++i) {
            EXPECT_EQ(repriced[i].procentDiscount, added[i].procentDiscount);
            EXPECT_EQ(repriced[i].cena, added[i].cena);
            EXPECT_EQ(repriced[i].summa, added[i].summa);
            EXPECT_EQ(repriced[i].cenaDiscount, added[i].cenaDiscount);
            EXPECT_EQ(repriced[i].summaPrice, added[i].summaPrice);
            EXPECT_EQ(repriced[i].summaDiscount, added[i].summaDiscount);
        }
    }
}
