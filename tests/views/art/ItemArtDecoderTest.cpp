#include "ArtFiles.h"

#include "views/art/ItemArtDecoder.h"
#include "views/art/UopHash.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

constexpr std::uint16_t kWhite = 0x7FFF;
constexpr std::uint16_t kRed = 0x7C00;
constexpr std::uint16_t kGreen = 0x03E0;
constexpr std::uint16_t kBlue = 0x001F;

// 4 x 3: a transparent gap inside the first row, a fully transparent middle row, and a last row
// that starts after a skip.
const std::vector<std::uint16_t> kColours = {
    kWhite, 0, kRed,  kGreen, //
    0,      0, 0,     0,      //
    0,      0, kBlue, 0x0421, //
};

TEST(UopHashTest, GivesTheKnownCheckValues)
{
    EXPECT_EQ(UopHash::hashLittle2("build/gumpartlegacymul/0009834.tga"), 0x906142EFE9FDB38Aull);
    EXPECT_EQ(UopHash::hashLittle2("build/artlegacymul/00000000.tga"), 0x99361F7D3A53AEA8ull);
    EXPECT_EQ(UopHash::hashLittle2("build/artlegacymul/00016385.tga"), 0x18FC510440C87AADull);
}

TEST(UopHashTest, NamesEntriesByDecimalIndex)
{
    EXPECT_EQ(UopHash::artEntryName(0x4001), "build/artlegacymul/00016385.tga");
    EXPECT_EQ(UopHash::artEntryName(0), "build/artlegacymul/00000000.tga");
    EXPECT_EQ(UopHash::artEntryName(123456789), "build/artlegacymul/123456789.tga");
}

TEST(UopHashTest, HandlesEveryTailLength)
{
    // Names of 0 to 25 bytes walk every branch of the tail; equal inputs hash alike, neighbours
    // differ.
    std::string name;
    std::uint64_t previous = UopHash::hashLittle2(name);
    for (int length = 1; length <= 25; ++length) {
        name.push_back(static_cast<char>('a' + length));
        const std::uint64_t hash = UopHash::hashLittle2(name);
        EXPECT_NE(hash, previous) << length;
        EXPECT_EQ(hash, UopHash::hashLittle2(std::string(name))) << length;
        previous = hash;
    }
}

TEST(ItemArtDecoderTest, ScalesFifteenBitColours)
{
    EXPECT_EQ(ItemArtDecoder::toArgb(0), 0u);
    EXPECT_EQ(ItemArtDecoder::toArgb(kWhite), 0xFFFFFFFFu);
    EXPECT_EQ(ItemArtDecoder::toArgb(kRed), 0xFFFF0000u);
    EXPECT_EQ(ItemArtDecoder::toArgb(kGreen), 0xFF00FF00u);
    EXPECT_EQ(ItemArtDecoder::toArgb(kBlue), 0xFF0000FFu);
    // 1 * 255 / 31 = 8, 16 * 255 / 31 = 131, 30 * 255 / 31 = 246
    EXPECT_EQ(ItemArtDecoder::toArgb(0x0421), 0xFF080808u);
    EXPECT_EQ(ItemArtDecoder::toArgb((16 << 10) | (30 << 5) | 1), 0xFF83F608u);
    // The top bit is no colour: black with it set is opaque black, not transparent.
    EXPECT_EQ(ItemArtDecoder::toArgb(0x8000), 0xFF000000u);
}

TEST(ItemArtDecoderTest, DecodesRunsAndLeavesTheRestTransparent)
{
    const ArtImage image = ItemArtDecoder::decode(encodeItemArt(4, 3, kColours));
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 3);
    const std::vector<std::uint32_t> expected = {
        0xFFFFFFFF, 0, 0xFFFF0000, 0xFF00FF00, //
        0,          0, 0,          0,          //
        0,          0, 0xFF0000FF, 0xFF080808, //
    };
    EXPECT_EQ(image.pixels, expected);
}

TEST(ItemArtDecoderTest, SharedRowsAndRunsOfLengthZeroAreAccepted)
{
    // Two rows pointing at the same row data; a run of length 0 just moves on.
    Bytes data;
    putU32(data, 0, 0);
    putU16(data, 4, 3);
    putU16(data, 6, 2);
    putU16(data, 8, 0);
    putU16(data, 10, 0);
    putU16(data, 12, 1); // skip 1
    putU16(data, 14, 0); // length 0
    putU16(data, 16, 1); // skip 1 more
    putU16(data, 18, 1);
    putU16(data, 20, kRed);
    putU32(data, 22, 0);
    const ArtImage image = ItemArtDecoder::decode(data);
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0, 0, 0xFFFF0000, 0, 0, 0xFFFF0000}));
}

TEST(ItemArtDecoderTest, DamagedDataGivesAnEmptyPicture)
{
    const Bytes good = encodeItemArt(4, 3, kColours);
    ASSERT_FALSE(ItemArtDecoder::decode(good).empty());
    // Row data of the picture above starts at byte 14; row 0 is: skip 0, length 1, white,
    // skip 1, length 2, red, green, (0, 0).
    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages = {
        {"nothing at all", [](Bytes& b) { b.clear(); }},
        {"header cut short", [](Bytes& b) { b.resize(7); }},
        {"width 0", [](Bytes& b) { putU16(b, 4, 0); }},
        {"height 0", [](Bytes& b) { putU16(b, 6, 0); }},
        {"line table past the end", [](Bytes& b) { putU16(b, 6, 60000); }},
        {"line offset past the data", [](Bytes& b) { putU16(b, 10, 0xFFFF); }},
        {"line offset one word short of the end",
         [](Bytes& b) { putU16(b, 12, (b.size() - 14) / 2 - 1); }},
        {"run longer than the width", [](Bytes& b) { putU16(b, 16, 5); }},
        {"skip past the width", [](Bytes& b) { putU16(b, 20, 4); }},
        {"run pixels past the end", [](Bytes& b) { b.resize(26); }},
        {"row without its closing pair", [](Bytes& b) { b.resize(b.size() - 4); }},
        {"wider than any item graphic",
         [](Bytes& b) { putU16(b, 4, ItemArtDecoder::kMaxSide + 1); }},
    };
    for (const auto& [what, damage] : damages) {
        Bytes bytes = good;
        damage(bytes);
        const ArtImage image = ItemArtDecoder::decode(bytes);
        EXPECT_TRUE(image.empty()) << what;
        EXPECT_TRUE(image.pixels.empty()) << what;
    }
}

} // namespace
