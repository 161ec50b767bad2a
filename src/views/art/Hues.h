#pragma once

#include "views/art/ArtImage.h"
#include "views/art/ByteSource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::art {

struct HuesReading;

// The colour table hues.mul: groups of a 4-byte header and 8 entries; an entry is 32 colours of
// 15 bits, a start and an end value and a 20-byte name. An item's colour value h > 0 names entry
// h - 1; dyeing a picture replaces each pixel by the entry's colour at the pixel's red value (bits
// 10 to 14 of its 15-bit colour).
class Hues
{
public:
    static constexpr std::uint64_t kGroupHeader = 4;
    static constexpr std::uint64_t kEntriesPerGroup = 8;
    static constexpr std::uint64_t kEntrySize = 88;
    static constexpr std::uint64_t kGroupSize = kGroupHeader + kEntriesPerGroup * kEntrySize;
    // Colour values are 16-bit; entries beyond are never named and not read.
    static constexpr std::uint64_t kMaxEntries = 0x10000;

    // An entry's 32 colours as 0xAARRGGBB, all opaque.
    using Entry = std::array<std::uint32_t, 32>;

    // The entries, or why the file is refused. An entry cut short at the end of the file is left
    // out.
    static HuesReading read(const ByteSource& file);

    std::size_t count() const { return m_entries.size(); }
    // The entry an item's colour value names; null for 0, negative values and values beyond the
    // file's entries.
    const Entry* entry(std::int64_t colour) const;

    // Dyes a picture: every opaque pixel (with `partial`, only the grey ones, red = green = blue)
    // gets the entry's colour at its red value.
    static void dye(ArtImage& image, const Entry& entry, bool partial);

private:
    Hues() = default;

    std::vector<Entry> m_entries;
};

// What reading hues.mul gave: the entries, or why the file is refused (German, UTF-8).
struct HuesReading
{
    std::optional<Hues> hues;
    std::string problem;
};

} // namespace tarvek::art
