#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvek::art {

// The entries of one art file set, by index (item graphic n is index 0x4000 + n).
class ArtStore
{
public:
    virtual ~ArtStore() = default;

    // The data of entry `index`, or an empty span for an empty, unknown or damaged entry. The
    // span points into the mapped file, or into `scratch` when the entry had to be unpacked.
    virtual std::span<const std::uint8_t> entry(std::uint32_t index,
                                                std::vector<std::uint8_t>& scratch) const = 0;
};

} // namespace tarvek::art
