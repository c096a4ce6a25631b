#include "common/TextUtils.h"

#include <gtest/gtest.h>

using namespace TextUtils;

TEST(ExtractField, CountsFromOneAndNeedsNoTrailingSeparator)
{
    const QString line = QStringLiteral("17;;3");
    EXPECT_EQ(ExtractField(line, QLatin1Char(';'), 1), QStringLiteral("17"));
    EXPECT_EQ(ExtractField(line, QLatin1Char(';'), 2), QString());
    EXPECT_EQ(ExtractField(line, QLatin1Char(';'), 3), QStringLiteral("3"));
    EXPECT_EQ(ExtractField(line, QLatin1Char(';'), 4), QString());
    EXPECT_EQ(ExtractField(line, QLatin1Char(';'), 0), QString());
    EXPECT_EQ(ExtractField(QString(), QLatin1Char(';'), 1), QString());
}

TEST(ReplaceAllText, IgnoresCaseAndRefusesAReplacementHoldingTheText)
{
    EXPECT_EQ(ReplaceAllText(QStringLiteral("ab"), QStringLiteral("xABxab"), QStringLiteral("-")),
              QStringLiteral("x-x-"));
    EXPECT_EQ(ReplaceAllText(QStringLiteral("ab"), QStringLiteral("xab"), QStringLiteral("AB!")),
              QStringLiteral("xab"));
    EXPECT_EQ(ReplaceChar(QStringLiteral("1 234 5"), QLatin1Char(' '), QString()),
              QStringLiteral("12345"));
}

TEST(Cp1251, RoundTripsCyrillicAndUsesOneBytePerLetter)
{
    const QString text = QStringLiteral("ВСЕ ТОВАРЫ ёЁ №");
    const QByteArray bytes = toCp1251(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(0)), 0xC2); // В
    EXPECT_EQ(fromCp1251(bytes), text);
}
