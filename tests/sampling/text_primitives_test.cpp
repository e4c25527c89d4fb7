#include "sampling/text_primitives.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QLocale kC = QLocale::c();

TEST(TextPrimitives, CutsPastTheEndAreEmptyOrShort)
{
    EXPECT_EQ(Cut(u"abcdef", 3, 2), u"cd");
    EXPECT_EQ(Cut(u"abcdef", 5, 100), u"ef");
    EXPECT_TRUE(Cut(u"abcdef", 7, 3).isEmpty());
    EXPECT_TRUE(Cut(u"abcdef", 1000000, 3).isEmpty());
    EXPECT_TRUE(Cut(u"", 1, 3).isEmpty());
    EXPECT_EQ(Cut(u"abc", 0, 2), u"ab");
}

TEST(TextPrimitives, AfterSkipsThroughTheFirstMarkOrStartsAtTheBeginning)
{
    EXPECT_EQ(After(u"<td>6.2 dB", u'>', 3), u"6.2");
    EXPECT_EQ(After(u"no mark", u'>', 2), u"no");
    EXPECT_TRUE(After(u"ends here>", u'>', 5).isEmpty());
}

TEST(TextPrimitives, NumberRunIsSoughtOnlyInTheFirstTenCharacters)
{
    EXPECT_EQ(ExtractNumberRun(u"  6.2 / 5.8 dB"), QStringLiteral("6.2"));
    EXPECT_EQ(ExtractNumberRun(u"abc-1,234.5x9"), QStringLiteral("-1,234."));
    EXPECT_EQ(ExtractNumberRun(u"123456789012345"), QStringLiteral("1234567890"));
    EXPECT_EQ(ExtractNumberRun(u"abcdefghij5"), QStringLiteral("0"));
    EXPECT_EQ(ExtractNumberRun(u"abcdefghi5"), QStringLiteral("5"));
    EXPECT_EQ(ExtractNumberRun(u""), QStringLiteral("0"));
}

TEST(TextPrimitives, ConvertRejectsGroupingAndJunk)
{
    EXPECT_DOUBLE_EQ(Convert(u"6.2", kC), 6.2);
    EXPECT_DOUBLE_EQ(Convert(u" -3.5 ", kC), -3.5);
    EXPECT_EQ(Convert(u"15,872", kC), 0);
    EXPECT_EQ(Convert(u"1.2.3", kC), 0);
    EXPECT_EQ(Convert(u"-", kC), 0);
    EXPECT_EQ(Convert(u"", kC), 0);
    EXPECT_EQ(Convert(u"inf", kC), 0);
    EXPECT_EQ(Convert(u"nan", kC), 0);

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_DOUBLE_EQ(Convert(u"6,2", german), 6.2);
    EXPECT_EQ(Convert(u"1.234", german), 0);
}

TEST(TextPrimitives, CorrectUndoesTheWrapAroundOnce)
{
    EXPECT_EQ(Correct(2147483649.0), 1);
    EXPECT_EQ(Correct(2140000000.0), 2140000000.0);
    EXPECT_EQ(Correct(4294967295.0), 2147483647.0);
    EXPECT_EQ(Correct(-3), -3);
}

TEST(TextPrimitives, PadLeftRightAlignsAndNeverCuts)
{
    EXPECT_EQ(PadLeft(QStringLiteral("6.2"), 8), QStringLiteral("     6.2"));
    EXPECT_EQ(PadLeft(QStringLiteral("123456789"), 8), QStringLiteral("123456789"));
    EXPECT_EQ(PadLeft(QStringLiteral("x"), 0), QStringLiteral("x"));
}

TEST(TextPrimitives, AddThouSepGroupsTheIntegerPart)
{
    const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(AddThouSep(QStringLiteral("123"), uk), QStringLiteral("123"));
    EXPECT_EQ(AddThouSep(QStringLiteral("1234"), uk), QStringLiteral("1,234"));
    EXPECT_EQ(AddThouSep(QStringLiteral("123456"), uk), QStringLiteral("123,456"));
    EXPECT_EQ(AddThouSep(QStringLiteral("1234567"), uk), QStringLiteral("1,234,567"));
    EXPECT_EQ(AddThouSep(QStringLiteral("12345.6"), uk), QStringLiteral("12,345.6"));
    EXPECT_EQ(AddThouSep(QStringLiteral(""), uk), QStringLiteral(""));
    EXPECT_EQ(AddThouSep(QStringLiteral("0"), uk), QStringLiteral("0"));

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(AddThouSep(QStringLiteral("12345,6"), german), QStringLiteral("12.345,6"));
}

} // namespace
