#include "ArtFiles.h"

#include "views/art/UopHash.h"

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tarvek::art::testing {

void putU16(Bytes& bytes, std::size_t at, std::uint16_t value)
{
    if (bytes.size() < at + 2) {
        bytes.resize(at + 2);
    }
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    putU16(bytes, at, static_cast<std::uint16_t>(value));
    putU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

void putU64(Bytes& bytes, std::size_t at, std::uint64_t value)
{
    putU32(bytes, at, static_cast<std::uint32_t>(value));
    putU32(bytes, at + 4, static_cast<std::uint32_t>(value >> 32));
}

Bytes encodeItemArt(int width, int height, const std::vector<std::uint16_t>& colours)
{
    Bytes bytes;
    putU32(bytes, 0, 0x12345678); // unused
    putU16(bytes, 4, static_cast<std::uint16_t>(width));
    putU16(bytes, 6, static_cast<std::uint16_t>(height));
    const std::size_t rowsStart = 8 + static_cast<std::size_t>(height) * 2;
    bytes.resize(rowsStart);
    for (int y = 0; y < height; ++y) {
        putU16(bytes, 8 + static_cast<std::size_t>(y) * 2,
               static_cast<std::uint16_t>((bytes.size() - rowsStart) / 2));
        int x = 0;
        int written = 0; // the x after the last run
        while (x < width) {
            if (colours[static_cast<std::size_t>(y * width + x)] == 0) {
                ++x;
                continue;
            }
            int end = x;
            while (end < width && colours[static_cast<std::size_t>(y * width + end)] != 0) {
                ++end;
            }
            putU16(bytes, bytes.size(), static_cast<std::uint16_t>(x - written));
            putU16(bytes, bytes.size(), static_cast<std::uint16_t>(end - x));
            for (int i = x; i < end; ++i) {
                putU16(bytes, bytes.size(), colours[static_cast<std::size_t>(y * width + i)]);
            }
            written = end;
            x = end;
        }
        putU32(bytes, bytes.size(), 0); // closing (0, 0)
    }
    return bytes;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeMulPair(const std::filesystem::path& folder, const std::vector<MulEntry>& entries,
                  std::uint32_t indexCount)
{
    Bytes index;
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        putU32(index, i * 12u, 0xFFFFFFFFu);
        putU32(index, i * 12u + 4, 0xFFFFFFFFu);
        putU32(index, i * 12u + 8, 0);
    }
    Bytes data(16, 0xEE); // something before the first entry, so no offset is 0
    for (const MulEntry& entry : entries) {
        putU32(index, entry.index * 12u, static_cast<std::uint32_t>(data.size()));
        const auto length = static_cast<std::uint32_t>(entry.data.size());
        putU32(index, entry.index * 12u + 4, entry.patched ? length | 0x80000000u : length);
        data.insert(data.end(), entry.data.begin(), entry.data.end());
    }
    writeFile(folder / "artidx.mul", index);
    writeFile(folder / "art.mul", data);
}

Bytes makeUop(const std::vector<UopEntry>& entries, std::size_t blockCapacity)
{
    constexpr std::size_t kEntryHeader = 8;
    Bytes file;
    putU32(file, 0, 0x0050594D);
    putU32(file, 4, 5);          // version
    putU32(file, 8, 0xFD23EC43); // signature
    putU64(file, 12, 0x40);      // first block
    putU32(file, 20, static_cast<std::uint32_t>(blockCapacity));
    putU32(file, 24, static_cast<std::uint32_t>(entries.size()));
    file.resize(0x40);

    std::size_t next = 0;
    std::size_t previousNextField = 0;
    while (next < entries.size() || next == 0) {
        const std::size_t blockStart = file.size();
        if (previousNextField != 0) {
            putU64(file, previousNextField, blockStart);
        }
        const std::size_t count = std::min(blockCapacity, entries.size() - next);
        putU32(file, blockStart, static_cast<std::uint32_t>(blockCapacity));
        putU64(file, blockStart + 4, 0);
        previousNextField = blockStart + 4;
        const std::size_t table = blockStart + 12;
        file.resize(table + blockCapacity * 34); // unused slots stay all zero
        for (std::size_t i = 0; i < count; ++i) {
            const UopEntry& entry = entries[next + i];
            Bytes stored = entry.data;
            if (entry.zlib) {
                uLongf packedLength = compressBound(entry.data.size());
                stored.resize(packedLength);
                compress(stored.data(), &packedLength, entry.data.data(), entry.data.size());
                stored.resize(packedLength);
            }
            const std::size_t offset = file.size();
            file.resize(offset + kEntryHeader, 0xAB);
            file.insert(file.end(), stored.begin(), stored.end());
            const std::size_t slot = table + i * 34;
            putU64(file, slot, offset);
            putU32(file, slot + 8, kEntryHeader);
            putU32(file, slot + 12, static_cast<std::uint32_t>(stored.size()));
            putU32(file, slot + 16, static_cast<std::uint32_t>(entry.data.size()));
            putU64(file, slot + 20, UopHash::hashLittle2(UopHash::artEntryName(entry.index)));
            putU32(file, slot + 28, 0);
            putU16(file, slot + 32, entry.zlib ? 1 : 0);
        }
        next += std::max<std::size_t>(count, 1);
    }
    return file;
}

Bytes makeTileData(bool newFormat, const std::vector<TileRecord>& records, std::size_t groups)
{
    const std::size_t land = 512 * (4 + 32 * (newFormat ? 30 : 26));
    const std::size_t record = newFormat ? 41 : 37;
    const std::size_t group = 4 + 32 * record;
    Bytes file(land + groups * group, 0);
    for (const TileRecord& item : records) {
        const std::size_t at = land + item.graphic / 32 * group + 4 + item.graphic % 32 * record;
        if (newFormat) {
            putU64(file, at, item.flags);
        } else {
            putU32(file, at, static_cast<std::uint32_t>(item.flags));
        }
        file[at + (newFormat ? 20 : 16)] = item.height;
    }
    return file;
}

Bytes makeHues(const std::vector<std::vector<std::uint16_t>>& entries)
{
    Bytes file;
    for (std::size_t i = 0; i < entries.size() || i % 8 != 0; ++i) {
        if (i % 8 == 0) {
            putU32(file, file.size(), 0); // group header
        }
        const std::size_t at = file.size();
        file.resize(at + 88, 0);
        for (std::size_t c = 0; i < entries.size() && c < 32 && c < entries[i].size(); ++c) {
            putU16(file, at + c * 2, entries[i][c]);
        }
    }
    return file;
}

} // namespace tarvek::art::testing
