// The three download commands of the main window against the demo supplier server on loopback.
#include "../exchange/LoopbackPeers.h"
#include "MainWindowHarness.h"
#include "TestPaths.h"

#include "common/TextUtils.h"
#include "exchange/TcsExchange.h"
#include "ui/CatalogGrid.h"
#include "ui/GroupTreeModel.h"
#include "ui/PictureView.h"
#include "ui/PriceTableModel.h"
#include "ui/SearchEdit.h"
#include "ui/ZakazTableModel.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray priceHeader = "ID;CODE;FULLNAME;NDS;KOLTEK;CENA;MAXDISCOUNT;ARTICUL;TM;COUNTRY;"
                               "ST1;ST2;ST3;WST3;VST3;IDGROUP;IDSUBGROUP;ISNEW;ISPHOTO;BARCODE\r\n";

QByteArray jpeg(Qt::GlobalColor color)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// The fixture catalog's exports with pictures of the given codes.
void writeFixtureCatalog(const TempDir &dir, const QStringList &pictureCodes)
{
    for (const QString &name : {u"ExportPrice.csv"_s, u"ExportClass.csv"_s}) {
        QFile source(QStringLiteral(FERROW_FIXTURES_DIR) + u"/ui/"_s + name);
        source.open(QIODevice::ReadOnly);
        dir.write(name, source.readAll());
    }
    for (const QString &code : pictureCodes)
        dir.write(u"pictures/"_s + code + u".jpg"_s, jpeg(Qt::red));
}

// What the window showed each time the event pump ran during a download.
struct BusySnapshot {
    bool panelShown;
    QString text;
    bool priceEnabled;
    bool picturesEnabled;
    bool onePictureEnabled;
    bool barShown;
};

class BusyRecorder {
public:
    explicit BusyRecorder(MainWindowHarness &h)
    {
        // The offscreen screen is narrower than the window's designed width; at that width
        // the toolbar has room for the panel beside the ten commands.
        h.window().resize(1024, 760);
        QApplication::processEvents();
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &h] {
            if (h.window().exchange().Busy())
                snapshots.push_back(
                    {h.ui().pnlExchange->isVisible(), h.ui().lblcsMsg->text(),
                     h.ui().btnGetNewPrice->isEnabled(), h.ui().btnGetNewPictures->isEnabled(),
                     h.ui().btnGetOnePicture->isEnabled(), h.ui().pbExchange->isVisible()});
        });
        m_timer.start();
    }
    QStringList texts() const
    {
        QStringList result;
        for (const BusySnapshot &s : snapshots)
            if (!result.contains(s.text))
                result << s.text;
        return result;
    }
    // Every snapshot had the panel up and the three commands disabled.
    bool panelUpAndCommandsDisabled() const
    {
        for (const BusySnapshot &s : snapshots)
            if (!s.panelShown || s.priceEnabled || s.picturesEnabled || s.onePictureEnabled)
                return false;
        return !snapshots.empty();
    }
    bool barShown() const
    {
        return std::any_of(snapshots.begin(), snapshots.end(),
                           [](const BusySnapshot &s) { return s.barShown; });
    }
    std::string dump() const
    {
        std::string out;
        for (const BusySnapshot &s : snapshots)
            out += (u"[%1 %2%3%4] "_s.arg(s.panelShown)
                        .arg(s.priceEnabled)
                        .arg(s.picturesEnabled)
                        .arg(s.onePictureEnabled) +
                    s.text + u"\n"_s)
                       .toStdString();
        return out;
    }
    std::vector<BusySnapshot> snapshots;

private:
    QTimer m_timer;
};

void expectIdle(MainWindowHarness &h)
{
    QApplication::processEvents(); // the toolbar lays out the hidden panel on its next pass
    EXPECT_FALSE(h.window().exchange().Busy());
    EXPECT_FALSE(h.ui().pnlExchange->isVisible());
    EXPECT_FALSE(h.ui().btnExchangeCancel->isVisible());
    EXPECT_FALSE(h.ui().pbExchange->isVisible());
    EXPECT_EQ(h.ui().lblcsMsg->text(), QString());
    EXPECT_TRUE(h.ui().btnGetNewPrice->isEnabled());
    EXPECT_TRUE(h.ui().btnGetNewPictures->isEnabled());
}

bool cardShowsPicture(MainWindowHarness &h)
{
    return h.ui().Image1->isVisible() && !h.ui().Image1->isEmpty() &&
           !h.ui().ImageNull->isVisible() && h.ui().btnSaveOnePicture->isEnabled();
}

