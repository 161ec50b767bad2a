#pragma once

#include "views/art/ArtImage.h"

#include <cstdint>
#include <span>

namespace tarvek::art {

// Decodes the data of one item graphic: a 4-byte word (unused), width, height, one line offset
// per row (in 16-bit words, counted from the end of that table), and for each row runs of
// (x-skip, run length, that many 15-bit colours) closed by a (0, 0) pair.
class ItemArtDecoder
{
public:
    // No item graphic of the game comes near this size; a larger one is damaged.
    static constexpr int kMaxSide = 1024;

    // The picture, or an empty one when the data is damaged in any way: too short, line offsets
    // or runs outside the data, a run past the width, a row without its closing pair.
    static ArtImage decode(std::span<const std::uint8_t> data);

    // 0xAARRGGBB of a 15-bit colour; 0 (transparent) for the colour value 0.
    static std::uint32_t toArgb(std::uint16_t colour);
};

} // namespace tarvek::art
