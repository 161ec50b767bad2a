#include "ArtFiles.h"

#include "views/art/ArtSource.h"
#include "views/art/MemoryByteSource.h"
#include "views/art/UopArtStore.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

constexpr std::uint32_t kItem = 0x4000;

// Three small pictures told apart by size and colour.
Bytes picture(int which)
{
    const std::uint16_t colour = static_cast<std::uint16_t>(0x1000 + which);
    std::vector<std::uint16_t> colours(static_cast<std::size_t>((which + 1) * 2), colour);
    colours[0] = 0; // one transparent pixel each
    return encodeItemArt(which + 1, 2, colours);
}

void expectPicture(const ArtImage& image, int which)
{
    ASSERT_EQ(image.width, which + 1);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixel(0, 0), 0u);
    EXPECT_EQ(image.pixel(which, 1), 0xFF000000u |
                                         (((0x1000 + which) >> 10 & 31) * 255 / 31) << 16 |
                                         (((0x1000 + which) >> 5 & 31) * 255 / 31) << 8 |
                                         ((0x1000 + which) & 31) * 255 / 31);
}

class ArtSourceTest : public ::testing::Test
{
protected:
    TempFolder m_folder;
};

TEST_F(ArtSourceTest, ReadsTheLegacyPair)
{
    Bytes damagedRun = picture(1);
    putU16(damagedRun, 14, 9); // the first run of row 0 gets a length past the width
    writeMulPair(m_folder.path(),
                 {{kItem + 0, picture(0)},
                  {kItem + 1, picture(1), true}, // patched: bit 31 of the length set
                  {kItem + 3, damagedRun},
                  {kItem + 4, picture(2)}},
                 kItem + 10);
    // Entry 5 reaches past the end of art.mul, entry 6 starts past it, entry 7 has length 0.
    Bytes index = readFile(m_folder.path() / "artidx.mul");
    const auto dataSize = static_cast<std::uint32_t>(readFile(m_folder.path() / "art.mul").size());
    putU32(index, (kItem + 5) * 12, dataSize - 10);
    putU32(index, (kItem + 5) * 12 + 4, 20);
    putU32(index, (kItem + 6) * 12, dataSize + 100);
    putU32(index, (kItem + 6) * 12 + 4, 20);
    putU32(index, (kItem + 7) * 12, 16);
    putU32(index, (kItem + 7) * 12 + 4, 0);
    writeFile(m_folder.path() / "artidx.mul", index);

    const ArtSource source(m_folder.path());
    ASSERT_TRUE(source.isOpen());
    expectPicture(source.itemArt(0), 0);
    expectPicture(source.itemArt(1), 1);
    expectPicture(source.itemArt(4), 2);
    for (const std::int64_t empty :
         std::vector<std::int64_t>{2, 3, 5, 6, 7, 9, 10, 100000, -1, -0x4000, 0xFFFFFFFFll}) {
        EXPECT_TRUE(source.itemArt(empty).empty()) << empty;
    }
}

TEST_F(ArtSourceTest, ReadsUopEntriesStoredAndPacked)
{
    writeFile(m_folder.path() / "artLegacyMUL.uop", makeUop({{kItem + 1, picture(1), false},
                                                             {kItem + 2, picture(2), true},
                                                             {kItem + 0, picture(0), true},
                                                             {kItem + 7, picture(0), false},
                                                             {kItem + 9, picture(2), true}}));
    const ArtSource source(m_folder.path());
    ASSERT_TRUE(source.isOpen());
    expectPicture(source.itemArt(0), 0);
    expectPicture(source.itemArt(1), 1);
    expectPicture(source.itemArt(2), 2);
    expectPicture(source.itemArt(7), 0); // in the second table block
    expectPicture(source.itemArt(9), 2);
    EXPECT_TRUE(source.itemArt(3).empty());
    EXPECT_TRUE(source.itemArt(-1).empty());
}

// The table slot of the n-th entry of the first block of a file made by makeUop, and where the
// data of its first entry begins.
constexpr std::size_t slot(std::size_t n)
{
    return 0x40 + 12 + n * 34;
}
constexpr std::size_t kFirstData = slot(3) + 8;

