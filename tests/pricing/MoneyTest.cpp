#include "pricing/Money.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(MoneyText, GroupsOfThree)
{
    EXPECT_EQ(moneyText(0, "."), "0 GS");
    EXPECT_EQ(moneyText(5, "."), "5 GS");
    EXPECT_EQ(moneyText(999, "."), "999 GS");
    EXPECT_EQ(moneyText(1000, "."), "1.000 GS");
    EXPECT_EQ(moneyText(10000, "."), "10.000 GS");
    EXPECT_EQ(moneyText(34650, "."), "34.650 GS");
    EXPECT_EQ(moneyText(1000000000, "."), "1.000.000.000 GS");
}

TEST(MoneyText, SixtyFourBitAmountsInFull)
{
    EXPECT_EQ(moneyText(4999000050LL, "."), "4.999.000.050 GS");
    EXPECT_EQ(moneyText(INT64_MAX, "."), "9.223.372.036.854.775.807 GS");
    EXPECT_EQ(moneyText(INT64_MIN, "."), "-9.223.372.036.854.775.808 GS");
}

TEST(MoneyText, NegativeAndOtherSeparators)
{
    EXPECT_EQ(moneyText(-1234, "."), "-1.234 GS");
    EXPECT_EQ(moneyText(-12, "."), "-12 GS");
    EXPECT_EQ(moneyText(-123456, ","), "-123,456 GS");
    EXPECT_EQ(moneyText(1234567, "\u202f"), "1\u202f234\u202f567 GS");
}

TEST(PadLeft, FillsToWidth)
{
    EXPECT_EQ(padLeft("0 GS", 14), "          0 GS");
    EXPECT_EQ(padLeft("10.000 GS", 14), "     10.000 GS");
    EXPECT_EQ(padLeft("1.000.000.000 GS", 14), "1.000.000.000 GS");
    EXPECT_EQ(padLeft("12345678901234", 14), "12345678901234");
    EXPECT_EQ(padLeft("", 3), "   ");
    EXPECT_EQ(padLeft("abc", 0), "abc");
}

TEST(PadLeft, CountsCharactersNotBytes)
{
    EXPECT_EQ(padLeft("1\u202f000 GS", 10), "  1\u202f000 GS");
}
