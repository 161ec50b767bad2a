#include "calc/ItemRecord.h"

#include "importfile/ImportFormat.h"

#include <algorithm>
#include <array>

namespace tarvek {
namespace {

constexpr std::array<std::string_view, kItemCategoryCount> kNames = {
    "notImportable",   "spawn",     "nested",   "notCalculated",
    "buildZoneBorder", "pricedNHZ", "pricedHZ", "exempt"};

std::uint8_t bit(ItemCategory category)
{
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(category));
}

// The number of a fixed cut on line `index`, when the line exists, holds the key and the cut is a
// whole number.
std::optional<std::int32_t> cutNumber(const ImportText& lines, std::size_t index,
                                      std::string_view key, std::size_t count)
{
    if (index >= lines.size()) {
        return std::nullopt;
    }
    return toInteger(fixedCut(lines[index], key, count));
}

} // namespace

std::string_view categoryName(ItemCategory category)
{
    return kNames[static_cast<std::size_t>(category)];
}

std::optional<ItemCategory> RecordedItem::category() const
{
    for (int c = 0; c < kItemCategoryCount; ++c) {
        if ((flags & (1u << c)) != 0) {
            return static_cast<ItemCategory>(c);
        }
    }
    return std::nullopt;
}

PositionKey positionKeyOf(const RecordedItem& item)
{
    return item.hasPosition ? PositionKey{item.graphic, true, item.x, item.y, item.z}
                            : PositionKey{item.graphic, false, 0, 0, 0};
}

std::string positionText(const PositionKey& key)
{
    if (!key.hasPosition) {
        return "ohne Position";
    }
    return "X:" + std::to_string(key.x) + ", Y:" + std::to_string(key.y) +
           ", Z:" + std::to_string(key.z);
}

void ItemRecord::clear()
{
    std::vector<RecordedItem> items = std::move(m_items);
    items.clear(); // keeps its room for the next run
    *this = ItemRecord();
    m_items = std::move(items);
}

void ItemRecord::setExtents(std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                            std::int32_t maxY)
{
    m_minX = minX;
    m_minY = minY;
    m_maxX = maxX;
    m_maxY = maxY;
}

void ItemRecord::addItem(const ImportText& lines, std::size_t graphicLine)
{
    RecordedItem item;
    item.line = static_cast<std::uint32_t>(graphicLine);
    // The cuts of phases 3 and 8; a graphic that is no number stops the run in phase 8.
    item.graphic = cutNumber(lines, graphicLine, kKeyGraphic, kGraphicCut).value_or(0);
    const auto x = cutNumber(lines, graphicLine + 1, kKeyX, kCoordinateCut);
    const auto y = cutNumber(lines, graphicLine + 2, kKeyY, kCoordinateCut);
    const auto z = cutNumber(lines, graphicLine + 3, kKeyZ, kCoordinateCut);
    if (x && y && z) {
        item.hasPosition = true;
        item.x = *x;
        item.y = *y;
        item.z = *z;
    }
    if (const auto colour = cutNumber(lines, graphicLine + 4, kKeyColor, kColorCut)) {
        item.hasColour = true;
        item.colour = *colour;
    }
    m_items.push_back(item);
}

void ItemRecord::markNotImportable()
{
    RecordedItem& item = m_items.back();
    if (item.movableLines == 0) {
        item.movableLine = m_movableLines;
    }
    item.movableLines = static_cast<std::uint8_t>(std::min(item.movableLines + 1, 255));
    item.flags |= bit(ItemCategory::NotImportable);
    ++m_movableLines;
}

void ItemRecord::markSpawn()
{
    m_items.back().flags |= bit(ItemCategory::Spawn);
}

RecordedItem* ItemRecord::itemAt(std::size_t graphicLine)
{
    const auto it = std::lower_bound(
        m_items.begin(), m_items.end(), graphicLine,
        [](const RecordedItem& item, std::size_t line) { return item.line < line; });
    return it != m_items.end() && it->line == graphicLine ? &*it : nullptr;
}

void ItemRecord::markNested(const std::vector<std::pair<std::size_t, std::uint32_t>>& yLines,
                            const std::vector<std::int32_t>& listedLine)
{
    // Both in file order: one walk over the items.
    auto item = m_items.begin();
    for (const auto& [yLine, position] : yLines) {
        if (listedLine[position] < 0 || yLine < 2) {
            continue;
        }
        // The graphic line of a key stands two lines above its y line.
        while (item != m_items.end() && item->line < yLine - 2) {
            ++item;
        }
        if (item != m_items.end() && item->line == yLine - 2) {
            item->flags |= bit(ItemCategory::Nested);
            item->nestedLine = listedLine[position];
        }
    }
}

void ItemRecord::markBorder(std::size_t graphicLine)
{
    if (RecordedItem* item = itemAt(graphicLine)) {
        item->flags |= bit(ItemCategory::BuildZoneBorder);
    }
}

void ItemRecord::setGraphicOutcome(std::int32_t graphic, ItemCategory category, bool listed)
{
    const std::int32_t line = listed ? m_notCalculatedLines++ : -1;
    m_graphics[graphic] = {category, line};
}

void ItemRecord::finish()
{
    for (RecordedItem& item : m_items) {
        if (const auto it = m_graphics.find(item.graphic); it != m_graphics.end()) {
            item.flags |= bit(it->second.first);
            item.notCalculatedLine = it->second.second;
        }
    }
    m_graphics.clear();
    m_complete = true;
}

} // namespace tarvek
