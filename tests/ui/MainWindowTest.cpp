#include "MainWindowHarness.h"

#include "order/OrderBook.h"
#include "ui/CatalogGrid.h"
#include "ui/GroupTreeModel.h"
#include "ui/KolForm.h"
#include "ui/LimitedSplitter.h"
#include "ui/OpenForm.h"
#include "ui/PriceTableModel.h"
#include "ui/SearchEdit.h"
#include "ui/TitleHeaderView.h"
#include "ui/ZakazTableModel.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Answers the quantity dialog: types the quantity and presses OK.
void answerQuantity(const QString &quantity, QStringList *breakdown = nullptr)
{
    whenModal([quantity, breakdown](QWidget *dialog) {
        auto *kol = dialog->findChild<QLineEdit *>(u"eKol"_s);
        kol->selectAll();
        QTest::keyClicks(kol, quantity);
        if (breakdown) {
            for (const char *name :
                 {"eBoxes", "eBlocks", "ePackages", "eLoose", "eSumma", "eWeight", "eVolume"})
                *breakdown << dialog->findChild<QLineEdit *>(QString::fromLatin1(name))->text();
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"btnOk"_s), Qt::LeftButton);
    });
}

} // namespace

TEST(MainWindow, SearchNarrowsTheGridAndTypingInTheGridStartsANewSearch)
{
    MainWindowHarness h;
    EXPECT_EQ(h.ui().priceModel->rowCount(), 6);
    QTest::keyClicks(h.ui().SerchText, u"100"_s);
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s),
              (QStringList{u"10001"_s, u"10002"_s}));

    // A letter typed into the grid replaces the search text.
    h.ui().DBGridEh1->setFocus();
    QTest::keyClicks(h.ui().DBGridEh1, u"2"_s);
    EXPECT_EQ(h.ui().SerchText->text(), u"2"_s);
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s),
              (QStringList{u"20001"_s, u"20002"_s}));
    // "&" and "(" never start a search.
    QTest::keyClicks(h.ui().DBGridEh1, u"&("_s);
    EXPECT_EQ(h.ui().SerchText->text(), u"2"_s);
}

TEST(MainWindow, EnterOnAProductOrdersThroughTheQuantityDialog)
{
    MainWindowHarness h;
    h.selectProduct(u"10001"_s);
    QStringList breakdown;
    answerQuantity(u"437"_s, &breakdown);
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);

    EXPECT_EQ(breakdown, (QStringList{u"2"_s, u"0"_s, u"3"_s, u"7"_s, u"1 398.40"_s, u"27.312"_s,
                                      u"0.1049"_s}));
    ASSERT_EQ(h.ui().zakazModel->rowCount(), 1);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().grdZakaz, 0, u"KOL"_s), u"437"_s);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().grdZakaz, 0, u"SUMMA"_s), u"1 398.40"_s);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), u"437"_s);
    EXPECT_EQ(h.ui().Label1->text(), u"Сумма заказа: 1 398.40 - 0.00 = 1 398.40"_s);

    // Enter on the order line opens the dialog with the ordered quantity; 0 removes the line.
    QString shown;
    whenModal([&shown](QWidget *dialog) {
        auto *kol = dialog->findChild<QLineEdit *>(u"eKol"_s);
        shown = kol->text();
        kol->selectAll();
        QTest::keyClicks(kol, u"0"_s);
        QTest::keyClick(kol, Qt::Key_Return);
    });
    QTest::keyClick(h.ui().grdZakaz, Qt::Key_Return);
    EXPECT_EQ(shown, u"437"_s);
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 0);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), QString());
}

TEST(MainWindow, GridModeTakesTheQuantityInTheOrderCellAndEscCancels)
{
    MainWindowHarness h(0);
    h.selectProduct(u"10001"_s);
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);
    QWidget *editor = openEditor(h.ui().DBGridEh1);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, u"437"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell posts once the key has been handled.
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.ui().zakazModel->rowCount() == 1; }));
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), u"437"_s);
    EXPECT_EQ(h.ui().Label1->text(), u"Сумма заказа: 1 398.40 - 0.00 = 1 398.40"_s);

    // Esc leaves the order as it was.
    h.selectProduct(u"10002"_s);
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);
    editor = openEditor(h.ui().DBGridEh1);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, u"5"_s);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 1);
    EXPECT_EQ(h.ui().DBGridEh1->selectionBehavior(), QAbstractItemView::SelectRows);

    // A quantity that is no number is refused with a message, not taken as anything.
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);
    editor = openEditor(h.ui().DBGridEh1);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, u"x"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.prompts().texts(u"error"_s).isEmpty(); }));
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 1);

    // The order grid edits "Кол-во" in place.
    h.ui().grdZakaz->setFocus();
    QTest::keyClicks(h.ui().grdZakaz, u"1"_s);
    editor = openEditor(h.ui().grdZakaz);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, u"2"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return MainWindowHarness::cell(h.ui().grdZakaz, 0, u"KOL"_s) == u"12"_s; }));
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), u"12"_s);
}