TEST_F(ArtSourceTest, DamagedUopEntriesGiveEmptyPictures)
{
    const Bytes good = makeUop({{kItem + 0, picture(0), true},
                                {kItem + 1, picture(1), false},
                                {kItem + 2, picture(2), true}});
    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages = {
        {"offset past the end", [](Bytes& b) { putU64(b, slot(0), b.size() + 5); }},
        {"length past the end", [](Bytes& b) { putU32(b, slot(0) + 12, 100000); }},
        {"negative length", [](Bytes& b) { putU32(b, slot(0) + 12, 0xFFFFFFF0u); }},
        {"header length past the end", [](Bytes& b) { putU32(b, slot(0) + 8, 0x7FFFFFFFu); }},
        {"unknown flag", [](Bytes& b) { putU16(b, slot(0) + 32, 2); }},
        {"unpacked length too small", [](Bytes& b) { putU32(b, slot(0) + 16, 5); }},
        {"unpacked length too large", [](Bytes& b) { putU32(b, slot(0) + 16, 50000); }},
        {"unpacked length 0", [](Bytes& b) { putU32(b, slot(0) + 16, 0); }},
        {"packed data garbled", [](Bytes& b) { putU32(b, kFirstData + 2, 0xDEADBEEF); }},
    };
    for (const auto& [what, damage] : damages) {
        Bytes bytes = good;
        damage(bytes);
        auto store = UopArtStore::open(std::make_unique<MemoryByteSource>(bytes));
        ASSERT_TRUE(store) << what;
        std::vector<std::uint8_t> out;
        EXPECT_FALSE(store->entry(kItem + 0, out)) << what;
        EXPECT_TRUE(store->entry(kItem + 1, out)) << what; // the neighbour is unharmed
    }
}

TEST_F(ArtSourceTest, DamagedUopTablesStopWithoutHarm)
{
    const Bytes good = makeUop({{kItem + 0, picture(0)},
                                {kItem + 1, picture(1)},
                                {kItem + 2, picture(2)},
                                {kItem + 3, picture(0)}});
    constexpr std::size_t kFirstBlock = 0x40;
    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> looping = {
        {"block chain loops onto itself",
         [](Bytes& b) { putU64(b, kFirstBlock + 4, kFirstBlock); }},
        {"next block past the end", [](Bytes& b) { putU64(b, kFirstBlock + 4, b.size() + 1); }},
        {"block count past the end", [](Bytes& b) { putU32(b, kFirstBlock, 0x7FFFFFFF); }},
        {"negative block count", [](Bytes& b) { putU32(b, kFirstBlock, 0x80000000u); }},
    };
    for (const auto& [what, damage] : looping) {
        Bytes bytes = good;
        damage(bytes);
        auto store = UopArtStore::open(std::make_unique<MemoryByteSource>(bytes));
        ASSERT_TRUE(store) << what;
        std::vector<std::uint8_t> out;
        EXPECT_FALSE(store->entry(kItem + 3, out)) << what; // lives in the second block
    }

    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> notUop = {
        {"wrong magic", [](Bytes& b) { putU32(b, 0, 0x0050594E); }},
        {"first block past the end", [](Bytes& b) { putU64(b, 12, b.size()); }},
        {"first block at 0", [](Bytes& b) { putU64(b, 12, 0); }},
        {"cut inside the header", [](Bytes& b) { b.resize(20); }},
    };
    for (const auto& [what, damage] : notUop) {
        Bytes bytes = good;
        damage(bytes);
        EXPECT_FALSE(UopArtStore::open(std::make_unique<MemoryByteSource>(bytes))) << what;
    }
}

TEST_F(ArtSourceTest, PrefersTheUopFileAndFallsBackWhenItIsNoUopFile)
{
    writeMulPair(m_folder.path(), {{kItem + 5, picture(0)}}, kItem + 10);
    Bytes uop = makeUop({{kItem + 5, picture(2), true}});
    writeFile(m_folder.path() / "artLegacyMUL.uop", uop);
    expectPicture(ArtSource(m_folder.path()).itemArt(5), 2);

    putU32(uop, 0, 0);
    writeFile(m_folder.path() / "artLegacyMUL.uop", uop);
    expectPicture(ArtSource(m_folder.path()).itemArt(5), 0);
}

TEST_F(ArtSourceTest, MatchesFileNamesWithoutCase)
{
    writeMulPair(m_folder.path(), {{kItem + 1, picture(1)}}, kItem + 2);
    std::filesystem::rename(m_folder.path() / "artidx.mul", m_folder.path() / "ArtIdx.MUL");
    std::filesystem::rename(m_folder.path() / "art.mul", m_folder.path() / "Art.mul");
    expectPicture(ArtSource(m_folder.path()).itemArt(1), 1);
}

TEST_F(ArtSourceTest, NoFilesOrFilesThatShrinkGiveEmptyPictures)
{
    EXPECT_FALSE(ArtSource(m_folder.path()).isOpen());
    EXPECT_FALSE(ArtSource(m_folder.path() / "missing").isOpen());
    EXPECT_FALSE(ArtSource("").isOpen());
    EXPECT_TRUE(ArtSource(m_folder.path()).itemArt(1).empty());

    writeMulPair(m_folder.path(), {{kItem + 1, picture(1)}}, kItem + 2);
    const ArtSource source(m_folder.path());
    expectPicture(source.itemArt(1), 1);
    // The client's patcher rewrites art.mul while the program runs.
    std::filesystem::resize_file(m_folder.path() / "art.mul", 20);
    EXPECT_TRUE(source.itemArt(1).empty());
}

} // namespace
