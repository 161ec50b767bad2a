#pragma once

#include <cstdint>
#include <vector>

namespace tarvek::art {

// One decoded item graphic: width x height pixels, row by row, each 0xAARRGGBB. Transparent
// pixels are 0. A default-constructed picture is empty (no graphic, or damaged data).
struct ArtImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t pixel(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

} // namespace tarvek::art
