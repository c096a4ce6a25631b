#include "order/QuantityEntry.h"
#include "order/OrderBook.h"

#include "OrderFixture.h"
#include "support/ScriptedPrompts.h"

namespace {

using Action = QuantityEntry::Action;

class QuantityEntryTest : public OrderFixture {
protected:
    QuantityEntryTest()
    {
        addProduct({1, QStringLiteral("100"), QStringLiteral("Скрепки"), 3.20, 0, 10, 50, 200, 12.5,
                    0.048});
        addProduct({2, QStringLiteral("200"), QStringLiteral("Тетрадь"), 19.99});
    }

    // Enter on a price row in the dialog mode, then OK with the quantity.
    void enterByDialog(int priceId, const QString &quantity)
    {
        ASSERT_EQ(entry.beginKolEntry(priceId, QStringLiteral("x")), Action::ShowDialog);
        KolDialogModel dialog = entry.openDialog();
        dialog.setQuantityText(quantity);
        entry.dialogOk(quantity);
    }

    OrderBook book{db};
    ScriptedPrompts prompts;
    QuantityEntry entry{book, prompts};
};

} // namespace

TEST_F(QuantityEntryTest, DialogEntryAddsChangesAndRemovesTheProductsOneLine)
{
    enterByDialog(1, QStringLiteral("0"));
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);

    enterByDialog(1, QStringLiteral("24"));
    EXPECT_FALSE(entry.state().IsKolUpdate);
    ASSERT_EQ(entry.beginKolEntry(1, QStringLiteral("100")), Action::ShowDialog);
    EXPECT_TRUE(entry.state().IsKolUpdate);
    KolDialogModel dialog = entry.openDialog();
    EXPECT_EQ(dialog.quantity(), 24);
    EXPECT_DOUBLE_EQ(dialog.current().sum, 24 * 3.20);
    entry.dialogOk(QStringLiteral("30"));
    EXPECT_EQ(book.lineCount(), 1);
    EXPECT_EQ(kolzak(1), 30);

    // Cancel commits nothing and ends the entry.
    entry.beginKolEntry(1, QStringLiteral("100"));
    entry.dialogClosed();
    EXPECT_FALSE(entry.state().IsKolUpdate);
    EXPECT_EQ(kolzak(1), 30);

    enterByDialog(1, QString()); // blank is 0: the line goes
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);
    EXPECT_EQ(book.totalsText(), QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00"));
}

TEST_F(QuantityEntryTest, EnterWithoutARowDoesNothing)
{
    EXPECT_EQ(entry.beginKolEntry(0, QStringLiteral("   ")), Action::None);
    EXPECT_EQ(entry.state().CurrentPriceId, 0);
    EXPECT_EQ(entry.orderGridEnter(12345), Action::None);
}

TEST_F(QuantityEntryTest, GridModeOpensTheCellThenPostsIt)
{
    for (int setting : {0, -1}) { // anything but a positive value is the grid mode
        SCOPED_TRACE(setting);
        entry.setInputKolByWindow(setting);
        ASSERT_EQ(entry.beginKolEntry(2, QStringLiteral("200")), Action::OpenCell);
        EXPECT_TRUE(entry.state().IsPriceEditing);
        ASSERT_EQ(entry.beginKolEntry(2, QStringLiteral("200")), Action::PostCell);
        entry.priceCellPosted(2, QStringLiteral("5"));
        EXPECT_FALSE(entry.state().IsPriceEditing);
        EXPECT_EQ(kolzak(2), 5);

        // A second entry changes the line.
        entry.beginKolEntry(2, QStringLiteral("200"));
        EXPECT_TRUE(entry.state().IsKolUpdate);
        EXPECT_EQ(entry.beginKolEntry(2, QStringLiteral("200")), Action::PostCell);
        entry.priceCellPosted(2, QStringLiteral("8"));
        EXPECT_EQ(book.lineCount(), 1);
        EXPECT_EQ(kolzak(2), 8);

        // Esc ends the entry without a change; 0 then removes the line.
        entry.beginKolEntry(2, QStringLiteral("200"));
        entry.priceCellCancelled();
        EXPECT_FALSE(entry.state().IsPriceEditing);
        EXPECT_FALSE(entry.state().IsKolUpdate);
        entry.beginKolEntry(2, QStringLiteral("200"));
        entry.priceCellPosted(2, QStringLiteral("0"));
        EXPECT_TRUE(book.isEmpty());
        EXPECT_EQ(kolzak(2), -1);
    }
}

TEST_F(QuantityEntryTest, TheOrderGridPostsItsQuantityAnEmptyOneRemovesTheLine)
{
    book.addOrderLine(1, 7);
    book.addOrderLine(2, 3);
    const int line = book.lineIds().first();

    entry.setInputKolByWindow(0);
    EXPECT_TRUE(entry.orderGridEditable());
    entry.zakazBeforeEdit();
    ASSERT_EQ(entry.orderGridEnter(line), Action::PostCell);
    entry.orderLinePosted(line, QStringLiteral("12"));
    EXPECT_EQ(kolzak(1), 12);
    EXPECT_EQ(entry.orderGridEnter(line), Action::None); // not editing

    entry.zakazBeforeEdit();
    entry.orderLinePosted(line, QString());
    EXPECT_FALSE(book.line(line).has_value());
    EXPECT_EQ(kolzak(1), -1);

    entry.setInputKolByWindow(1);
    entry.zakazBeforeEdit();
    EXPECT_FALSE(entry.state().IsZakazEditing);
    const int other = book.lineIds().first();
    ASSERT_EQ(entry.orderGridEnter(other), Action::ShowDialog);
    EXPECT_EQ(entry.state().CurrentPriceId, 2);
    EXPECT_EQ(entry.openDialog().quantity(), 3);
    entry.dialogOk(QStringLiteral("4"));
    EXPECT_EQ(kolzak(2), 4);
}

TEST_F(QuantityEntryTest, DeletingALineAsksFirst)
{
    book.addOrderLine(1, 7);
    const int line = book.lineIds().first();
    prompts.confirmAnswers = {false, true};
    EXPECT_FALSE(entry.orderGridDelete(line));
    EXPECT_EQ(kolzak(1), 7);
    EXPECT_TRUE(entry.orderGridDelete(line));
    EXPECT_TRUE(book.isEmpty());
    EXPECT_EQ(kolzak(1), -1);
    EXPECT_EQ(prompts.texts(QStringLiteral("confirm")),
              QStringList(2, QStringLiteral("Удалить текщую позицию?")));
}
