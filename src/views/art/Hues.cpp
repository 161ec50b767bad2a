#include "views/art/Hues.h"

#include "views/art/ItemArtDecoder.h"
#include "views/art/LittleEndian.h"

#include <algorithm>

namespace tarvek::art {

HuesReading Hues::read(const ByteSource& file)
{
    const std::uint64_t size = file.size();
    const std::uint64_t wholeGroups = size / kGroupSize;
    const std::uint64_t rest = size % kGroupSize;
    const std::uint64_t inLastGroup = rest > kGroupHeader ? (rest - kGroupHeader) / kEntrySize : 0;
    const std::uint64_t count = std::min(wholeGroups * kEntriesPerGroup + inLastGroup, kMaxEntries);
    if (count == 0) {
        return {std::nullopt, "hues.mul enthält keinen vollständigen Farbeintrag (" +
                                  std::to_string(size) + " Bytes)"};
    }
    const std::uint64_t groups = (count + kEntriesPerGroup - 1) / kEntriesPerGroup;
    std::vector<std::uint8_t> bytes;
    if (!file.read(0, static_cast<std::size_t>(std::min(size, groups * kGroupSize)), bytes)) {
        return {std::nullopt, "hues.mul lässt sich nicht lesen"};
    }
    Hues hues;
    hues.m_entries.resize(static_cast<std::size_t>(count));
    for (std::uint64_t index = 0; index < count; ++index) {
        const std::uint64_t start = (index / kEntriesPerGroup) * kGroupSize + kGroupHeader +
                                    (index % kEntriesPerGroup) * kEntrySize;
        Entry& entry = hues.m_entries[static_cast<std::size_t>(index)];
        for (std::size_t i = 0; i < entry.size(); ++i) {
            const std::uint16_t colour = *readLittleEndian<std::uint16_t>(bytes, start + i * 2);
            // The colour 0 of a table is black, not transparent: the dyed pixel stays opaque.
            entry[i] = 0xFF000000u | ItemArtDecoder::toArgb(colour);
        }
    }
    return {std::move(hues), {}};
}

const Hues::Entry* Hues::entry(std::int64_t colour) const
{
    if (colour <= 0 || static_cast<std::uint64_t>(colour) > m_entries.size()) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(colour - 1)];
}

void Hues::dye(ArtImage& image, const Entry& entry, bool partial)
{
    for (std::uint32_t& pixel : image.pixels) {
        if (pixel == 0) {
            continue;
        }
        const std::uint32_t red = (pixel >> 16) & 0xFF;
        if (partial && (red != ((pixel >> 8) & 0xFF) || red != (pixel & 0xFF))) {
            continue;
        }
        // The 5-bit value that the decoder widened to 8 bits.
        pixel = entry[(red * 31 + 127) / 255];
    }
}

} // namespace tarvek::art
