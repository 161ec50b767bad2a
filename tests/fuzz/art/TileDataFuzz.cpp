// Feeds arbitrary bytes to the reader of tiledata.mul. The first byte chooses how they become a
// file: 0 as they are (almost always a size of neither layout); 1 and 2 as the item records after
// an empty land part of the old or the newer layout, padded to whole groups; 3 and 4 the same
// without padding. Every record read is then looked up.
#include "views/art/MemoryByteSource.h"
#include "views/art/TileData.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace tarvek::art;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::span<const std::uint8_t> input(bytes + 1, size - 1);
    const unsigned choice = bytes[0] % 5;
    std::vector<std::uint8_t> file;
    if (choice != 0) {
        const TileData::Format format =
            choice % 2 == 1 ? TileData::Format::Old : TileData::Format::New;
        file.assign(static_cast<std::size_t>(TileData::landSize(format)), 0);
        file.insert(file.end(), input.begin(), input.end());
        const std::size_t group = static_cast<std::size_t>(TileData::itemGroupSize(format));
        if (choice <= 2 && input.size() % group != 0) {
            file.resize(file.size() + group - input.size() % group, 0);
        }
    } else {
        file.assign(input.begin(), input.end());
    }
    const auto reading = TileData::read(MemoryByteSource(file));
    if (reading.data) {
        std::uint64_t sum = 0;
        for (std::int64_t graphic = -1; graphic <= std::int64_t(reading.data->itemCount());
             ++graphic) {
            const TileData::Item item = reading.data->item(graphic);
            sum += item.flags + item.height;
        }
        if (sum == 1) {
            return 0; // keeps the lookups from being optimised away
        }
    }
    return 0;
}
