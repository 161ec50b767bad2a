#include "app/Anchors.h"

#include <gtest/gtest.h>

namespace {

using Across = Anchors::Across;

// Five lists stacked 100 pixels apart in a column 300 wide, with a control beneath each: 7 more
// pixels each way go 2, 2, 1, 1, 1 to the lists, top first, and 3 to the left column.
TEST(Anchors, StackedListsShareTheExtraHeightAndTheColumnsTheExtraWidth)
{
    const QSize extra(7, 7);
    const int grown[Anchors::GrowingLists] = {2, 2, 1, 1, 1};
    int moved = 0;
    for (int n = 0; n < Anchors::GrowingLists; ++n) {
        const QRect list =
            anchoredPlace({4, 100 * n, 296, 80}, {Across::Left, Across::Divider, n, n + 1}, extra);
        EXPECT_EQ(list, QRect(4, 100 * n + moved, 299, 80 + grown[n])) << n;
        moved += grown[n];
        const QRect beneath =
            anchoredPlace({60, 100 * n + 85, 75, 19}, Anchors::fixed(Across::Left, n + 1), extra);
        EXPECT_EQ(beneath, QRect(60, 100 * n + 85 + moved, 75, 19)) << n;
    }
    EXPECT_EQ(moved, extra.height());

    // The right column moves with the divider; what reaches the right edge widens or follows it.
    const QRect bar =
        anchoredPlace({310, 10, 200, 19}, {Across::Divider, Across::Right, 0, 0}, extra);
    EXPECT_EQ(bar, QRect(313, 10, 204, 19));
    EXPECT_EQ(anchoredPlace({520, 10, 30, 19}, Anchors::fixed(Across::Right, 0), extra),
              QRect(527, 10, 30, 19));
    // A smaller area leaves every control where it is described.
    EXPECT_EQ(anchoredPlace(bar, {Across::Left, Across::Right, 0, 5}, {-40, -9}), bar);
}

} // namespace
