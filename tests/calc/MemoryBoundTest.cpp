// What a calculation holds at most, counted by the allocator: an import file at the size limit
// takes at most three bytes of memory for each of its bytes, beside a fixed base. An executable
// of its own: it replaces the global operator new to count.
#include "calc/Calculation.h"
#include "calc/ItemRecord.h"
#include "importfile/ImportLines.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

// Each block carries its size in front of it.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* allocate(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t live = g_live += size;
    std::size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return block + kHeader;
}

void release(void* pointer) noexcept
{
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_live -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* pointer) noexcept
{
    release(pointer);
}
void operator delete[](void* pointer) noexcept
{
    release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept
{
    release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept
{
    release(pointer);
}

namespace {

using namespace tarvek;

// The most memory a whole calculation of `bytes` held beyond what was held before it.
std::size_t calculationPeak(const std::string& bytes, const std::string& name,
                            bool recordItems = false)
{
    const std::string folder = ::testing::TempDir() + "tarvek_memory_bound/";
    std::filesystem::create_directories(folder);
    const std::string house = folder + name;
    std::ofstream(folder + "Preisliste.txt", std::ios::binary)
        << "0x0e75|A|120|t|1|0|0|0\r\n0x0e77|B|90|t|1|1|1|1\r\n";
    std::ofstream(house, std::ios::binary) << bytes;
    const std::size_t before = g_live.load();
    g_peak = before;
    {
        Calculation calc;
        // With the items' record, as the JSON report keeps it.
        calculate(calc, {.importFile = house, .programDir = folder, .recordItems = recordItems});
        EXPECT_EQ(calc.outcome.run, RunOutcome::Complete) << name;
    }
    std::filesystem::remove(house);
    return g_peak.load() - before;
}

constexpr std::size_t kLimit = kImportFileKind.limit;
constexpr std::size_t kBase = std::size_t{4} << 20;

TEST(MemoryBound, AFileOfLineEndsAtTheSizeLimit)
{
    std::string bytes = "Entry Header\r\n{\r\n";
    bytes.resize(kLimit, '\n');
    const std::size_t peak = calculationPeak(bytes, "leer.cfg");
    EXPECT_LE(peak, kBase + 3 * bytes.size()) << peak;
}

TEST(MemoryBound, AFileOfCarriageReturnsAndShortLinesAtTheSizeLimit)
{
    // Lines of one byte and lines without a key around the keys' lines.
    std::string bytes = "Entry Header\r\n{\r\n";
    while (bytes.size() + 8 <= kLimit) {
        bytes += "a\r\r\nb\nc\r";
    }
    const std::size_t peak = calculationPeak(bytes, "kurz.cfg");
    EXPECT_LE(peak, kBase + 3 * bytes.size()) << peak;
}

// Items as short as they can be, each one in the list of items that may not be imported and a
// spawn. The file and its lines stay within the bound; the record of the items that the JSON
// report keeps comes on top of it, one record per item.
TEST(MemoryBound, AFileOfItemsInEveryListAtTheSizeLimit)
{
    std::string bytes = "Entry Header\r\n{\r\n}\r\n";
    constexpr std::string_view kItem = "Entry I 1\n{\ngraphic\t3703\nx\t1\ny\t1\nz\t1\n}\n";
    std::size_t items = 0;
    for (; bytes.size() + kItem.size() <= kLimit; ++items) {
        bytes += kItem;
    }
    const std::size_t peak = calculationPeak(bytes, "voll.cfg", true);
    EXPECT_LE(peak, kBase + 3 * bytes.size() + items * sizeof(RecordedItem)) << peak;
}

} // namespace