TEST(MainWindow, DeleteOnAnOrderLineAsksAndYesRemovesIt)
{
    MainWindowHarness h;
    h.window().orderBook().addOrderLine(1, 24);
    h.ui().grdZakaz->setFocus();
    h.ui().grdZakaz->setCurrentIndex(h.ui().zakazModel->index(0, 0));

    h.prompts().confirmAnswers = {false};
    QTest::keyClick(h.ui().grdZakaz, Qt::Key_Delete);
    EXPECT_EQ(h.prompts().texts(u"confirm"_s), QStringList{u"Удалить текщую позицию?"_s});
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 1);

    h.prompts().confirmAnswers = {true};
    QTest::keyClick(h.ui().grdZakaz, Qt::Key_Delete);
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 0);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), QString());
    EXPECT_EQ(h.ui().Label1->text(), u"Сумма заказа: 0.00 - 0.00 = 0.00"_s);
}

TEST(MainWindow, TypingADiscountRepricesTheLinesAndTheCard)
{
    MainWindowHarness h;
    h.window().orderBook().addOrderLine(4, 3); // 123.45, no limit
    h.window().orderBook().addOrderLine(3, 7); // 19.99, at most 3 %
    h.selectProduct(u"20001"_s);
    QTest::keyClicks(h.ui().eProc, u"5"_s);
    EXPECT_EQ(MainWindowHarness::column(h.ui().grdZakaz, u"CENA"_s),
              (QStringList{u"117.28"_s, u"19.39"_s}));
    EXPECT_EQ(h.ui().Label1->text(), u"Сумма заказа: 510.28 - 22.71 = 487.57"_s);
    EXPECT_EQ(h.ui().edtCena->text(), u"117.28 руб."_s);
    // The field takes 0 to 100 only.
    QTest::keyClicks(h.ui().eProc, u"55"_s);
    EXPECT_EQ(h.ui().eProc->text(), u"55"_s);
}

TEST(MainWindow, ATreeClickFiltersThePriceList)
{
    MainWindowHarness h;
    QTreeView *tree = h.ui().vdtGroupsTree;
    tree->setCurrentIndex(h.treeNode(u"Бумажная продукция"_s));
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s),
              (QStringList{u"20001"_s, u"20002"_s}));
    tree->setCurrentIndex(h.treeNode(u"Ручки гелевые"_s));
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s), QStringList{u"10101"_s});
    // A group's products without subgroup sit under "Прочие...".
    const QModelIndex pencils = h.treeNode(u"Карандаши"_s);
    tree->setCurrentIndex(h.ui().treeModel->index(0, 0, pencils));
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s), QStringList{u"30001"_s});
    // Without "Сохранять фильтр дерева" a search replaces the group.
    QTest::keyClicks(h.ui().SerchText, u"1"_s);
    EXPECT_EQ(h.ui().priceModel->rowCount(), 3);
    tree->setCurrentIndex(h.ui().treeModel->index(0, 0));
    EXPECT_EQ(h.ui().SerchText->text(), QString());
    EXPECT_EQ(h.ui().priceModel->rowCount(), 6);
}

TEST(MainWindow, ATitleClickSortsAndMovesTheMarker)
{
    MainWindowHarness h;
    TitleHeaderView *titles = h.ui().DBGridEh1->titles();
    const int codeColumn = h.ui().priceModel->columnOfField(u"CODE"_s);
    const int nameColumn = h.ui().priceModel->columnOfField(u"FULLNAME"_s);
    const int priceColumn = h.ui().priceModel->columnOfField(u"CENA"_s);
    EXPECT_EQ(titles->sortedSection(), codeColumn);

    emit titles->sectionClicked(nameColumn);
    EXPECT_EQ(titles->sortedSection(), nameColumn);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"FULLNAME"_s),
              u"Карандаш простой HB"_s);
    // The name search follows the name sort.
    typeText(h.ui().SerchText, u"тет"_s);
    EXPECT_EQ(h.ui().SerchText->text(), u"ТЕТ"_s);
    EXPECT_EQ(h.ui().priceModel->rowCount(), 2);

    emit titles->sectionClicked(priceColumn);
    EXPECT_EQ(titles->sortedSection(), priceColumn);
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CENA"_s),
              (QStringList{u"0.75"_s, u"123.45"_s}));
    // Columns without a sort do nothing.
    emit titles->sectionClicked(h.ui().priceModel->columnOfField(u"TM"_s));
    EXPECT_EQ(titles->sortedSection(), priceColumn);
}

