#pragma once

#include "ArtFiles.h"

#include "calc/ItemRecord.h"

#include <filesystem>
#include <vector>

namespace tarvek::iso::testing {

// A made-up item graphic: `width` x `height` pixels of one 15-bit colour.
struct SolidArt
{
    std::uint32_t graphic = 0;
    int width = 0;
    int height = 0;
    std::uint16_t colour = 0;
    bool cornerCut = false; // the top-left triangle (x + y < width / 2) left transparent
};

// A client folder written by a test: artidx.mul + art.mul with these graphics, tiledata.mul in
// the old or the newer layout, hues.mul with these entries.
void writeClientFolder(const std::filesystem::path& folder, const std::vector<SolidArt>& art,
                       const std::vector<art::testing::TileRecord>& tiles, bool newFormat,
                       const std::vector<std::vector<std::uint16_t>>& hues);

// An item with a position, in no list.
RecordedItem placed(std::int32_t graphic, std::int32_t x, std::int32_t y, std::int32_t z,
                    std::int32_t colour = 0);

} // namespace tarvek::iso::testing
