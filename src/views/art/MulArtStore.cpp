#include "views/art/MulArtStore.h"

#include "views/art/LittleEndian.h"

#include <algorithm>

namespace tarvek::art {

MulArtStore::MulArtStore(std::unique_ptr<ByteSource> index, std::unique_ptr<ByteSource> data)
    : m_data(std::move(data))
{
    const std::uint64_t entries = std::min<std::uint64_t>(index->size() / kEntrySize, kMaxEntries);
    if (!index->read(0, static_cast<std::size_t>(entries * kEntrySize), m_index)) {
        m_index.clear();
    }
}

bool MulArtStore::entry(std::uint32_t index, std::vector<std::uint8_t>& out) const
{
    const std::uint64_t at = std::uint64_t{index} * kEntrySize;
    const auto lookup = readLittleEndian<std::int32_t>(m_index, at);
    const auto rawLength = readLittleEndian<std::uint32_t>(m_index, at + 4);
    if (!lookup || !rawLength || *lookup < 0) {
        return false;
    }
    // Bit 31 of the length marks a patched entry.
    const std::uint32_t length = *rawLength & 0x7FFFFFFFu;
    if (length == 0 || length > kMaxEntryLength) {
        return false;
    }
    return m_data->read(static_cast<std::uint64_t>(*lookup), length, out);
}

} // namespace tarvek::art
