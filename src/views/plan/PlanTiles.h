#pragma once

#include "calc/ItemRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarvek::plan {

// One square of the map: the items at one X and Y (on one level, or on all), and the category of
// the most important of them.
struct Tile
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    ItemCategory category = ItemCategory::Exempt;
    std::uint32_t first = 0; // the tile's items: itemsOf(tile)
    std::uint32_t count = 0;
};

// A rectangle of tiles, both corners included.
struct TileRange
{
    std::int32_t minX = 0;
    std::int32_t minY = 0;
    std::int32_t maxX = -1;
    std::int32_t maxY = -1;
};

// The tiles of a complete run's items, on all levels or on one Z level, with a row index so that
// the tiles of a visible rectangle are found without visiting the others. Items without a
// position or without a category are left out.
class PlanTiles
{
public:
    PlanTiles() = default;
    PlanTiles(const std::vector<RecordedItem>& items, std::optional<std::int32_t> level);

    const std::vector<Tile>& tiles() const { return m_tiles; }
    // The items of a tile (indexes into the run's items), most important first, then file order.
    std::span<const std::uint32_t> itemsOf(const Tile& tile) const;
    // The tile at X, Y, if any item lies there.
    const Tile* at(std::int32_t x, std::int32_t y) const;
    // Calls visit(tile) for every tile inside the range, row by row.
    template <typename Visit> void forEachIn(const TileRange& range, Visit&& visit) const
    {
        for (std::size_t r = firstRow(range.minY); r < m_rows.size() && rowY(r) <= range.maxY;
             ++r) {
            for (std::size_t t = firstInRow(r, range.minX);
                 t < rowEnd(r) && m_tiles[t].x <= range.maxX; ++t) {
                visit(m_tiles[t]);
            }
        }
    }

private:
    std::int32_t rowY(std::size_t row) const { return m_tiles[m_rows[row]].y; }
    std::size_t rowEnd(std::size_t row) const;
    std::size_t firstRow(std::int32_t y) const;
    std::size_t firstInRow(std::size_t row, std::int32_t x) const;

    std::vector<Tile> m_tiles;          // by Y, then X
    std::vector<std::uint32_t> m_rows;  // index of the first tile of every row
    std::vector<std::uint32_t> m_items; // item indexes, tile after tile
};

// The Z levels that occur among the positioned items, lowest first.
std::vector<std::int32_t> levelsOf(const std::vector<RecordedItem>& items);

} // namespace tarvek::plan
