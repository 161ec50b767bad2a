#include "views/art/Projection.h"

#include "views/art/TileData.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace tarvek::art {

namespace {

constexpr std::int64_t kHalfTile = 22;
constexpr std::int64_t kStep = 4; // pixels a unit of z raises an item

} // namespace

std::int64_t tileCentreX(std::int32_t x, std::int32_t y)
{
    return (std::int64_t{x} - y) * kHalfTile;
}

std::int64_t tileCentreY(std::int32_t x, std::int32_t y, std::int32_t z)
{
    return (std::int64_t{x} + y) * kHalfTile - kStep * z;
}

PictureRect pictureRect(const PlacedItem& item, int width, int height)
{
    return {tileCentreX(item.x, item.y) - width / 2,
            tileCentreY(item.x, item.y, item.z) + kHalfTile - height, width, height};
}

std::vector<std::uint32_t> drawingOrder(std::span<const PlacedItem> items)
{
    const auto key = [](const PlacedItem& item) {
        std::int64_t priority = item.z;
        if ((item.flags & TileData::kBackground) != 0) {
            --priority;
        }
        if (item.height > 0) {
            ++priority;
        }
        return std::tuple(std::int64_t{item.x} + item.y, priority, item.x);
    };
    std::vector<std::uint32_t> order(items.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return key(items[a]) < key(items[b]);
    });
    return order;
}

} // namespace tarvek::art
