#include "views/ItemLine.h"

#include <gtest/gtest.h>

#include <array>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;
using tarvek::views::splitItemLine;

namespace {

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
