#include "views/art/Projection.h"
#include "views/art/TileData.h"

#include <gtest/gtest.h>

using namespace tarvek::art;

namespace {

std::vector<std::uint32_t> order(const std::vector<PlacedItem>& items)
{
    return drawingOrder(items);
}

TEST(ProjectionTest, PlacesPicturesOnTheirTile)
{
    // Centre (22 * (3 - 1), 22 * (3 + 1) - 4 * 5) = (44, 68); bottom 22 below it.
    const PictureRect rect = pictureRect({3, 1, 5, 0, 0}, 45, 30);
    EXPECT_EQ(rect.left, 44 - 22);
    EXPECT_EQ(rect.top, 68 + 22 - 30);
    // Far positions do not overflow.
    const PictureRect far =
        pictureRect({2'000'000'000, -2'000'000'000, -2'000'000'000, 0, 0}, 44, 44);
    EXPECT_EQ(far.left, 88'000'000'000 - 22);
    EXPECT_EQ(far.top, 8'000'000'000 - 22);
}

// Back to front by diagonal, then priority, then x; a wall behind is drawn before the chair in
// front of it whatever the file's order.
TEST(ProjectionTest, OrdersByDiagonalPriorityAndX)
{
    EXPECT_EQ(order({{5, 5, 0, 0, 0}, {4, 5, 0, 0, 0}}), (std::vector<std::uint32_t>{1, 0}));
    // Same cell: higher z in front; height lifts an item above a flat one at its z; a Background
    // item goes below a flat one at its z.
    EXPECT_EQ(order({{1, 1, 10, 0, 0}, {1, 1, 0, 0, 0}}), (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(order({{1, 1, 0, 3, 0}, {1, 1, 0, 0, 0}}), (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(order({{1, 1, 0, 0, 0}, {1, 1, 0, 0, TileData::kBackground}}),
              (std::vector<std::uint32_t>{1, 0}));
    // Background and height cancel out: equal keys keep the file's order.
    EXPECT_EQ(order({{1, 1, 0, 2, TileData::kBackground}, {1, 1, 0, 0, 0}}),
              (std::vector<std::uint32_t>{0, 1}));
    // Same diagonal and priority: smaller x first.
    EXPECT_EQ(order({{3, 1, 0, 0, 0}, {1, 3, 0, 0, 0}, {2, 2, 0, 0, 0}}),
              (std::vector<std::uint32_t>{1, 2, 0}));
    // A lower diagonal goes first even when it stands much higher.
    EXPECT_EQ(order({{2, 2, 0, 0, 0}, {1, 2, 100, 5, 0}}), (std::vector<std::uint32_t>{1, 0}));
}

} // namespace
