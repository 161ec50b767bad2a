#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvek::art {

// Where and in which order the client draws the items of a building. A tile (x, y, z) has its
// centre at ((x - y) 22, (x + y) 22 - 4 z) pixels; an item's picture stands with its bottom edge
// 22 pixels below that centre, centred across it.
struct PlacedItem
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::uint8_t height = 0; // from tiledata.mul
    std::uint64_t flags = 0; // from tiledata.mul: Background (0x1) lowers the item
};

// The rectangle of a picture of width x height pixels, in pixels of the projection.
struct PictureRect
{
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The tile's centre: horizontal and vertical.
std::int64_t tileCentreX(std::int32_t x, std::int32_t y);
std::int64_t tileCentreY(std::int32_t x, std::int32_t y, std::int32_t z);
PictureRect pictureRect(const PlacedItem& item, int width, int height);

// The drawing order, back to front, as indexes into `items`: by the diagonal x + y, then by the
// priority z (one less for a Background item, one more for an item higher than 0), then by x;
// items with equal keys keep their order.
std::vector<std::uint32_t> drawingOrder(std::span<const PlacedItem> items);

} // namespace tarvek::art
