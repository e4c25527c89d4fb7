#include "base/int_parsing.h"

#include <gtest/gtest.h>

namespace {

TEST(IntParsing, IntegerTextsFollowTheSettingsRules)
{
    EXPECT_EQ(StrToIntDef(u" 93599", 0), 93599);
    EXPECT_EQ(StrToIntDef(u"-12", 0), -12);
    EXPECT_EQ(StrToIntDef(u"+7", 0), 7);
    EXPECT_EQ(StrToIntDef(u"$1F", 0), 31);
    EXPECT_EQ(StrToIntDef(u"0x1f", 0), 31);
    EXPECT_EQ(StrToIntDef(u"0X10", 0), 16);
    EXPECT_EQ(StrToIntDef(u"$FFFFFFFF", 0), -1);
    EXPECT_EQ(StrToIntDef(u"-2147483648", 0), -2147483647 - 1);
    EXPECT_EQ(StrToIntDef(u"2147483648", 5), 5);
    EXPECT_EQ(StrToIntDef(u"12 ", 5), 5);
    EXPECT_EQ(StrToIntDef(u"yes", 5), 5);
    EXPECT_EQ(StrToIntDef(u"", 5), 5);
    EXPECT_EQ(StrToIntDef(u"-", 5), 5);
}

} // namespace
