#include "views/art/ItemArtDecoder.h"

#include "views/art/LittleEndian.h"

#include <cstddef>

namespace tarvek::art {

namespace {

constexpr std::uint64_t kTableStart = 8;

// Decodes one row starting at byte `at` into `row` (width pixels); false when it is damaged.
bool decodeRow(std::span<const std::uint8_t> data, std::uint64_t at, std::span<std::uint32_t> row)
{
    std::uint64_t x = 0;
    for (;;) {
        const auto skip = readLittleEndian<std::uint16_t>(data, at);
        const auto length = readLittleEndian<std::uint16_t>(data, at + 2);
        if (!skip || !length) {
            return false; // the row runs off the end of the data without its closing pair
        }
        at += 4;
        if (*skip == 0 && *length == 0) {
            return true;
        }
        x += *skip;
        if (x + *length > row.size() || !(at + std::uint64_t{*length} * 2 <= data.size())) {
            return false;
        }
        for (std::uint16_t i = 0; i < *length; ++i, ++x, at += 2) {
            row[x] = ItemArtDecoder::toArgb(*readLittleEndian<std::uint16_t>(data, at));
        }
    }
}

} // namespace

std::uint32_t ItemArtDecoder::toArgb(std::uint16_t colour)
{
    if (colour == 0) {
        return 0;
    }
    const auto scale = [](std::uint32_t v) { return (v & 31u) * 255u / 31u; };
    return 0xFF000000u | (scale(colour >> 10) << 16) | (scale(colour >> 5) << 8) | scale(colour);
}

ArtImage ItemArtDecoder::decode(std::span<const std::uint8_t> data)
{
    const auto width = readLittleEndian<std::uint16_t>(data, 4);
    const auto height = readLittleEndian<std::uint16_t>(data, 6);
    if (!width || !height || *width == 0 || *height == 0 || *width > kMaxSide ||
        *height > kMaxSide) {
        return {};
    }
    const std::uint64_t rowsStart = kTableStart + std::uint64_t{*height} * 2;
    if (rowsStart > data.size()) {
        return {};
    }

    ArtImage image;
    image.width = *width;
    image.height = *height;
    image.pixels.assign(static_cast<std::size_t>(*width) * *height, 0u);
    for (std::uint16_t y = 0; y < *height; ++y) {
        const auto lineOffset = readLittleEndian<std::uint16_t>(data, kTableStart + y * 2u);
        const std::span<std::uint32_t> row(image.pixels.data() + std::size_t{y} * *width, *width);
        if (!decodeRow(data, rowsStart + std::uint64_t{*lineOffset} * 2, row)) {
            return {};
        }
    }
    return image;
}

} // namespace tarvek::art
