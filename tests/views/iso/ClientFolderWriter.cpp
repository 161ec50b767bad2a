#include "ClientFolderWriter.h"

#include <algorithm>

namespace tarvek::iso::testing {

using art::testing::Bytes;

void writeClientFolder(const std::filesystem::path& folder, const std::vector<SolidArt>& art,
                       const std::vector<art::testing::TileRecord>& tiles, bool newFormat,
                       const std::vector<std::vector<std::uint16_t>>& hues)
{
    std::vector<art::testing::MulEntry> entries;
    std::uint32_t count = 0x4000;
    for (const SolidArt& picture : art) {
        std::vector<std::uint16_t> colours(static_cast<std::size_t>(picture.width) *
                                           static_cast<std::size_t>(picture.height));
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const bool cut = picture.cornerCut && x + y < picture.width / 2;
                colours[static_cast<std::size_t>(y * picture.width + x)] = cut ? 0 : picture.colour;
            }
        }
        entries.push_back({0x4000 + picture.graphic,
                           art::testing::encodeItemArt(picture.width, picture.height, colours)});
        count = std::max(count, 0x4000 + picture.graphic + 1);
    }
    art::testing::writeMulPair(folder, entries, count);
    art::testing::writeFile(folder / "tiledata.mul", art::testing::makeTileData(newFormat, tiles));
    art::testing::writeFile(folder / "hues.mul", art::testing::makeHues(hues));
}

RecordedItem placed(std::int32_t graphic, std::int32_t x, std::int32_t y, std::int32_t z,
                    std::int32_t colour)
{
    RecordedItem item;
    item.graphic = graphic;
    item.x = x;
    item.y = y;
    item.z = z;
    item.colour = colour;
    item.hasPosition = true;
    item.hasColour = true;
    return item;
}

} // namespace tarvek::iso::testing
