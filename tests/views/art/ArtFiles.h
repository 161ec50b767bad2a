#pragma once

#include "support/engine/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvek::art::testing {

using Bytes = std::vector<std::uint8_t>;

// The item-art data of a picture given as 15-bit colours, row by row (0: transparent); each row
// is written as runs of its non-transparent pixels.
Bytes encodeItemArt(int width, int height, const std::vector<std::uint16_t>& colours);

void putU16(Bytes& bytes, std::size_t at, std::uint16_t value);
void putU32(Bytes& bytes, std::size_t at, std::uint32_t value);
void putU64(Bytes& bytes, std::size_t at, std::uint64_t value);
void writeFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes readFile(const std::filesystem::path& path);

struct MulEntry
{
    std::uint32_t index = 0;
    Bytes data;
    bool patched = false; // sets bit 31 of the length
};

// artidx.mul + art.mul holding `entries`; all other indexes up to `indexCount` are empty.
void writeMulPair(const std::filesystem::path& folder, const std::vector<MulEntry>& entries,
                  std::uint32_t indexCount);

struct UopEntry
{
    std::uint32_t index = 0;
    Bytes data;
    bool zlib = false;
};

// artLegacyMUL.uop holding `entries`, in table blocks of `blockCapacity` entries (the last block
// padded with unused entries), each entry behind a small header of its own.
Bytes makeUop(const std::vector<UopEntry>& entries, std::size_t blockCapacity = 3);

// One item record of tiledata.mul.
struct TileRecord
{
    std::uint32_t graphic = 0;
    std::uint64_t flags = 0;
    std::uint8_t height = 0;
};

// tiledata.mul in the old (`newFormat` false) or the newer layout, with `groups` groups of item
// records (32 each); records not given are all zero.
Bytes makeTileData(bool newFormat, const std::vector<TileRecord>& records, std::size_t groups = 2);

// hues.mul holding these entries (32 15-bit colours each), in whole groups of 8.
Bytes makeHues(const std::vector<std::vector<std::uint16_t>>& entries);

// A folder under the system's temporary folder, removed again with the object.
using TempFolder = hardening::TempFolder;

} // namespace tarvek::art::testing
