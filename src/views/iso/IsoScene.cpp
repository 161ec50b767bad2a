#include "views/iso/IsoScene.h"

#include "views/art/Projection.h"
#include "views/iso/PictureCache.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tarvek::iso {

namespace {

// Scene co-ordinates stay far inside what a QRect holds.
constexpr std::int64_t kFar = std::int64_t{1} << 28;

} // namespace

std::array<bool, kItemCategoryCount> SceneFilter::allFindings()
{
    std::array<bool, kItemCategoryCount> outlined{};
    for (const ItemCategory finding : kFindings) {
        outlined[static_cast<std::size_t>(finding)] = true;
    }
    return outlined;
}

IsoScene::IsoScene(const std::vector<RecordedItem>& items, PictureCache& pictures, SceneLook look)
    : m_pictures(&pictures), m_look(std::move(look))
{
    std::vector<std::uint32_t> indexes;
    std::vector<art::PlacedItem> placed;
    std::vector<PictureCache::Choice> choices;
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const RecordedItem& item = items[i];
        if (!item.hasPosition) {
            continue;
        }
        const PictureCache::Choice choice = pictures.pictureOf(item);
        indexes.push_back(i);
        placed.push_back({item.x, item.y, item.z, choice.height, choice.flags});
        choices.push_back(choice);
    }
    if (placed.empty()) {
        return;
    }
    const std::int64_t originX = art::tileCentreX(placed[0].x, placed[0].y);
    const std::int64_t originY = art::tileCentreY(placed[0].x, placed[0].y, placed[0].z);
    m_items.reserve(placed.size());
    for (const std::uint32_t k : art::drawingOrder(placed)) {
        const QImage& image = pictures.image(choices[k].picture);
        const art::PictureRect rect = art::pictureRect(placed[k], image.width(), image.height());
        const std::int64_t left = rect.left - originX;
        const std::int64_t top = rect.top - originY;
        if (left < -kFar || left > kFar || top < -kFar || top > kFar) {
            ++m_leftOut;
            continue;
        }
        const RecordedItem& item = items[indexes[k]];
        const std::optional<ItemCategory> category = item.category();
        const bool finding =
            category && std::find(kFindings.begin(), kFindings.end(), *category) != kFindings.end();
        m_items.push_back({indexes[k], choices[k].picture, item.z,
                           QRect(int(left), int(top), image.width(), image.height()),
                           choices[k].translucent, finding ? category : std::nullopt});
    }
}

QRect IsoScene::bounds(const SceneFilter& filter) const
{
    QRect united;
    for (const SceneItem& item : m_items) {
        if (shown(item, filter)) {
            united |= item.rect;
        }
    }
    return united;
}

void IsoScene::paint(QPainter& painter, const QRect& area, const SceneFilter& filter) const
{
    if (m_pictures == nullptr) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const SceneItem& item : m_items) {
        if (shown(item, filter) && item.rect.intersects(area) &&
            (!item.finding || item.finding != m_look.outlineOnly)) {
            painter.setOpacity(item.translucent ? kTranslucent : 1.0);
            painter.drawImage(item.rect.topLeft(), m_pictures->image(item.picture));
        }
    }
    // The findings last, so that no wall in front hides them.
    painter.setOpacity(1.0);
    for (const SceneItem& item : m_items) {
        if (item.finding && filter.outlined[static_cast<std::size_t>(*item.finding)] &&
            shown(item, filter) && item.rect.adjusted(-1, -1, 1, 1).intersects(area)) {
            painter.drawImage(item.rect.topLeft() - QPoint(1, 1),
                              m_pictures->outline(item.picture, m_look.colour
                                                                    ? m_look.colour(*item.finding)
                                                                    : colourOf(item.finding)));
        }
    }
    painter.restore();
}

const SceneItem* IsoScene::itemAt(QPoint point, const SceneFilter& filter) const
{
    if (m_pictures == nullptr) {
        return nullptr;
    }
    for (auto item = m_items.rbegin(); item != m_items.rend(); ++item) {
        if (!shown(*item, filter) || !item->rect.contains(point)) {
            continue;
        }
        const QImage& image = m_pictures->image(item->picture);
        const QPoint at = point - item->rect.topLeft();
        if (qAlpha(image.pixel(at)) != 0) {
            return &*item;
        }
    }
    return nullptr;
}

QImage IsoScene::picture(const SceneFilter& filter) const
{
    const QRect drawn = bounds(filter);
    const std::int64_t width = std::int64_t{drawn.width()} + 2 * kMargin;
    const std::int64_t height = std::int64_t{drawn.height()} + 2 * kMargin;
    if (width > kMaxExportSide || height > kMaxExportSide || width * height > kMaxExportPixels) {
        throw std::runtime_error("Das Gebäude ist für ein Bild zu groß (" + std::to_string(width) +
                                 " x " + std::to_string(height) + " Pixel; höchstens " +
                                 std::to_string(kMaxExportSide) + " Pixel je Seite und " +
                                 std::to_string(kMaxExportPixels / 1'000'000) +
                                 " Millionen Pixel)");
    }
    QImage image(int(width), int(height), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QPoint offset(kMargin - drawn.left(), kMargin - drawn.top());
    painter.translate(offset);
    paint(painter, image.rect().translated(-offset), filter);
    painter.end();
    return image;
}

} // namespace tarvek::iso