// Exports of a small other catalog, one group of paper; the second product's price as given.
void writePaperCatalog(TempDir &demo, const QString &secondPrice)
{
    demo.write(u"ExportClass.csv"_s,
               TextUtils::toCp1251(u"ID;NAME;IDPARENT\r\n7;Бумага;0\r\n71;Бумага А4;7\r\n"_s));
    demo.write(u"ExportPrice.csv"_s,
               priceHeader + TextUtils::toCp1251(
                                 u"1;70001;Бумага офисная А4;20;40;310.00;5;А4-1;Svetocopy;Россия;"
                                 "1;5;5;12.5;0.02;7;71;1;1;4600000070001\r\n"
                                 "2;70002;Бумага цветная А4;20;15;%1;0;А4-2;Maestro;Россия;"
                                 "1;5;5;12.5;0.02;7;71;0;0;4600000070002\r\n"_s.arg(secondPrice)));
}

} // namespace

// The server's archive holds another catalog: the window ends up browsing that one from the top.
TEST(MainWindowExchange, PriceUpdateRebuildsTheCatalogAndResetsBrowsing)
{
    TempDir demo;
    writePaperCatalog(demo, u"420.50"_s);
    TempDir scratch;
    DemoServer server(demo.path(), scratch.file(u"site"_s));

    MainWindowHarness h;
    h.settings().ConnectHostWWW = server.url();
    // Browsing state that the update must reset, and an order line it must end.
    h.selectProduct(u"10001"_s);
    whenModal([](QWidget *dialog) {
        auto *kol = dialog->findChild<QLineEdit *>(u"eKol"_s);
        kol->selectAll();
        QTest::keyClicks(kol, u"3"_s);
        QTest::keyClick(kol, Qt::Key_Return);
    });
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);
    ASSERT_EQ(h.ui().zakazModel->rowCount(), 1);
    h.ui().vdtGroupsTree->setCurrentIndex(h.treeNode(u"Бумажная продукция"_s));
    QTest::keyClicks(h.ui().SerchText, u"2"_s);
    h.prompts().confirmAnswers = {false}; // do not save the order being replaced

    BusyRecorder busy(h);
    h.ui().btnGetNewPrice->click();

    EXPECT_EQ(busy.texts().value(0),
              u"Загрузка прайса\nЗагрузка "_s + server.url() + u"/tavrin/ExportToCatalog.zip"_s);
    EXPECT_TRUE(busy.panelUpAndCommandsDisabled()) << busy.dump();
    EXPECT_TRUE(busy.barShown()); // the archive's bytes as they come
    expectIdle(h);
    EXPECT_EQ(h.prompts().texts(u"confirm"_s),
              QStringList{u"Перед открытием нового заказа ,можно сохранить текущий заказ. "
                          "Сохранить?"_s});
    EXPECT_EQ(h.prompts().texts(u"message"_s), QStringList());

    EXPECT_EQ(h.ui().zakazModel->rowCount(), 0);
    EXPECT_EQ(h.scalar(u"SELECT COUNT(*) FROM Price"_s).toInt(), 2);
    EXPECT_EQ(h.ui().SerchText->text(), QString());
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s),
              (QStringList{u"70001"_s, u"70002"_s}));
    EXPECT_EQ(MainWindowHarness::cell(h.ui().DBGridEh1, 0, u"FULLNAME"_s), u"Бумага офисная А4"_s);
    EXPECT_FALSE(h.treeNode(u"Бумажная продукция"_s).isValid());
    const QModelIndex paper = h.treeNode(u"Бумага"_s);
    ASSERT_TRUE(paper.isValid());
    EXPECT_TRUE(h.treeNode(u"Бумага А4"_s).isValid());
    EXPECT_TRUE(h.ui().vdtGroupsTree->selectionModel()->isSelected(h.ui().treeModel->index(0, 0)));
    // The card follows the new first row, and a group of the new tree filters the new list.
    EXPECT_EQ(h.ui().DBGridEh1->currentIndex().row(), 0);
    h.ui().vdtGroupsTree->setCurrentIndex(h.treeNode(u"Бумага А4"_s));
    EXPECT_EQ(h.ui().priceModel->rowCount(), 2);
}

