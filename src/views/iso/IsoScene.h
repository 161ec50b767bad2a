#pragma once

#include "calc/ItemRecord.h"

#include <QImage>
#include <QRect>
#include <QRgb>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace tarvek::iso {

class PictureCache;

// The findings of a run that the view outlines on the picture, each in the colour the plan gives
// it.
inline constexpr std::array<ItemCategory, 5> kFindings = {
    ItemCategory::NotImportable, ItemCategory::Spawn, ItemCategory::Nested,
    ItemCategory::NotCalculated, ItemCategory::BuildZoneBorder};

// What of the building is drawn: up to which level, and which findings are outlined. By default
// all levels with every finding outlined.
struct SceneFilter
{
    std::optional<std::int32_t> highestLevel;
    std::array<bool, kItemCategoryCount> outlined = allFindings();

    static std::array<bool, kItemCategoryCount> allFindings();
};

// How a scene marks the findings: in which colour it outlines each (by default the plan's), and
// which one it draws as its outline alone, without the picture (the comparison's removed items,
// which are no longer there).
struct SceneLook
{
    std::function<QRgb(ItemCategory)> colour;
    std::optional<ItemCategory> outlineOnly;
};

// One item as the view draws it: its picture in the projection's pixels.
struct SceneItem
{
    std::uint32_t item = 0; // index among the run's items
    std::uint32_t picture = 0;
    std::int32_t z = 0;
    QRect rect;
    bool translucent = false;
    std::optional<ItemCategory> finding; // outlined in its colour
};

// The building as the client draws it: every item with a position, in the client's projection
// and drawing order. Items lie in pixels relative to the first item's tile; an item too far from
// it to be drawn (a hostile position) is left out and counted.
class IsoScene
{
public:
    // The translucent items' opacity.
    static constexpr double kTranslucent = 0.7;
    // Margin of the exported picture on every side.
    static constexpr int kMargin = 16;
    // The largest picture exported: beyond it the picture would take gigabytes.
    static constexpr std::int64_t kMaxExportSide = 16384;
    static constexpr std::int64_t kMaxExportPixels = 40'000'000;

    IsoScene() = default;
    IsoScene(const std::vector<RecordedItem>& items, PictureCache& pictures, SceneLook look = {});

    // In drawing order, back to front.
    const std::vector<SceneItem>& items() const { return m_items; }
    std::size_t leftOut() const { return m_leftOut; }
    bool shown(const SceneItem& item, const SceneFilter& filter) const
    {
        return !filter.highestLevel || item.z <= *filter.highestLevel;
    }

    // The union of the rectangles of the pictures drawn (empty: nothing drawn).
    QRect bounds(const SceneFilter& filter) const;
    // Draws the items whose pictures meet `area` (scene pixels; the painter maps the scene), then
    // the outlines of the findings.
    void paint(QPainter& painter, const QRect& area, const SceneFilter& filter) const;
    // The front-most item drawn whose picture is opaque at the scene point.
    const SceneItem* itemAt(QPoint point, const SceneFilter& filter) const;

    // The whole building at scale 1: the union of the pictures' rectangles with kMargin pixels on
    // every side, on opaque black. A picture too large throws std::runtime_error (German).
    QImage picture(const SceneFilter& filter) const;

private:
    PictureCache* m_pictures = nullptr;
    SceneLook m_look;
    std::vector<SceneItem> m_items;
    std::size_t m_leftOut = 0;
};

} // namespace tarvek::iso
