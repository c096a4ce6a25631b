#include "MainWindowHarness.h"

#include "ui/CatalogGrid.h"
#include "ui/KolForm.h"
#include "ui/ZakazTableModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(KolForm, ShowsTheBreakdownWhileTheQuantityIsTyped)
{
    // Product 10001: packages of 10, blocks of 50, boxes of 200 weighing 12.5 kg, 0.048 m3.
    MainWindowHarness h;
    h.selectProduct(u"10001"_s);
    const QStringList names = {u"eBoxes"_s, u"eBlocks"_s, u"ePackages"_s, u"eLoose"_s,
                               u"eSumma"_s, u"eWeight"_s, u"eVolume"_s};
    const std::pair<QString, QStringList> cases[] = {
        {u"0"_s, {u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0.00"_s, u"0"_s, u"0"_s}},
        {u"7"_s, {u"0"_s, u"0"_s, u"0"_s, u"7"_s, u"22.40"_s, u"0.437"_s, u"0.0017"_s}},
        {u"437"_s, {u"2"_s, u"0"_s, u"3"_s, u"7"_s, u"1 398.40"_s, u"27.312"_s, u"0.1049"_s}},
        {u"1000"_s, {u"5"_s, u"0"_s, u"0"_s, u"0"_s, u"3 200.00"_s, u"62.5"_s, u"0.24"_s}},
    };
    std::vector<QStringList> shown;
    QString title;
    QStringList labels;
    whenModal([&](QWidget *dialog) {
        title = dialog->windowTitle();
        for (QLabel *l : dialog->findChildren<QLabel *>())
            labels << l->text();
        auto *kol = dialog->findChild<QLineEdit *>(u"eKol"_s);
        for (const auto &c : cases) {
            kol->selectAll();
            QTest::keyClicks(kol, c.first);
            QStringList values;
            for (const QString &name : names)
                values << dialog->findChild<QLineEdit *>(name)->text();
            shown.push_back(values);
        }
        QTest::keyClick(kol, Qt::Key_Escape);
    });
    QTest::keyClick(h.ui().DBGridEh1, Qt::Key_Return);
    EXPECT_EQ(title, u"Количество товара в заявке"_s);
    for (const QString &label :
         {u"коробка"_s, u"блок"_s, u"упаковка"_s, u"россыпью"_s, u"Стандарт (упаковка):  10 шт"_s,
          u"Стандарт (коробка):  200 шт"_s})
        EXPECT_TRUE(labels.contains(label)) << label.toStdString();
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], cases[i].second) << cases[i].first.toStdString();
    EXPECT_EQ(h.ui().zakazModel->rowCount(), 0); // Esc ordered nothing
}

TEST(KolForm, KeysCommitOrCancelAsTheKeyTableSays)
{
    struct Case {
        const char *widget;
        Qt::KeyboardModifiers modifiers;
        int key;
        bool commits;
    };
    const Case cases[] = {
        {"eKol", Qt::NoModifier, Qt::Key_Return, true},
        {"eKol", Qt::ControlModifier, Qt::Key_Return, true},
        {"eKol", Qt::NoModifier, Qt::Key_Escape, false},
        {"btnOk", Qt::NoModifier, Qt::Key_Return, true},
        {"btnOk", Qt::NoModifier, Qt::Key_Escape, false},
        {"btnCancel", Qt::NoModifier, Qt::Key_Return, false},
        {"btnCancel", Qt::ControlModifier, Qt::Key_Return, true},
        {"btnCancel", Qt::NoModifier, Qt::Key_Escape, false},
    };
    for (const Case &c : cases) {
        TAppKolForm form;
        std::optional<qint64> committed;
        form.onCommit = [&committed](qint64 kol) { committed = kol; };
        form.prepare({u"Ручка"_s, u"10"_s, u"50"_s, u"200"_s, u"12.5"_s, u"0.048"_s, 3.2}, 24);
        form.show();
        QWidget *target = form.findChild<QWidget *>(QString::fromLatin1(c.widget));
        QTest::keyClick(target, Qt::Key(c.key), c.modifiers);
        EXPECT_EQ(committed.has_value(), c.commits) << c.widget << " " << c.key;
        if (committed) {
            EXPECT_EQ(*committed, 24);
        }
        EXPECT_FALSE(form.isVisible()) << c.widget << " " << c.key;
    }
}

TEST(KolForm, ALongNameBreaksAtABlankLeftOfItsMiddle)
{
    EXPECT_EQ(TAppKolForm::wrapName(u"Ручка шариковая"_s, false), u"Ручка шариковая"_s);
    EXPECT_EQ(TAppKolForm::wrapName(u"Тетрадь общая 96 листов клетка"_s, true),
              u"Тетрадь общая \n96 листов клетка"_s);
    EXPECT_EQ(TAppKolForm::wrapName(u"Суперконструктор"_s, true), u"\nСуперконструктор"_s);
}
