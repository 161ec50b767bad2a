#pragma once

#include "calc/ItemRecord.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvek::art {
class ArtSource;
class ClientFiles;
} // namespace tarvek::art

namespace tarvek::iso {

// The pictures of the items as the view draws them, each made once: a graphic in a colour
// decoded and dyed from the client's files, and, without them or for a graphic they lack, a flat
// diamond of the tile in the colour of the item's category. An outline (the transparent pixels
// around a picture's opaque ones, one pixel out) is made once per picture and colour.
class PictureCache
{
public:
    // Side of the flat diamond of a tile.
    static constexpr int kDiamond = 44;
    // The pixels all pictures and outlines may take together (4 bytes each). Damaged or hostile
    // art of many large graphics would take gigabytes; beyond this, graphics are diamonds and
    // outlines are left out.
    static constexpr std::int64_t kMaxPixels = 32'000'000;

    // Null or files that cannot be drawn: every item is a diamond.
    explicit PictureCache(std::shared_ptr<const art::ClientFiles> files);
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    const std::shared_ptr<const art::ClientFiles>& files() const { return m_files; }
    // Whether items are drawn with the client's art.
    bool drawsArt() const { return m_drawsArt; }

    // The picture of an item, and whether the client draws it translucent.
    struct Choice
    {
        std::uint32_t picture = 0;
        bool translucent = false;
        std::uint8_t height = 0;
        std::uint64_t flags = 0;
    };
    Choice pictureOf(const RecordedItem& item);

    const QImage& image(std::uint32_t picture) const { return m_images[picture]; }
    // The outline of a picture in a colour, on an image one pixel larger on every side.
    const QImage& outline(std::uint32_t picture, QRgb colour);
    // The pictures decoded (art and diamonds).
    std::size_t count() const { return m_images.size(); }

private:
    std::uint32_t diamond(std::optional<ItemCategory> category);
    std::uint32_t add(QImage image);
    // Whether a picture of this many pixels still fits the budget; counts it when it does.
    bool takes(std::int64_t pixels);

    std::shared_ptr<const art::ClientFiles> m_files;
    bool m_drawsArt = false;
    std::vector<QImage> m_images;
    std::unordered_map<std::uint64_t, std::uint32_t> m_art; // (graphic, colour) -> picture
    std::array<std::optional<std::uint32_t>, kItemCategoryCount + 1> m_diamonds;
    std::map<std::pair<std::uint32_t, QRgb>, QImage> m_outlines;
    std::int64_t m_pixels = 0;
};

// The pictures of the client folder an art source names, made anew only when the source changes
// (the item views share one source while the folder stays): for a window that draws buildings.
class ClientPictures
{
public:
    PictureCache& of(std::shared_ptr<const art::ArtSource> art);

private:
    std::shared_ptr<const art::ArtSource> m_art;
    std::unique_ptr<PictureCache> m_pictures;
};

// The colour in which the view draws an item of a category, and outlines a finding (that of the
// plan); grey for an item without one.
QRgb colourOf(std::optional<ItemCategory> category);

} // namespace tarvek::iso
