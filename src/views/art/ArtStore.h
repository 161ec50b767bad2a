#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvek::art {

// The entries of one art file set, by index (item graphic n is index 0x4000 + n).
class ArtStore
{
public:
    // No entry of an art file is anywhere near this long; a longer one is damaged.
    static constexpr std::size_t kMaxEntryLength = 16 * 1024 * 1024;

    virtual ~ArtStore() = default;

    // Fills `out` with the data of entry `index`; false for an empty, unknown or damaged entry.
    virtual bool entry(std::uint32_t index, std::vector<std::uint8_t>& out) const = 0;
};

} // namespace tarvek::art
