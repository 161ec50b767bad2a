// Feeds arbitrary bytes to the reader of hues.mul and dyes a picture of every 15-bit red value
// with each entry read, whole and partially (grey pixels only).
#include "views/art/Hues.h"
#include "views/art/ItemArtDecoder.h"
#include "views/art/MemoryByteSource.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace tarvek::art;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const auto reading = Hues::read(MemoryByteSource(std::span<const std::uint8_t>(bytes, size)));
    if (!reading.hues) {
        return 0;
    }
    ArtImage image;
    image.width = 64;
    image.height = 1;
    for (std::uint16_t i = 0; i < 64; ++i) {
        // Every red value, grey and coloured, and the transparent 0.
        image.pixels.push_back(ItemArtDecoder::toArgb(
            static_cast<std::uint16_t>(i < 32 ? (i << 10) | (i << 5) | i : (i - 32) << 10)));
    }
    for (std::int64_t colour = -1; colour <= std::int64_t(reading.hues->count()) + 1; ++colour) {
        if (const Hues::Entry* entry = reading.hues->entry(colour)) {
            ArtImage dyed = image;
            Hues::dye(dyed, *entry, colour % 2 == 0);
        }
    }
    return 0;
}
