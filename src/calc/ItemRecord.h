#pragma once

#include "importfile/ImportText.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvek {

// What a run finds about one item, most important first: a tile of the plan shows the first that
// applies to any of its items.
enum class ItemCategory : std::uint8_t
{
    NotImportable,   // phase 5: listed as an item that may not be imported
    Spawn,           // phase 5: a spawn
    Nested,          // phase 7: at a listed nested position
    NotCalculated,   // phase 8: its graphic is listed as not calculated, or its bundle line
                     // has the piece count 0
    BuildZoneBorder, // graphic text "1173" with colour text "1283"
    PricedNHZ,       // phase 8: priced into the NHZ sum
    PricedHZ,        // phase 8: priced into the HZ sum
    Exempt,          // phase 8: not in the price list, but never listed (0x1646, 0x1647)
};
inline constexpr int kItemCategoryCount = 8;

// The name of a category in tarvek-calc's JSON report ("notImportable", "spawn", ...).
std::string_view categoryName(ItemCategory category);

// One item entry: the graphic line and the four lines below it (x, y, z, color).
struct RecordedItem
{
    std::uint32_t line = 0; // index of the graphic line
    std::int32_t graphic = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::int32_t colour = 0;
    bool hasPosition = false; // x, y and z lines where the entry layout puts them, all numbers
    bool hasColour = false;
    std::uint8_t flags = 0; // one bit per ItemCategory that applies
    // The lines the run wrote for the item, -1: none. An item whose graphic two price lines mark
    // as not importable has two consecutive lines.
    std::uint8_t movableLines = 0;
    std::int32_t movableLine = -1;       // in the list of items that may not be imported
    std::int32_t nestedLine = -1;        // in the list of nested items
    std::int32_t notCalculatedLine = -1; // in the list of items not calculated

    bool has(ItemCategory category) const
    {
        return (flags & (1u << static_cast<unsigned>(category))) != 0;
    }
    // The most important category that applies; nothing before phase 8 has priced the graphic.
    std::optional<ItemCategory> category() const;
};

// An item's position key as numbers: graphic, X, Y, Z; an entry without a readable position has
// only its graphic. Ordered by graphic, then position.
struct PositionKey
{
    std::int32_t graphic = 0;
    bool hasPosition = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;

    // NOLINTNEXTLINE(modernize-use-nullptr): the defaulted comparison's 0 is no pointer
    auto operator<=>(const PositionKey&) const = default;
};
PositionKey positionKeyOf(const RecordedItem& item);
// "X:1436, Y:1614, Z:0", or "ohne Position".
std::string positionText(const PositionKey& key);

// Records, as a run goes, every item entry with its position, graphic, colour and what the phases
// find about it, and the extents and square steps of the building. A run given one clears it at
// its start; it is complete only when phase 8 has ended.
class ItemRecord
{
public:
    void clear();

    // ---- Written by the phases
    void setLowestLevel(std::int32_t z) { m_lowestLevel = z; }
    void setExtents(std::int32_t minX, std::int32_t minY, std::int32_t maxX, std::int32_t maxY);
    void setSquareSteps(std::int32_t squareSteps) { m_squareSteps = squareSteps; }
    // Phase 5, before its first item: room for `items` items.
    void reserve(std::size_t items) { m_items.reserve(items); }
    // Phase 5, in file order: the item whose graphic line is `graphicLine`.
    void addItem(const ImportText& lines, std::size_t graphicLine);
    // Phase 5, for the item added last.
    void markNotImportable();
    void markSpawn();
    // Phase 7: the next listed nested position; returns its line in the list of nested items.
    std::int32_t nextNestedLine() { return m_nestedLines++; }
    // Phase 7: the items of the y lines counted at a position (y line, position; in file order);
    // the positions listed have their line in `listedLine`, the others -1.
    void markNested(const std::vector<std::pair<std::size_t, std::uint32_t>>& yLines,
                    const std::vector<std::int32_t>& listedLine);
    // Phase 8: the item whose graphic line is `graphicLine` is a build-zone border.
    void markBorder(std::size_t graphicLine);
    // Phase 8: what pricing found for a graphic (PricedHZ, PricedNHZ, NotCalculated or Exempt);
    // `listed`: the graphic got the next line of the list of items not calculated (a bundle line
    // with the piece count 0 leaves its graphic unpriced without a line).
    void setGraphicOutcome(std::int32_t graphic, ItemCategory category, bool listed);
    // Phase 8 has ended: the graphics' outcomes go to their items.
    void finish();

    // ---- A record made of the items of others (the plans of a comparison): the items added one
    //      by one, then finish()
    void addRecordedItem(const RecordedItem& item) { m_items.push_back(item); }

    // ---- The bytes of the import file that the run read (their fileFingerprint); set by the run
    //      that read them, after it has ended
    void setFileFingerprint(std::uint64_t fingerprint) { m_fileFingerprint = fingerprint; }
    std::optional<std::uint64_t> fileFingerprint() const { return m_fileFingerprint; }

    // ---- Read after the run
    bool complete() const { return m_complete; }
    const std::vector<RecordedItem>& items() const { return m_items; }
    std::int32_t lowestLevel() const { return m_lowestLevel; }
    std::int32_t minX() const { return m_minX; }
    std::int32_t minY() const { return m_minY; }
    std::int32_t maxX() const { return m_maxX; }
    std::int32_t maxY() const { return m_maxY; }
    std::int32_t squareSteps() const { return m_squareSteps; }

private:
    RecordedItem* itemAt(std::size_t graphicLine);

    std::vector<RecordedItem> m_items; // in file order
    std::unordered_map<std::int32_t, std::pair<ItemCategory, std::int32_t>> m_graphics;
    std::int32_t m_movableLines = 0;
    std::int32_t m_nestedLines = 0;
    std::int32_t m_notCalculatedLines = 0;
    std::int32_t m_lowestLevel = 0;
    std::int32_t m_minX = 10000;
    std::int32_t m_minY = 10000;
    std::int32_t m_maxX = 0;
    std::int32_t m_maxY = 0;
    std::int32_t m_squareSteps = 0;
    std::optional<std::uint64_t> m_fileFingerprint;
    bool m_complete = false;
};

} // namespace tarvek
