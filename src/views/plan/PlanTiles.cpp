#include "views/plan/PlanTiles.h"

#include <algorithm>
#include <tuple>

namespace tarvek::plan {

PlanTiles::PlanTiles(const std::vector<RecordedItem>& items, std::optional<std::int32_t> level)
{
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const RecordedItem& item = items[i];
        if (item.hasPosition && item.category() && (!level || item.z == *level)) {
            m_items.push_back(i);
        }
    }
    const auto order = [&items](std::uint32_t i) {
        const RecordedItem& item = items[i];
        return std::tuple(item.y, item.x, *item.category(), i);
    };
    std::sort(m_items.begin(), m_items.end(),
              [&order](std::uint32_t a, std::uint32_t b) { return order(a) < order(b); });
    for (std::uint32_t k = 0; k < m_items.size(); ++k) {
        const RecordedItem& item = items[m_items[k]];
        if (m_tiles.empty() || m_tiles.back().x != item.x || m_tiles.back().y != item.y) {
            if (m_tiles.empty() || m_tiles.back().y != item.y) {
                m_rows.push_back(static_cast<std::uint32_t>(m_tiles.size()));
            }
            // Sorted by category within the tile: the first item decides.
            m_tiles.push_back({item.x, item.y, *item.category(), k, 0});
        }
        ++m_tiles.back().count;
    }
}

std::span<const std::uint32_t> PlanTiles::itemsOf(const Tile& tile) const
{
    return std::span(m_items).subspan(tile.first, tile.count);
}

std::size_t PlanTiles::rowEnd(std::size_t row) const
{
    return row + 1 < m_rows.size() ? m_rows[row + 1] : m_tiles.size();
}

std::size_t PlanTiles::firstRow(std::int32_t y) const
{
    return static_cast<std::size_t>(
        std::partition_point(m_rows.begin(), m_rows.end(),
                             [&](std::uint32_t first) { return m_tiles[first].y < y; }) -
        m_rows.begin());
}

std::size_t PlanTiles::firstInRow(std::size_t row, std::int32_t x) const
{
    const auto begin = m_tiles.begin() + m_rows[row];
    const auto end = m_tiles.begin() + static_cast<std::ptrdiff_t>(rowEnd(row));
    return static_cast<std::size_t>(
        std::partition_point(begin, end, [x](const Tile& t) { return t.x < x; }) - m_tiles.begin());
}

const Tile* PlanTiles::at(std::int32_t x, std::int32_t y) const
{
    const Tile* found = nullptr;
    forEachIn({x, y, x, y}, [&found](const Tile& tile) { found = &tile; });
    return found;
}

std::vector<std::int32_t> levelsOf(const std::vector<RecordedItem>& items)
{
    std::vector<std::int32_t> levels;
    for (const RecordedItem& item : items) {
        if (item.hasPosition) {
            levels.push_back(item.z);
        }
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    return levels;
}

} // namespace tarvek::plan
