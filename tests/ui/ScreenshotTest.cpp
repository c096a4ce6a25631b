// Pictures of every window on the demo catalog, for a person to look at: the main window with
// an order at the designed size and at full HD, and the four dialogs. Under a real X server
// (xvfb-run) they show what the user sees; on the offscreen platform they still catch a
// window that cannot be painted.
#include "MainWindowHarness.h"

#include "TestPaths.h"
#include "order/OrderBook.h"
#include "ui/BigImageForm.h"
#include "ui/CatalogGrid.h"
#include "ui/ConfigForm.h"
#include "ui/OpenForm.h"
#include "ui/PictureView.h"
#include "ui/PriceTableModel.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString shotPath(const QString &name)
{
    const QString folder = QStringLiteral(FERROW_ARTIFACTS_DIR) + u"/screenshots/"_s;
    QDir().mkpath(folder);
    return folder + name + u".png"_s;
}

void save(QWidget *widget, const QString &name)
{
    QApplication::processEvents();
    EXPECT_TRUE(widget->grab().save(shotPath(name))) << name.toStdString();
}

} // namespace

TEST(Screenshots, EveryWindowOnTheDemoCatalog)
{
    MainWindowHarness h(1, QStringLiteral(FERROW_SOURCE_DIR) + u"/demo/"_s);
    ASSERT_GT(h.ui().priceModel->rowCount(), 100);
    const QString suffix = QGuiApplication::platformName();

    // An order of a few lines with a discount; the current product has a picture.
    OrderBook &order = h.window().orderBook();
    for (int row : {0, 3, 7, 12, 20})
        order.addOrderLine(h.ui().priceModel->fieldValue(row, u"ID"_s).toInt(), 12 * (row + 1));
    QTest::keyClicks(h.ui().eProc, u"5"_s);
    int withPicture = 0;
    for (int row = 0; row < h.ui().priceModel->rowCount(); ++row) {
        if (QFileInfo::exists(h.dir().path() + u"program/pictures/"_s +
                              h.ui().priceModel->fieldValue(row, u"CODE"_s).toString() +
                              u".jpg"_s)) {
            withPicture = row;
            break;
        }
    }
    h.ui().DBGridEh1->setCurrentIndex(h.ui().priceModel->index(withPicture, 0));

    for (const QSize size : {QSize(1024, 760), QSize(1920, 1080)}) {
        h.window().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        h.window().setGeometry(0, 0, size.width(), size.height());
        save(&h.window(), u"main-%1x%2-%3"_s.arg(size.width()).arg(size.height()).arg(suffix));
    }

    whenModal([&](QWidget *dialog) {
        auto *kol = dialog->findChild<QLineEdit *>(u"eKol"_s);
        kol->selectAll();
        QTest::keyClicks(kol, u"437"_s);
        save(dialog, u"quantity-"_s + suffix);
        QTest::keyClick(kol, Qt::Key_Escape);
    });
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);

    whenModal([&](QWidget *dialog) {
        auto *pages = dialog->findChild<QTabWidget *>(u"pgCofigs"_s);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            save(dialog, u"settings-page%1-%2"_s.arg(page + 1).arg(suffix));
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"SpeedButton1"_s), Qt::LeftButton);
    });
    h.ui().SpeedButton4->click();

    h.ui().SpeedButton3->click();
    h.ui().SpeedButton3->click();
    whenModal([&](QWidget *dialog) {
        save(dialog, u"archive-"_s + suffix);
        dialog->close();
    });
    h.ui().SpeedButton2->click();

    whenModal([&](QWidget *dialog) {
        save(dialog, u"picture-"_s + suffix);
        dialog->close();
    });
    emit h.ui().Image1->clicked();
    EXPECT_FALSE(h.window().bigImage()->windowTitle().isEmpty());
}