// The server's archive holds an export with a bad line: the error names it, and the window
// browses the catalog it had, whole, from the working files the failed import left alone.
TEST(MainWindowExchange, PriceUpdateWithABadExportKeepsTheCatalog)
{
    TempDir demo;
    writePaperCatalog(demo, u"420,50"_s); // not a number
    TempDir scratch;
    DemoServer server(demo.path(), scratch.file(u"site"_s));

    MainWindowHarness h;
    h.settings().ConnectHostWWW = server.url();
    const QStringList codesBefore = MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s);
    const int productsBefore = h.scalar(u"SELECT COUNT(*) FROM Price"_s).toInt();
    ASSERT_GT(productsBefore, 0);
    h.ui().btnGetNewPrice->click();

    expectIdle(h);
    EXPECT_EQ(h.prompts().texts(u"error"_s),
              QStringList{u"ExportPrice.csv, line 3, field CENA: \"420,50\" is not a number"_s});
    EXPECT_EQ(h.scalar(u"SELECT COUNT(*) FROM Price"_s).toInt(), productsBefore);
    EXPECT_EQ(MainWindowHarness::column(h.ui().DBGridEh1, u"CODE"_s), codesBefore);
    EXPECT_TRUE(h.treeNode(u"Бумажная продукция"_s).isValid());
    EXPECT_FALSE(h.treeNode(u"Бумага"_s).isValid());
}

// Pictures the server lists and the program has in neither folder land in TempPicture, and the
// card of the current product shows its new picture.
TEST(MainWindowExchange, PictureUpdateFetchesTheMissingPicturesAndTheCardShowsThem)
{
    TempDir demo;
    writeFixtureCatalog(demo, {u"10001"_s, u"10101"_s, u"20001"_s});
    TempDir scratch;
    DemoServer server(demo.path(), scratch.file(u"site"_s));

    TempDir shipped;
    writeFixtureCatalog(shipped, {u"10101"_s});
    MainWindowHarness h(1, shipped.path());
    h.settings().ConnectHostWWW = server.url();
    h.window().ApplyExchangeSettings();
    h.selectProduct(u"10001"_s);
    ASSERT_FALSE(cardShowsPicture(h));

    BusyRecorder busy(h);
    QTest::keyClick(&h.window(), Qt::Key_F5, Qt::ShiftModifier);

    const QString temp = h.settings().TempPictureFolder;
    EXPECT_TRUE(QFile::exists(temp + u"10001.jpg"_s));
    EXPECT_TRUE(QFile::exists(temp + u"20001.jpg"_s));
    EXPECT_FALSE(QFile::exists(temp + u"10101.jpg"_s));
    EXPECT_TRUE(busy.texts().contains(
        u"Загрузка изображений\n1 из 2\ncomponents/com_virtuemart/shop_image/product/20001.jpg"_s))
        << busy.texts().join(u" | "_s).toStdString();
    EXPECT_TRUE(busy.panelUpAndCommandsDisabled()) << busy.dump();
    expectIdle(h);
    EXPECT_TRUE(h.prompts().shown.empty());
    EXPECT_TRUE(cardShowsPicture(h));
}

// "<Загрузить изображение>" fetches the picture of the current product only.
TEST(MainWindowExchange, OnePictureCommandFetchesTheCurrentProductsPicture)
{
    TempDir demo;
    writeFixtureCatalog(demo, {u"10002"_s, u"10101"_s, u"20002"_s});
    TempDir scratch;
    DemoServer server(demo.path(), scratch.file(u"site"_s));

    MainWindowHarness h;
    h.settings().ConnectHostWWW = server.url();
    h.window().ApplyExchangeSettings();
    // Only a product the supplier has a picture of offers the command.
    h.selectProduct(u"20002"_s);
    EXPECT_FALSE(h.ui().btnGetOnePicture->isEnabled());
    h.selectProduct(u"10101"_s);
    ASSERT_FALSE(cardShowsPicture(h));
    ASSERT_TRUE(h.ui().btnGetOnePicture->isEnabled());

    BusyRecorder busy(h);
    h.ui().btnGetOnePicture->click();

    const QString temp = h.settings().TempPictureFolder;
    EXPECT_TRUE(QFile::exists(temp + u"10101.jpg"_s));
    EXPECT_FALSE(QFile::exists(temp + u"10002.jpg"_s));
    EXPECT_FALSE(QFile::exists(temp + u"20002.jpg"_s));
    EXPECT_EQ(busy.texts().value(0), u"Загрузка изображения\n10101.jpg"_s);
    EXPECT_TRUE(h.prompts().shown.empty());
    EXPECT_TRUE(busy.panelUpAndCommandsDisabled()) << busy.dump();
    expectIdle(h);
    EXPECT_TRUE(h.ui().btnGetOnePicture->isEnabled());
    EXPECT_TRUE(cardShowsPicture(h));
}
