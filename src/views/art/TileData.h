#pragma once

#include "views/art/ByteSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::art {

struct TileDataReading;

// The item half of tiledata.mul: each item graphic's flags and height. The file holds 512 groups
// of land records, then the groups of item records; every group is a 4-byte header and 32
// records. Two layouts exist and the file does not say which it has: in the old one a land
// record takes 26 bytes and an item record 37 (flags 4 bytes at 0, height at 16), in the newer
// one 30 and 41 (flags 8 bytes at 0, height at 20). The layout is the one whose item groups fill
// the rest of the file exactly.
class TileData
{
public:
    enum class Format
    {
        Old,
        New
    };

    static constexpr std::uint64_t kBackground = 0x1;
    static constexpr std::uint64_t kTranslucent = 0x8;
    static constexpr std::uint64_t kPartialHue = 0x40000;

    // No client has this many item graphics; a larger file is refused.
    static constexpr std::uint64_t kMaxItems = 0x100000;

    struct Item
    {
        std::uint64_t flags = 0;
        std::uint8_t height = 0;
    };

    // The data, or why the file is refused.
    static TileDataReading read(const ByteSource& file);

    // The size of the land part of a layout, and of one group of its item records.
    static std::uint64_t landSize(Format format);
    static std::uint64_t itemGroupSize(Format format);

    Format format() const { return m_format; }
    std::size_t itemCount() const { return m_heights.size(); }
    // The record of item graphic `graphic`; a graphic the file does not hold has flags 0 and
    // height 0.
    Item item(std::int64_t graphic) const;

private:
    explicit TileData(Format format) : m_format(format) {}

    Format m_format;
    std::vector<std::uint64_t> m_flags;
    std::vector<std::uint8_t> m_heights;
};

// What reading tiledata.mul gave: the data, or why the file is refused (German, UTF-8).
struct TileDataReading
{
    std::optional<TileData> data;
    std::string problem;
};

} // namespace tarvek::art
