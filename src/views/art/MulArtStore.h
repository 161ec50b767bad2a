#pragma once

#include "views/art/ArtStore.h"
#include "views/art/ByteSource.h"

#include <memory>

namespace tarvek::art {

// The legacy pair: artidx.mul (12-byte entries: offset in art.mul, length, extra) and art.mul.
// The index is read once when the store is made; art.mul is read one entry at a time.
class MulArtStore : public ArtStore
{
public:
    MulArtStore(std::unique_ptr<ByteSource> index, std::unique_ptr<ByteSource> data);

    bool entry(std::uint32_t index, std::vector<std::uint8_t>& out) const override;

private:
    static constexpr std::size_t kEntrySize = 12;
    // No client has this many art entries; a larger index is read only up to here.
    static constexpr std::size_t kMaxEntries = 0x100000;

    std::vector<std::uint8_t> m_index;
    std::unique_ptr<ByteSource> m_data;
};

} // namespace tarvek::art
