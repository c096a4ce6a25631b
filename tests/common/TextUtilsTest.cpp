#include "common/TextUtils.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

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

TEST(Cp1251, EveryByteDecodesAsTheGeneralConverterDoesAndEncodesBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QStringDecoder decoder("windows-1251");
    ASSERT_TRUE(decoder.isValid());
    const QString expected = decoder.decode(all);
    const QString decoded = fromCp1251(all);
    ASSERT_EQ(decoded.size(), 256);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(decoded.at(b).unicode(), expected.at(b).unicode()) << "byte " << b;
    EXPECT_EQ(toCp1251(decoded), all);
    EXPECT_TRUE(fromCp1251(QByteArray()).isEmpty());
}

TEST(Utf8Detection, OnlyWellFormedUtf8BeyondAsciiCounts)
{
    const struct {
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {QByteArray(), false},
        {"ID;CODE;plain ASCII\r\n", false},
        {QStringLiteral("Ручка шариковая ёЁ №").toUtf8(), true},
        {"\xEF\xBB\xBF"
         "abc",
         true},                                               // a byte order mark
        {toCp1251(QStringLiteral("Ручка шариковая")), false}, // the code page itself
        {toCp1251(QStringLiteral("Ёж «ёлка» №5")), false},
        {"\xC0\xAF", false},         // overlong
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"ok \xD0", false},          // cut short
        {"\xFF\xFE"
         "a\0b\0",
         false},                       // UTF-16 with its mark
        {"\xF0\x9F\x98\x80 ok", true}, // four bytes
    };
    for (const auto &c : cases)
        EXPECT_EQ(isUtf8BeyondAscii(c.bytes), c.utf8) << c.bytes.toHex().toStdString();
}
