#pragma once

#include "views/art/ArtStore.h"
#include "views/art/ByteSource.h"

#include <memory>
#include <unordered_map>

namespace tarvek::art {

// artLegacyMUL.uop: a header, a chain of table blocks naming each entry by the hash of its
// name, and the entries' data, stored or zlib-packed. The tables are read once when the store
// is opened.
class UopArtStore : public ArtStore
{
public:
    static constexpr std::uint32_t kMagic = 0x0050594D; // "MYP\0"

    // Null when the file is not a UOP file (wrong magic, table outside the file).
    static std::unique_ptr<UopArtStore> open(std::unique_ptr<ByteSource> file);

    bool entry(std::uint32_t index, std::vector<std::uint8_t>& out) const override;
    // The entry whose name has the hash `nameHash`.
    bool entryByHash(std::uint64_t nameHash, std::vector<std::uint8_t>& out) const;
    std::size_t entryCount() const { return m_entries.size(); }

private:
    struct Entry
    {
        std::uint64_t dataOffset = 0;
        std::uint32_t compressedLength = 0;
        std::uint32_t decompressedLength = 0;
        std::int16_t flag = 0;
    };

    explicit UopArtStore(std::unique_ptr<ByteSource> file);
    void readTables(std::uint64_t firstBlock);

    std::unique_ptr<ByteSource> m_file;
    std::unordered_map<std::uint64_t, Entry> m_entries;
};

} // namespace tarvek::art
