#include "views/art/TileData.h"

#include "views/art/LittleEndian.h"

#include <algorithm>

namespace tarvek::art {

namespace {

constexpr std::uint64_t kGroups = 512;
constexpr std::uint64_t kGroupHeader = 4;
constexpr std::uint64_t kRecordsPerGroup = 32;

struct Layout
{
    std::uint64_t landRecord;
    std::uint64_t itemRecord;
    std::uint64_t flagsSize;
    std::uint64_t heightAt;
};

Layout layoutOf(TileData::Format format)
{
    return format == TileData::Format::Old ? Layout{26, 37, 4, 16} : Layout{30, 41, 8, 20};
}

// Whether the item section of a file of `size` bytes is a whole number of groups (at least one)
// in this layout.
bool fits(std::uint64_t size, TileData::Format format)
{
    const std::uint64_t land = TileData::landSize(format);
    return size > land && (size - land) % TileData::itemGroupSize(format) == 0;
}

} // namespace

std::uint64_t TileData::landSize(Format format)
{
    return kGroups * (kGroupHeader + kRecordsPerGroup * layoutOf(format).landRecord);
}

std::uint64_t TileData::itemGroupSize(Format format)
{
    return kGroupHeader + kRecordsPerGroup * layoutOf(format).itemRecord;
}

TileDataReading TileData::read(const ByteSource& file)
{
    const std::uint64_t size = file.size();
    // Should a size fit both layouts, the newer one is taken: it is what current clients have.
    std::optional<Format> format;
    if (fits(size, Format::New)) {
        format = Format::New;
    } else if (fits(size, Format::Old)) {
        format = Format::Old;
    }
    if (!format) {
        return {std::nullopt, "tiledata.mul hat eine unbekannte Größe (" + std::to_string(size) +
                                  " Bytes): die Item-Einträge passen weder ins alte noch ins "
                                  "neue Format"};
    }
    const Layout layout = layoutOf(*format);
    const std::uint64_t groupSize = itemGroupSize(*format);
    const std::uint64_t groups = (size - landSize(*format)) / groupSize;
    if (groups * kRecordsPerGroup > kMaxItems) {
        return {std::nullopt, "tiledata.mul ist zu groß (" + std::to_string(size) + " Bytes)"};
    }
    TileData data(*format);
    data.m_flags.reserve(groups * kRecordsPerGroup);
    data.m_heights.reserve(groups * kRecordsPerGroup);
    // A few groups at a time: a handful of reads for the whole file, little memory.
    constexpr std::uint64_t kGroupsPerRead = 64;
    std::vector<std::uint8_t> bytes;
    for (std::uint64_t group = 0; group < groups; group += kGroupsPerRead) {
        const std::uint64_t count = std::min(kGroupsPerRead, groups - group);
        if (!file.read(landSize(*format) + group * groupSize,
                       static_cast<std::size_t>(count * groupSize), bytes)) {
            return {std::nullopt, "tiledata.mul lässt sich nicht lesen"};
        }
        for (std::uint64_t at = 0; at < bytes.size(); at += groupSize) {
            for (std::uint64_t record = 0; record < kRecordsPerGroup; ++record) {
                const std::uint64_t start = at + kGroupHeader + record * layout.itemRecord;
                const std::uint64_t flags = layout.flagsSize == 8
                                                ? *readLittleEndian<std::uint64_t>(bytes, start)
                                                : *readLittleEndian<std::uint32_t>(bytes, start);
                data.m_flags.push_back(flags);
                data.m_heights.push_back(bytes[static_cast<std::size_t>(start + layout.heightAt)]);
            }
        }
    }
    return {std::move(data), {}};
}

TileData::Item TileData::item(std::int64_t graphic) const
{
    if (graphic < 0 || static_cast<std::uint64_t>(graphic) >= m_heights.size()) {
        return {};
    }
    const auto at = static_cast<std::size_t>(graphic);
    return {m_flags[at], m_heights[at]};
}

} // namespace tarvek::art
