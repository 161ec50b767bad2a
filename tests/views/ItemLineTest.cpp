#include "views/ItemLine.h"

#include <gtest/gtest.h>

#include <array>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;
using tarvek::views::splitItemLine;
using tarvek::views::toWholeNumber;

namespace {

TEST(ItemLineTest, WholeNumbersAsTheCalculationReadsThem)
{
    EXPECT_EQ(toWholeNumber(" 3645"), 3645);
    EXPECT_EQ(toWholeNumber("  -5"), -5);
    EXPECT_EQ(toWholeNumber("+7"), 7);
    EXPECT_EQ(toWholeNumber("$0E3D"), 0x0e3d);
    EXPECT_EQ(toWholeNumber("0x0e3d"), 0x0e3d);
    EXPECT_EQ(toWholeNumber("X1f"), 0x1f);
    EXPECT_EQ(toWholeNumber("-0x10"), -16);
    EXPECT_EQ(toWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(toWholeNumber("-2147483648"), -2147483647 - 1);
}

TEST(ItemLineTest, TextsThatAreNoWholeNumber)
{
    for (const char* text : {"", " ", "-", "+", "0x", "$", "12 ", "1 2", "12a", "0x1g",
                             "2147483648", "-2147483649", "99999999999999999999", "\t5", "٣"}) {
        EXPECT_FALSE(toWholeNumber(QString::fromUtf8(text)).has_value()) << text;
    }
}

TEST(ItemLineTest, FieldsEndAtTheFirstOccurrenceOfTheirMarker)
{
    constexpr std::array<FieldCut, 3> form{{
        {ItemField::D, ", H:"},
        {ItemField::H, ", Anz.:"},
        {ItemField::Anzahl, nullptr},
    }};
    const auto values = splitItemLine("D:7, H:a, H:b, Anz.:3, Anz.:4", form);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].second, "7");
    EXPECT_EQ(values[1].second, "a, H:b");
    EXPECT_EQ(values[2].second, "3, Anz.:4");

    const auto shortLine = splitItemLine("D", form);
    EXPECT_EQ(shortLine[0].second, "");
    EXPECT_EQ(shortLine[2].second, "");
}

} // namespace
