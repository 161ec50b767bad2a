// How long showing one item graphic takes: a client folder with a 100 MB art file (legacy pair
// and UOP with packed entries) is written once, then single graphics are read and decoded.
#include "views/art/ArtSource.h"
#include "views/art/UopHash.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using tarvek::art::ArtSource;
using tarvek::art::UopHash;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t kArtFileSize = 100ull * 1024 * 1024;
constexpr std::uint32_t kFirstItem = 0x4000;

void put(Bytes& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// An item graphic of 64 x 96 pixels: in each row a transparent margin, then one run of colours.
Bytes itemGraphic(std::uint32_t seed)
{
    constexpr int kWidth = 64;
    constexpr int kHeight = 96;
    Bytes rows;
    Bytes bytes;
    put(bytes, 0, 4);
    put(bytes, kWidth, 2);
    put(bytes, kHeight, 2);
    for (int y = 0; y < kHeight; ++y) {
        put(bytes, rows.size() / 2, 2);
        const int margin = (y + static_cast<int>(seed)) % 8;
        put(rows, static_cast<std::uint64_t>(margin), 2);
        put(rows, static_cast<std::uint64_t>(kWidth - 2 * margin), 2);
        for (int x = margin; x < kWidth - margin; ++x) {
            put(rows, 0x0421u * static_cast<std::uint32_t>(1 + (x + y) % 30) + seed % 7, 2);
        }
        put(rows, 0, 4);
    }
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

// Two client folders under the temporary folder, removed again at the end.
class BenchFolders
{
public:
    BenchFolders() : legacy(scratch("mul")), uop(scratch("uop"))
    {
        std::filesystem::create_directories(legacy);
        std::filesystem::create_directories(uop);
        writeLegacyPair();
        writeUop();
    }
    ~BenchFolders()
    {
        std::filesystem::remove_all(legacy);
        std::filesystem::remove_all(uop);
    }

    std::uint32_t legacyCount = 0;
    std::uint32_t uopCount = 0;
    const std::filesystem::path legacy;
    const std::filesystem::path uop;

private:
    static std::filesystem::path scratch(const char* kind)
    {
        return std::filesystem::temp_directory_path() /
               (std::string("tarvek-art-bench-") + kind + "-" + std::to_string(::getpid()));
    }

    static void write(const std::filesystem::path& path, const Bytes& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    void writeLegacyPair()
    {
        Bytes index;
        Bytes data;
        std::uint64_t written = 0;
        std::ofstream art(legacy / "art.mul", std::ios::binary | std::ios::trunc);
        // The index entries of the land tiles stay empty.
        index.assign(std::size_t{kFirstItem} * 12, 0xFF);
        for (std::uint32_t n = 0; written < kArtFileSize; ++n) {
            const Bytes graphic = itemGraphic(n);
            put(index, written, 4);
            put(index, graphic.size(), 4);
            put(index, 0, 4);
            art.write(reinterpret_cast<const char*>(graphic.data()),
                      static_cast<std::streamsize>(graphic.size()));
            written += graphic.size();
            legacyCount = n + 1;
        }
        write(legacy / "artidx.mul", index);
    }

    void writeUop()
    {
        constexpr std::uint32_t kBlock = 1000;
        constexpr std::uint64_t kTableStart = 0x200;
        Bytes file;
        put(file, 0x0050594D, 4);
        put(file, 5, 4);
        put(file, 0, 4);
        put(file, kTableStart, 8);
        put(file, kBlock, 4);
        put(file, 0, 4);
        file.resize(kTableStart);
        std::uint32_t n = 0;
        while (file.size() < kArtFileSize) {
            const std::size_t block = file.size();
            put(file, kBlock, 4);
            put(file, 0, 8);
            const std::size_t table = file.size();
            file.resize(table + std::size_t{kBlock} * 34);
            for (std::uint32_t i = 0; i < kBlock; ++i, ++n) {
                const Bytes graphic = itemGraphic(n);
                uLongf packedLength = compressBound(graphic.size());
                Bytes packed(packedLength);
                compress(packed.data(), &packedLength, graphic.data(), graphic.size());
                Bytes slot;
                put(slot, file.size(), 8);
                put(slot, 0, 4);
                put(slot, packedLength, 4);
                put(slot, graphic.size(), 4);
                put(slot, UopHash::hashLittle2(UopHash::artEntryName(kFirstItem + n)), 8);
                put(slot, 0, 4);
                put(slot, 1, 2);
                std::copy(slot.begin(), slot.end(),
                          file.begin() + static_cast<std::ptrdiff_t>(table + i * 34));
                file.insert(file.end(), packed.begin(),
                            packed.begin() + static_cast<std::ptrdiff_t>(packedLength));
            }
            if (file.size() < kArtFileSize) {
                Bytes next;
                put(next, file.size(), 8);
                std::copy(next.begin(), next.end(),
                          file.begin() + static_cast<std::ptrdiff_t>(block + 4));
            }
        }
        uopCount = n;
        write(uop / "artLegacyMUL.uop", file);
    }
};

const BenchFolders& folder()
{
    static const BenchFolders folder;
    return folder;
}

void decodeOne(benchmark::State& state, const std::filesystem::path& path, std::uint32_t count)
{
    const ArtSource source(path);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> graphic(0, count - 1);
    for (auto _ : state) {
        const auto image = source.itemArt(graphic(random));
        if (image.empty()) {
            state.SkipWithError("graphic not decoded");
            break;
        }
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

void BM_DecodeOneGraphicLegacyPair(benchmark::State& state)
{
    decodeOne(state, folder().legacy, folder().legacyCount);
}
BENCHMARK(BM_DecodeOneGraphicLegacyPair)->Unit(benchmark::kMicrosecond);

void BM_DecodeOneGraphicUopPacked(benchmark::State& state)
{
    decodeOne(state, folder().uop, folder().uopCount);
}
BENCHMARK(BM_DecodeOneGraphicUopPacked)->Unit(benchmark::kMicrosecond);

// Opening happens once per program run: the legacy index is read whole, the UOP tables walked.
void BM_OpenClientFolder(benchmark::State& state)
{
    const auto& path = state.range(0) == 0 ? folder().legacy : folder().uop;
    for (auto _ : state) {
        const ArtSource source(path);
        benchmark::DoNotOptimize(source.isOpen());
    }
}
BENCHMARK(BM_OpenClientFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
