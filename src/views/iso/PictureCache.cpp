#include "views/iso/PictureCache.h"

#include "views/art/ClientFiles.h"
#include "views/art/TUOArt.h"
#include "views/plan/PlanPicture.h"

namespace tarvek::iso {

namespace {

bool opaqueAt(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) != 0;
}

} // namespace

QRgb colourOf(std::optional<ItemCategory> category)
{
    return category ? plan::categoryColour(*category).rgb() : qRgb(0x80, 0x80, 0x80);
}

PictureCache::PictureCache(std::shared_ptr<const art::ClientFiles> files)
    : m_files(std::move(files)), m_drawsArt(m_files && m_files->drawable())
{}

PictureCache::~PictureCache() = default;

bool PictureCache::takes(std::int64_t pixels)
{
    if (m_pixels + pixels > kMaxPixels) {
        return false;
    }
    m_pixels += pixels;
    return true;
}

std::uint32_t PictureCache::add(QImage image)
{
    m_images.push_back(std::move(image));
    return static_cast<std::uint32_t>(m_images.size() - 1);
}

PictureCache::Choice PictureCache::pictureOf(const RecordedItem& item)
{
    if (!m_drawsArt) {
        return {diamond(item.category()), false, 0, 0};
    }
    const art::TileData::Item data = m_files->item(item.graphic);
    const std::int32_t colour = item.hasColour ? item.colour : 0;
    const std::uint64_t key = (std::uint64_t{static_cast<std::uint32_t>(item.graphic)} << 32) |
                              static_cast<std::uint32_t>(colour);
    auto found = m_art.find(key);
    if (found == m_art.end()) {
        const art::ArtImage art = m_files->picture(item.graphic, colour);
        // A graphic the files lack (or too many large ones) still shows where its item stands.
        const bool fits = !art.empty() && takes(std::int64_t{art.width} * art.height);
        const std::uint32_t picture =
            fits ? add(TUOArt::toImage(art).convertToFormat(QImage::Format_ARGB32_Premultiplied))
                 : diamond(item.category());
        found = m_art.emplace(key, picture).first;
    }
    return {found->second, (data.flags & art::TileData::kTranslucent) != 0, data.height,
            data.flags};
}

std::uint32_t PictureCache::diamond(std::optional<ItemCategory> category)
{
    std::optional<std::uint32_t>& slot =
        m_diamonds[category ? static_cast<std::size_t>(*category) : kItemCategoryCount];
    if (!slot) {
        QImage image(kDiamond, kDiamond, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRgb colour = colourOf(category);
        // Row r is 2 (r + 1) pixels wide down to the middle, then narrows again.
        for (int row = 0; row < kDiamond; ++row) {
            const int half = row < kDiamond / 2 ? row + 1 : kDiamond - row;
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
            for (int x = kDiamond / 2 - half; x < kDiamond / 2 + half; ++x) {
                line[x] = colour;
            }
        }
        slot = add(std::move(image));
    }
    return *slot;
}

const QImage& PictureCache::outline(std::uint32_t picture, QRgb colour)
{
    const auto key = std::pair(picture, colour);
    if (const auto found = m_outlines.find(key); found != m_outlines.end()) {
        return found->second;
    }
    const QImage& source = m_images[picture];
    if (!takes((std::int64_t{source.width()} + 2) * (source.height() + 2))) {
        static const QImage none;
        return none;
    }
    QImage outline(source.width() + 2, source.height() + 2, QImage::Format_ARGB32_Premultiplied);
    outline.fill(Qt::transparent);
    for (int y = 0; y < outline.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(outline.scanLine(y));
        for (int x = 0; x < outline.width(); ++x) {
            // Source co-ordinates are one less.
            if (opaqueAt(source, x - 1, y - 1)) {
                continue;
            }
            bool nextToOpaque = false;
            for (int dy = -1; dy <= 1 && !nextToOpaque; ++dy) {
                for (int dx = -1; dx <= 1 && !nextToOpaque; ++dx) {
                    nextToOpaque = opaqueAt(source, x - 1 + dx, y - 1 + dy);
                }
            }
            if (nextToOpaque) {
                line[x] = 0xFF000000u | colour;
            }
        }
    }
    return m_outlines.emplace(key, std::move(outline)).first->second;
}

PictureCache& ClientPictures::of(std::shared_ptr<const art::ArtSource> art)
{
    if (!m_pictures || art != m_art) {
        m_art = std::move(art);
        m_pictures =
            std::make_unique<PictureCache>(std::make_shared<const art::ClientFiles>(m_art));
    }
    return *m_pictures;
}

} // namespace tarvek::iso
