#include "views/compare/ComparePlan.h"

#include <algorithm>
#include <limits>
#include <map>

namespace tarvek::compare {
namespace {

constexpr ItemCategory kAdded = kAddedCategory;
constexpr ItemCategory kRemoved = kRemovedCategory;
constexpr ItemCategory kUnchanged = ItemCategory::PricedHZ;

// An item of a run as the plan of a comparison keeps it: without its list lines, so that a
// double click opens its own view.
RecordedItem unlinked(RecordedItem item)
{
    item.movableLine = -1;
    item.movableLines = 0;
    item.nestedLine = -1;
    item.notCalculatedLine = -1;
    return item;
}

RecordedItem withCategory(RecordedItem item, ItemCategory category)
{
    item = unlinked(item);
    item.flags = static_cast<std::uint8_t>(1u << static_cast<unsigned>(category));
    return item;
}

void copyExtents(ItemRecord& to, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                 std::int32_t maxY)
{
    to.setExtents(minX, minY, maxX, maxY);
    const std::int64_t area = (std::int64_t{maxX} - minX + 1) * (std::int64_t{maxY} - minY + 1);
    to.setSquareSteps(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(area, 0, std::numeric_limits<std::int32_t>::max())));
}

} // namespace

ItemRecord planRecord(const Calculation& oldRun, const Calculation& newRun, PlanMode mode)
{
    ItemRecord record;
    if (mode != PlanMode::Differences) {
        const ItemRecord& from = mode == PlanMode::Old ? oldRun.items : newRun.items;
        for (const RecordedItem& item : from.items()) {
            record.addRecordedItem(unlinked(item));
        }
        copyExtents(record, from.minX(), from.minY(), from.maxX(), from.maxY());
        record.setSquareSteps(from.squareSteps());
        record.finish();
        return record;
    }
    // How many items of each key the other run has, used up one by one.
    std::map<PositionKey, std::int64_t> oldCounts;
    for (const RecordedItem& item : oldRun.items.items()) {
        ++oldCounts[positionKeyOf(item)];
    }
    std::map<PositionKey, std::int64_t> newCounts;
    for (const RecordedItem& item : newRun.items.items()) {
        const PositionKey key = positionKeyOf(item);
        ++newCounts[key];
        const bool kept = oldCounts[key]-- > 0;
        record.addRecordedItem(withCategory(item, kept ? kUnchanged : kAdded));
    }
    for (const RecordedItem& item : oldRun.items.items()) {
        if (newCounts[positionKeyOf(item)]-- <= 0) {
            record.addRecordedItem(withCategory(item, kRemoved));
        }
    }
    const ItemRecord& o = oldRun.items;
    const ItemRecord& n = newRun.items;
    copyExtents(record, std::min(o.minX(), n.minX()), std::min(o.minY(), n.minY()),
                std::max(o.maxX(), n.maxX()), std::max(o.maxY(), n.maxY()));
    record.finish();
    return record;
}

QColor differenceColour(ItemCategory category)
{
    switch (category) {
    case kAdded:
        return QColor::fromRgb(0x2E7D32);
    case kRemoved:
        return QColor::fromRgb(0xC62828);
    default:
        return QColor::fromRgb(0xB0B0B0);
    }
}

QString differenceLabel(ItemCategory category)
{
    switch (category) {
    case kAdded:
        return QStringLiteral("hinzugekommen");
    case kRemoved:
        return QStringLiteral("entfernt");
    default:
        return QStringLiteral("unverändert");
    }
}

plan::PlanLook differenceLook()
{
    return {differenceColour,
            differenceLabel,
            {ItemCategory::NotImportable, ItemCategory::Spawn, ItemCategory::PricedHZ}};
}

} // namespace tarvek::compare
