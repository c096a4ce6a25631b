#include "browse/Pricing.h"

#include <gtest/gtest.h>

using namespace Pricing;

TEST(Round2, KeepsTheBinaryErrorOfTheStepAndRoundsHalvesToEven)
{
    EXPECT_EQ(round2(0.375), 0.37); // the quotient falls just below 37.5
    EXPECT_EQ(round2(117.2775), 117.28);
    EXPECT_EQ(round2(119.7465), 119.75);
    EXPECT_EQ(round2(0.125), 0.12); // 12.5 exactly: to the even neighbour
    EXPECT_EQ(round2(-1.005), -1.0);
    EXPECT_EQ(roundTo(0.4375, 0.001), 0.437);
    EXPECT_EQ(roundTo(27.3125, 0.001), 27.312);
    EXPECT_EQ(roundTo(12.5 / 200 * 437, 0.001), 27.312);
    EXPECT_DOUBLE_EQ(roundTo(0.048 / 200 * 437, 0.0001), 0.1049);
}

TEST(EffectiveDiscount, TheProductLimitCapsTheOrderPercent)
{
    struct Case {
        std::optional<double> box;
        double maxDiscount;
        double expected;
    };
    const Case cases[] = {
        {5, 3, 3},
        {5, 0, 5},
        {5, 10, 5},
        {5, 0.01, 0},
        {std::nullopt, 3, 0},
        {std::nullopt, 0, 0},
        {100, 0, 0},
        {100, 3, 0},
        {5, 0.00004, 5}, // a limit that rounds to 0 is no limit
        {0.005, 0.01, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "box " << c.box.value_or(-1) << " max " << c.maxDiscount);
        EXPECT_EQ(effectiveDiscount(c.box, c.maxDiscount), c.expected);
    }
    EXPECT_EQ(parseDiscountBox(QStringLiteral("  ")), std::nullopt);
    EXPECT_EQ(parseDiscountBox(QStringLiteral("7.5")), 7.5);
    EXPECT_EQ(parseDiscountBox(QStringLiteral("7,5")), std::nullopt);
}

TEST(LineAmounts, MatchTheWorkedExamples)
{
    struct Case {
        double c, p;
        int k;
        double cena, summa, cenaDiscount, summaPrice, summaDiscount;
    };
    const Case cases[] = {
        {123.45, 5, 3, 117.28, 351.84, 6.17, 370.35, 18.51},
        {19.99, 3, 7, 19.39, 135.73, 0.6, 139.93, 4.2},
        {0.75, 50, 1, 0.37, 0.37, 0.38, 0.75, 0.38},
        {1000, 7.5, 4, 925, 3700, 75, 4000, 300},
        {100, 0, 2, 100, 200, 0, 200, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.c);
        const LineAmounts a = lineAmounts(c.c, c.p, c.k);
        EXPECT_EQ(a.cenaPrice, c.c);
        EXPECT_EQ(a.procentDiscount, c.p);
        EXPECT_DOUBLE_EQ(a.cena, c.cena);
        EXPECT_DOUBLE_EQ(a.summa, c.summa);
        EXPECT_DOUBLE_EQ(a.cenaDiscount, c.cenaDiscount);
        EXPECT_DOUBLE_EQ(a.summaPrice, c.summaPrice);
        EXPECT_DOUBLE_EQ(a.summaDiscount, c.summaDiscount);
    }
}

TEST(TotalsText, GroupsDigitsByThreeAndTrimsThePattern)
{
    const LineAmounts a = lineAmounts(123.45, 5, 3);
    const LineAmounts b = lineAmounts(19.99, 3, 7);
    EXPECT_EQ(totalsText(a.summaPrice + b.summaPrice, a.summaDiscount + b.summaDiscount),
              QStringLiteral("Сумма заказа: 510.28 - 22.71 = 487.57"));
    EXPECT_EQ(totalsText(1234567.5, 0),
              QStringLiteral("Сумма заказа: 1 234 567.50 - 0.00 = 1 234 567.50"));
    EXPECT_EQ(emptyTotalsText(), QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00"));
    EXPECT_EQ(formatAmount(0), QStringLiteral("0.00"));
    EXPECT_EQ(formatAmount(999.999), QStringLiteral("1 000.00"));
    EXPECT_EQ(formatAmount(1234567890.25), QStringLiteral("1234 567 890.25"));
    EXPECT_EQ(formatAmount(-1500), QStringLiteral("-1 500.00"));
}

TEST(FormatFloat, FollowsTheDisplayPatterns)
{
    struct Case {
        double value;
        const char *pattern;
        QString expected;
    };
    const Case cases[] = {
        {1398.4, "# ##0.00", QStringLiteral("1 398.40")},
        {0, "# ##0", QStringLiteral("0")},
        {12345, "# ##0", QStringLiteral("12 345")},
        {0.1049, "# ##0.####", QStringLiteral("0.1049")},
        {62.5, "# ##0.####", QStringLiteral("62.5")},
        {3200, "# ##0.####", QStringLiteral("3 200")},
        {119.75, "# ##0.00 руб.", QStringLiteral("119.75 руб.")},
        {24, "0", QStringLiteral("24")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatFloat(c.value, QString::fromUtf8(c.pattern)), c.expected) << c.pattern;
}
