#pragma once

#include "calc/Comparison.h"
#include "views/plan/PlanPicture.h"

#include <QColor>
#include <QString>

namespace tarvek::compare {

// What the plan of a comparison shows: the differences, or the old or the new building alone.
enum class PlanMode
{
    Differences,
    Old,
    New
};

// The plan of one mode as a finished record of its own, without links to the lists of the runs.
// For the differences: the new run's items, of which those beyond the old count at their position
// key are added, and the old run's items beyond the new count, removed; covering both buildings.
// An added item's category is NotImportable, a removed one's Spawn, any other's PricedHZ, so that
// a square shows the most important of its items: added, then removed, then unchanged.
ItemRecord planRecord(const Calculation& oldRun, const Calculation& newRun, PlanMode mode);

// The categories that planRecord gives the added and the removed items.
inline constexpr ItemCategory kAddedCategory = ItemCategory::NotImportable;
inline constexpr ItemCategory kRemovedCategory = ItemCategory::Spawn;

// The colours and names of the differences, by the categories planRecord gives them.
QColor differenceColour(ItemCategory category);
QString differenceLabel(ItemCategory category);
// The map's look of the differences: their colours and names, the legend added, removed,
// unchanged.
plan::PlanLook differenceLook();

} // namespace tarvek::compare