TEST(MainWindow, Splitter1RefusesAnOrderPanelBelow210)
{
    MainWindowHarness h;
    LimitedSplitter *splitter = h.ui().Splitter1;
    const int before = h.ui().pZakaz->height();
    EXPECT_FALSE(splitter->tryMove(splitter->positionFor(209)));
    EXPECT_EQ(h.ui().pZakaz->height(), before);
    EXPECT_TRUE(splitter->tryMove(splitter->positionFor(210)));
    EXPECT_EQ(h.ui().pZakaz->height(), 210);
    // The tree panel keeps 200 pixels.
    EXPECT_FALSE(h.ui().Splitter2->tryMove(199));
    EXPECT_TRUE(h.ui().Splitter2->tryMove(200));
    EXPECT_EQ(h.ui().pTree->width(), 200);
}

TEST(MainWindow, TheCardStartsShownAndTheToggleFollowsIt)
{
    MainWindowHarness h;
    EXPECT_TRUE(h.ui().Panel2->isVisible());
    EXPECT_TRUE(h.ui().SpeedButton7->isChecked());
    h.ui().SpeedButton7->click();
    EXPECT_FALSE(h.ui().Panel2->isVisible());
    EXPECT_FALSE(h.ui().SpeedButton7->isChecked());
    h.ui().SpeedButton7->click();
    EXPECT_TRUE(h.ui().Panel2->isVisible());
    EXPECT_TRUE(h.ui().SpeedButton7->isChecked());
}

TEST(MainWindow, HelpAndMailGoThroughTheShellAndClosingEndsTheWindow)
{
    MainWindowHarness h;
    // The shell is asked even when the help file is missing; nothing is reported.
    h.ui().SpeedButton8->click();
    EXPECT_EQ(h.shell().openedDocuments,
              QStringList{h.dir().path() + u"program/FerrowCatalog.chm"_s});
    h.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window()));
    QTest::keyClick(&h.window(), Qt::Key_F1);
    EXPECT_EQ(h.shell().openedDocuments.size(), 2);
    QTest::mouseClick(h.ui().lblMailTo, Qt::LeftButton);
    EXPECT_EQ(h.shell().openedUrls, QStringList{u"mailto:"_s + h.ui().lblMailTo->text()});
    h.ui().SpeedButton9->click();
    EXPECT_FALSE(h.window().isVisible());
    EXPECT_TRUE(h.prompts().shown.empty());
}

TEST(MainWindow, SaveToTheArchiveThenLoadRestoresTheOrder)
{
    MainWindowHarness h;
    h.window().orderBook().addOrderLine(1, 437);
    h.window().orderBook().addOrderLine(4, 3);
    h.ui().SpeedButton3->click();
    EXPECT_EQ(h.prompts().texts(u"info"_s), QStringList{u"Текущий заказ сохранен."_s});

    // New order: asked whether to save (No), then empty, no product marked as ordered.
    h.prompts().confirmAnswers = {false};
    h.ui().SpeedButton1->click();
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 0);
    EXPECT_EQ(h.scalar(u"select count(*) from price where kolzak is not null"_s).toInt(), 0);

    QStringList listed;
    whenModal([&listed](QWidget *dialog) {
        auto *orders = dialog->findChild<CatalogGrid *>(u"DBGridEh1"_s);
        auto *lines = dialog->findChild<CatalogGrid *>(u"DBGridEh2"_s);
        listed << MainWindowHarness::cell(orders, 0, u"SUMMA"_s)
               << MainWindowHarness::cell(orders, 0, u"ROWCOUNT"_s)
               << MainWindowHarness::column(lines, u"CODE"_s);
        QTest::keyClick(orders, Qt::Key_Return); // Enter loads
    });
    h.ui().SpeedButton2->click();
    EXPECT_EQ(listed, (QStringList{u"1 768.75"_s, u"2"_s, u"10001"_s, u"20001"_s}));
    EXPECT_FALSE(h.window().openForm()->isVisible());
    EXPECT_EQ(MainWindowHarness::column(h.ui().grdZakaz, u"KOL"_s),
              (QStringList{u"437"_s, u"3"_s}));
    EXPECT_EQ(h.ui().Label1->text(), u"Сумма заказа: 1 768.75 - 0.00 = 1 768.75"_s);
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"KOLZAK"_s), u"437"_s);

    // Delete in the archive window asks first and empties the list.
    h.prompts().confirmAnswers = {true};
    int left = -1;
    whenModal([&left](QWidget *dialog) {
        auto *orders = dialog->findChild<CatalogGrid *>(u"DBGridEh1"_s);
        QTest::keyClick(orders, Qt::Key_Delete);
        left = orders->model()->rowCount();
        QTest::keyClick(orders, Qt::Key_Escape);
    });
    h.ui().SpeedButton2->click();
    EXPECT_EQ(left, 0);
    EXPECT_TRUE(h.prompts().texts(u"confirm"_s).contains(u"Удалить текущий заказ из архива?"_s));
}

