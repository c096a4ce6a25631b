#include "MainWindowHarness.h"

#include "app/SettingsFile.h"
#include "ui/CatalogGrid.h"
#include "ui/ConfigForm.h"
#include "ui/PortEdit.h"
#include "ui/ZakazTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ConfigFixture {
    TempDir dir;
    CatalogSettings settings;
    ScriptedPrompts prompts;
    std::unique_ptr<TAppConfigForm> form;

    ConfigFixture()
    {
        settings.WorkFolder = dir.path();
        settings.ConfigFileName = u"FerrowConfig.ini"_s;
        settings.ConnectHostWWW = u"old.example"_s;
        settings.IsInputKolByWindow = 1;
        form = std::make_unique<TAppConfigForm>(settings, prompts);
        form->show();
    }
    template <typename T> T *find(const QString &name) { return form->findChild<T *>(name); }
    void save() { QTest::mouseClick(find<QPushButton>(u"SpeedButton2"_s), Qt::LeftButton); }
    void cancel() { QTest::mouseClick(find<QPushButton>(u"SpeedButton1"_s), Qt::LeftButton); }
    QString file() const { return QString::fromUtf8(dir.read(u"FerrowConfig.ini"_s)); }
};

} // namespace

TEST(ConfigForm, FoldersAreSavedTrimmedWithOneTrailingSeparator)
{
    const std::pair<QString, QString> cases[] = {
        {u"/data/base"_s, u"/data/base/"_s},
        {u"/data/base/"_s, u"/data/base/"_s},
        {u"  /data/base  "_s, u"/data/base/"_s},
        {QString(), u"/"_s},
    };
    for (const auto &[typed, saved] : cases) {
        ConfigFixture f;
        f.find<QLineEdit>(u"ePathBase"_s)->setText(typed);
        f.find<QLineEdit>(u"ePathPicture"_s)->setText(typed);
        f.save();
        EXPECT_EQ(f.settings.PathBase, saved) << typed.toStdString();
        EXPECT_EQ(f.settings.PathPicture, saved) << typed.toStdString();
        EXPECT_FALSE(f.form->isVisible());
    }
}

TEST(ConfigForm, Socket5IsStoredAsProxyType7AndSelectedAgain)
{
    ConfigFixture f;
    f.find<QComboBox>(u"cbProxyType"_s)->setCurrentIndex(7);
    f.save();
    EXPECT_TRUE(f.settings.UseSocks);
    EXPECT_EQ(f.settings.ProxyKind, 0);
    EXPECT_TRUE(f.file().contains(u"ProxyType=7"_s));
    // Other list items map to the stored proxy kinds and back.
    f.find<QComboBox>(u"cbProxyType"_s)->setCurrentIndex(0);
    f.form->show();
    EXPECT_EQ(f.find<QComboBox>(u"cbProxyType"_s)->currentIndex(), 7);
    for (int item = 0; item <= 7; ++item) {
        CatalogSettings s;
        TAppConfigForm::applyProxyItem(s, item);
        EXPECT_EQ(TAppConfigForm::proxyItemOf(s, -1), item);
        EXPECT_EQ(ProxyTypeOf(s), item);
    }
}

TEST(ConfigForm, CancelKeepsTheRecordAndTheNextShowingShowsItAgain)
{
    ConfigFixture f;
    f.settings.FirstRun = true;
    f.find<QLineEdit>(u"eConnectHostWWW"_s)->setText(u"new.example"_s);
    f.cancel();
    EXPECT_EQ(f.settings.ConnectHostWWW, u"old.example"_s);
    EXPECT_FALSE(f.settings.FirstRun); // any close clears it
    EXPECT_FALSE(QFile::exists(f.dir.file(u"FerrowConfig.ini"_s)));
    f.form->show();
    EXPECT_EQ(f.find<QLineEdit>(u"eConnectHostWWW"_s)->text(), u"old.example"_s);
    EXPECT_EQ(f.form->findChild<QTabWidget *>(u"pgCofigs"_s)->currentIndex(), 0);
}

TEST(ConfigForm, APortEditHoldingZeroIsEmptiedOnEntryAndZeroAgainWhenLeftEmpty)
{
    ConfigFixture f;
    auto *port = f.find<PortEdit>(u"eProxyPort"_s);
    auto *host = f.find<QLineEdit>(u"eProxyHost"_s);
    f.form->activateWindow();
    EXPECT_EQ(port->text(), u"0"_s);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(port, &in);
    EXPECT_EQ(port->text(), QString());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(port, &out);
    EXPECT_EQ(port->text(), u"0"_s);
    // Saved while still empty: 0.
    QApplication::sendEvent(port, &in);
    host->setText(u"proxy.local"_s);
    f.find<PortEdit>(u"eConnectPortWWW"_s)->setText(u"8080"_s);
    f.save();
    EXPECT_EQ(f.settings.ProxyPort, 0);
    EXPECT_EQ(f.settings.ConnectPortWWW, 8080);
    EXPECT_EQ(f.settings.ProxyHost, u"proxy.local"_s);
}

TEST(ConfigForm, AnUnwritableSettingsFileIsReportedAndTheDialogStaysOpen)
{
    ConfigFixture f;
    f.settings.WorkFolder = f.dir.path() + u"missing/"_s;
    f.find<QLineEdit>(u"eOrgname"_s)->setText(u" ООО Ромашка "_s);
    f.save();
    EXPECT_EQ(f.settings.Orgname, u"ООО Ромашка"_s);
    EXPECT_EQ(f.prompts.texts(u"error"_s).size(), 1);
    EXPECT_TRUE(f.form->isVisible());
}

TEST(ConfigForm, ClearingTheQuantityBoxSwitchesTheOrderGridToEditingAtOnce)
{
    MainWindowHarness h;
    EXPECT_EQ(h.ui().grdZakaz->selectionBehavior(), QAbstractItemView::SelectRows);
    whenModal([](QWidget *dialog) {
        dialog->findChild<QCheckBox *>(u"chbIsInputKolByWindow"_s)->setChecked(false);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"SpeedButton2"_s), Qt::LeftButton);
    });
    h.ui().SpeedButton4->click();
    EXPECT_EQ(h.settings().IsInputKolByWindow, 0);
    EXPECT_EQ(h.ui().grdZakaz->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(h.ui().zakazModel->isEditing());
}
