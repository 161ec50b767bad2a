#include "views/art/UopArtStore.h"

#include "views/art/LittleEndian.h"
#include "views/art/UopHash.h"

#include <zlib.h>

#include <unordered_set>

namespace tarvek::art {

namespace {

constexpr std::size_t kHeaderSize = 28;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::size_t kTableEntrySize = 34;

constexpr std::int16_t kStored = 0;
constexpr std::int16_t kZlib = 1;

} // namespace

UopArtStore::UopArtStore(std::unique_ptr<ByteSource> file) : m_file(std::move(file)) {}

std::unique_ptr<UopArtStore> UopArtStore::open(std::unique_ptr<ByteSource> file)
{
    std::vector<std::uint8_t> header;
    if (!file || !file->read(0, kHeaderSize, header)) {
        return nullptr;
    }
    const auto magic = readLittleEndian<std::uint32_t>(header, 0);
    const auto firstBlock = readLittleEndian<std::int64_t>(header, 12);
    if (magic != kMagic || !firstBlock || *firstBlock <= 0 ||
        !file->contains(static_cast<std::uint64_t>(*firstBlock), kBlockHeaderSize)) {
        return nullptr;
    }
    std::unique_ptr<UopArtStore> store(new UopArtStore(std::move(file)));
    store->readTables(static_cast<std::uint64_t>(*firstBlock));
    return store;
}

void UopArtStore::readTables(std::uint64_t firstBlock)
{
    // Every table entry of a sound file takes 34 bytes of its own, which bounds the work a
    // damaged chain of blocks (overlapping or looping) can cause.
    std::uint64_t budget = m_file->size() / kTableEntrySize;
    std::unordered_set<std::uint64_t> visited;
    std::vector<std::uint8_t> block;
    std::uint64_t offset = firstBlock;
    while (offset != 0) {
        if (!visited.insert(offset).second || !m_file->read(offset, kBlockHeaderSize, block)) {
            return;
        }
        const auto count = readLittleEndian<std::int32_t>(block, 0);
        const auto next = readLittleEndian<std::int64_t>(block, 4);
        if (!count || !next || *count < 0 || *next < 0 ||
            static_cast<std::uint64_t>(*count) > budget) {
            return;
        }
        budget -= static_cast<std::uint64_t>(*count);
        const std::size_t tableLength = static_cast<std::size_t>(*count) * kTableEntrySize;
        if (!m_file->read(offset + kBlockHeaderSize, tableLength, block)) {
            return;
        }
        for (std::size_t at = 0; at < tableLength; at += kTableEntrySize) {
            const auto entryOffset = readLittleEndian<std::int64_t>(block, at);
            const auto headerLength = readLittleEndian<std::int32_t>(block, at + 8);
            const auto compressed = readLittleEndian<std::int32_t>(block, at + 12);
            const auto decompressed = readLittleEndian<std::int32_t>(block, at + 16);
            const auto hash = readLittleEndian<std::uint64_t>(block, at + 20);
            const auto flag = readLittleEndian<std::int16_t>(block, at + 32);
            if (*entryOffset <= 0 || *headerLength < 0 || *compressed < 0 || *decompressed < 0) {
                continue; // unused (offset 0) or damaged
            }
            Entry entry;
            entry.dataOffset = static_cast<std::uint64_t>(*entryOffset) +
                               static_cast<std::uint64_t>(*headerLength);
            entry.compressedLength = static_cast<std::uint32_t>(*compressed);
            entry.decompressedLength = static_cast<std::uint32_t>(*decompressed);
            entry.flag = *flag;
            m_entries.try_emplace(*hash, entry);
        }
        offset = static_cast<std::uint64_t>(*next);
    }
}

bool UopArtStore::entry(std::uint32_t index, std::vector<std::uint8_t>& out) const
{
    return entryByHash(UopHash::hashLittle2(UopHash::artEntryName(index)), out);
}

bool UopArtStore::entryByHash(std::uint64_t nameHash, std::vector<std::uint8_t>& out) const
{
    const auto found = m_entries.find(nameHash);
    if (found == m_entries.end()) {
        return false;
    }
    const Entry& entry = found->second;
    if (entry.compressedLength == 0 || entry.compressedLength > kMaxEntryLength) {
        return false;
    }
    if (entry.flag == kStored) {
        return m_file->read(entry.dataOffset, entry.compressedLength, out);
    }
    if (entry.flag != kZlib || entry.decompressedLength == 0 ||
        entry.decompressedLength > kMaxEntryLength) {
        return false;
    }
    std::vector<std::uint8_t> packed;
    if (!m_file->read(entry.dataOffset, entry.compressedLength, packed)) {
        return false;
    }
    out.resize(entry.decompressedLength);
    uLongf unpacked = entry.decompressedLength;
    const int result = ::uncompress(out.data(), &unpacked, packed.data(), packed.size());
    return result == Z_OK && unpacked == entry.decompressedLength;
}

} // namespace tarvek::art
