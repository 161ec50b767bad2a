// Feeds arbitrary bytes to the item-art decoder and to the two index readers. The first byte
// chooses the target:
//   0: the bytes are the data of one item graphic;
//   1: the bytes are an artLegacyMUL.uop file; the entries named in its first table block are
//      read and decoded;
//   2: the next two bytes give the length of an artidx.mul, followed by it and by art.mul; the
//      first entries are read and decoded.
#include "views/art/ItemArtDecoder.h"
#include "views/art/LittleEndian.h"
#include "views/art/MemoryByteSource.h"
#include "views/art/MulArtStore.h"
#include "views/art/UopArtStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace tarvek::art;

namespace {

void decodeEntries(const ArtStore& store, std::uint32_t count)
{
    std::vector<std::uint8_t> data;
    for (std::uint32_t index = 0; index < count; ++index) {
        if (store.entry(index, data)) {
            ItemArtDecoder::decode(data);
        }
    }
}

void fuzzUop(std::span<const std::uint8_t> file)
{
    const auto store = UopArtStore::open(std::make_unique<MemoryByteSource>(file));
    if (!store) {
        return;
    }
    // Names are hashes, which the fuzzer cannot guess: ask for the hashes the file itself lists.
    const auto firstBlock = readLittleEndian<std::int64_t>(file, 12).value_or(0);
    std::vector<std::uint8_t> data;
    for (std::uint64_t slot = 0; slot < 8; ++slot) {
        const auto hash = readLittleEndian<std::uint64_t>(
            file, static_cast<std::uint64_t>(firstBlock) + 12 + slot * 34 + 20);
        if (hash && store->entryByHash(*hash, data)) {
            ItemArtDecoder::decode(data);
        }
    }
    decodeEntries(*store, 4);
}

void fuzzMul(std::span<const std::uint8_t> bytes)
{
    const std::size_t indexLength =
        std::min<std::size_t>(readLittleEndian<std::uint16_t>(bytes, 0).value_or(0),
                              bytes.size() - std::min<std::size_t>(2, bytes.size()));
    const auto rest = bytes.subspan(std::min<std::size_t>(2, bytes.size()));
    const MulArtStore store(std::make_unique<MemoryByteSource>(rest.first(indexLength)),
                            std::make_unique<MemoryByteSource>(rest.subspan(indexLength)));
    decodeEntries(store,
                  static_cast<std::uint32_t>(std::min<std::size_t>(indexLength / 12 + 1, 64)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::span<const std::uint8_t> input(bytes + 1, size - 1);
    switch (bytes[0] % 3) {
    case 0:
        ItemArtDecoder::decode(input);
        break;
    case 1:
        fuzzUop(input);
        break;
    default:
        fuzzMul(input);
        break;
    }
    return 0;
}
