#include "order/KolDialogModel.h"

#include <gtest/gtest.h>

namespace {

Product packaged()
{
    Product p;
    p.id = 1;
    p.fullName = QStringLiteral("Скрепки");
    p.cena = 3.20;
    p.st1 = 10;
    p.st2 = 50;
    p.st3 = 200;
    p.wst3 = 12.5;
    p.vst3 = 0.048;
    return p;
}

} // namespace

TEST(KolDialogModel, BreaksAQuantityDownIntoPackaging)
{
    struct Case {
        int quantity;
        qint64 boxes, blocks, packages, loose;
        double sum, weight, volume;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 0, 0},
        {7, 0, 0, 0, 7, 22.4, 0.437, 0.0017},
        {437, 2, 0, 3, 7, 1398.4, 27.312, 0.1049},
        {1000, 5, 0, 0, 0, 3200, 62.5, 0.24},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.quantity);
        const auto b = KolDialogModel::breakdown(packaged(), c.quantity);
        EXPECT_EQ(b.boxes, c.boxes);
        EXPECT_EQ(b.blocks, c.blocks);
        EXPECT_EQ(b.packages, c.packages);
        EXPECT_EQ(b.loose, c.loose);
        EXPECT_DOUBLE_EQ(b.sum, c.sum);
        EXPECT_DOUBLE_EQ(b.weight, c.weight);
        EXPECT_DOUBLE_EQ(b.volume, c.volume);
    }

    Product packsOnly;
    packsOnly.st1 = 12;
    packsOnly.wst3 = 5;
    const auto b = KolDialogModel::breakdown(packsOnly, 30);
    EXPECT_EQ(b.boxes, 0);
    EXPECT_EQ(b.blocks, 0);
    EXPECT_EQ(b.packages, 2);
    EXPECT_EQ(b.loose, 6);
    EXPECT_EQ(b.weight, 0);
    EXPECT_EQ(b.volume, 0);
}

TEST(KolDialogModel, OpensWithTheOrderedQuantityOrZero)
{
    KolDialogModel m;
    m.open(packaged(), true, 24);
    EXPECT_EQ(m.quantity(), 24);
    EXPECT_DOUBLE_EQ(m.current().sum, 24 * 3.20);
    EXPECT_EQ(m.current().packages, 2);
    EXPECT_EQ(m.current().loose, 4);
    EXPECT_EQ(m.wst3Text(), QStringLiteral("12.5"));
    EXPECT_EQ(m.vst3Text(), QStringLiteral("0.048"));

    m.open(packaged(), false, 24);
    EXPECT_EQ(m.quantity(), 0);
    EXPECT_EQ(m.current().sum, 0);
    m.setQuantityText(QStringLiteral("437"));
    EXPECT_EQ(m.current().boxes, 2);
    m.setQuantityText(QString());
    EXPECT_EQ(m.quantity(), 0);
}

TEST(KolDialogModel, BreaksALongNameAtABlankLeftOfItsMiddle)
{
    // 24 characters: the search starts at position 11 and goes left.
    EXPECT_EQ(KolDialogModel::breakName(QStringLiteral("Ручка шариковая синяя 07")),
              QStringLiteral("Ручка \nшариковая синяя 07"));
    EXPECT_EQ(KolDialogModel::breakName(QStringLiteral("  Карандаш чернографитный HB ")),
              QStringLiteral("Карандаш \nчернографитный HB"));
    EXPECT_EQ(KolDialogModel::breakName(QStringLiteral("Суперклейкаялента x")),
              QStringLiteral("\nСуперклейкаялента x"));
}

TEST(KolDialogModel, CtrlEnterCommitsEverywhereEnterOnCancelCancels)
{
    using M = KolDialogModel;
    EXPECT_EQ(M::keyOutcome(M::Focus::CancelButton, M::Key::CtrlEnter), M::Outcome::Ok);
    EXPECT_EQ(M::keyOutcome(M::Focus::CancelButton, M::Key::Enter), M::Outcome::Cancel);
    for (auto focus : {M::Focus::QuantityBox, M::Focus::OkButton, M::Focus::Dialog}) {
        EXPECT_EQ(M::keyOutcome(focus, M::Key::Enter), M::Outcome::Ok);
        EXPECT_EQ(M::keyOutcome(focus, M::Key::Esc), M::Outcome::Cancel);
    }
}