TEST(MainWindow, ExportWritesTheWorkbookAndAFailedPriceUpdateLeavesTheCatalog)
{
    MainWindowHarness h;
    h.window().orderBook().addOrderLine(1, 437);
    const QString file = h.dir().path() + u"order.xls"_s;
    h.prompts().saveFileNames = {file};
    h.ui().SpeedButton6->click();
    EXPECT_TRUE(QFileInfo(file).size() > 0);
    EXPECT_EQ(h.shell().openedDocuments.value(0), file);

    // Nothing listens on the server's port: the update says so and changes nothing.
    h.settings().ConnectHostWWW = u"http://127.0.0.1:9"_s;
    h.ui().btnGetNewPrice->click();
    EXPECT_EQ(h.prompts().texts(u"message"_s),
              QStringList{u"Не удается получить новый прайс из Интернета"_s});
    EXPECT_EQ(h.ui().priceModel->rowCount(), 6);
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 1);
    EXPECT_TRUE(h.ui().btnGetNewPrice->isEnabled());
    QApplication::processEvents(); // the toolbar lays itself out anew
    EXPECT_FALSE(h.ui().pnlExchange->isVisible());
}

// What the screen shows of the frozen columns after moving from row to row: each row looks
// there as it does in the rest of the grid, so the rows left behind lose their highlight (the
// window's own pixels, as the platform holds them; the test also runs on a real X server,
// where a view that does not paint its background keeps what was there before).
TEST(MainWindow, FrozenColumnsRepaintTheRowsTheSelectionLeaves)
{
    MainWindowHarness h;
    CatalogGrid *grid = h.ui().DBGridEh1;
    QTableView *frozen = grid->frozenView();
    ASSERT_TRUE(frozen->isVisible());
    for (const int row : {0, 2, 4, 6}) {
        grid->setCurrentIndex(grid->model()->index(row, 2));
        QApplication::processEvents();
    }
    const QImage screen =
        QGuiApplication::primaryScreen()->grabWindow(h.window().winId()).toImage();
    // The right end of a cell, past any text.
    const auto shownAt = [&](QTableView *view, int row, int column) {
        const QRect cell = view->visualRect(grid->model()->index(row, column));
        const QPoint p =
            view->viewport()->mapTo(&h.window(), cell.topRight() + QPoint(-3, cell.height() / 2));
        return screen.pixelColor(p * screen.devicePixelRatio());
    };
    const QColor selected = shownAt(grid, 6, 2);
    EXPECT_NE(selected, shownAt(grid, 5, 2)) << "the current row does not show as selected";
    for (const int row : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_EQ(shownAt(frozen, row, 0).name().toStdString(),
                  shownAt(grid, row, 2).name().toStdString())
            << "row " << row;
}

// On a screen narrower than the design the exchange panel must stay on the toolbar (a toolbar
// that runs out of room hides what does not fit behind its extension button).
TEST(MainWindow, ExchangePanelStaysOnTheToolbarOfANarrowWindow)
{
    MainWindowHarness h;
    QAction *panel = h.ui().ToolBar1->findChild<QAction *>(u"pnlExchangeAction"_s);
    ASSERT_TRUE(panel);
    panel->setVisible(true);
    for (const int width : {1280, 1024, 900, 820}) {
        SCOPED_TRACE(width);
        h.window().setMinimumWidth(0);
        h.window().setGeometry(0, 0, width, 700);
        QApplication::processEvents();
        ASSERT_EQ(h.window().width(), width);
        QWidget *frame = h.ui().pnlExchange;
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->parentWidget(), h.ui().ToolBar1);
        EXPECT_TRUE(h.ui().ToolBar1->rect().contains(frame->geometry()))
            << frame->geometry().x() << "+" << frame->geometry().width();
        EXPECT_TRUE(h.ui().SpeedButton9->isVisible());
        EXPECT_GE(frame->width(), std::min(405, width - 560));
        EXPECT_EQ(frame->height(), 52);
    }
}

TEST(MainWindow, AClickOnTheFrozenColumnsSelectsTheWholeRowOnly)
{
    MainWindowHarness h;
    CatalogGrid *grid = h.ui().DBGridEh1;
    QTableView *frozen = grid->frozenView();
    ASSERT_TRUE(frozen->isVisible());
    for (const int row : {3, 1}) {
        const QRect cell = frozen->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(grid->currentIndex().row(), row);
        const QModelIndexList rows = grid->selectionModel()->selectedRows();
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows.value(0).row(), row);
    }
}
