#include "ArtFiles.h"

#include "views/art/Hues.h"
#include "views/art/ItemArtDecoder.h"
#include "views/art/MemoryByteSource.h"

#include <gtest/gtest.h>

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

// An entry whose colour at index i is the pure blue i (so a dyed pixel tells its index), except
// index 0, which is black.
std::vector<std::uint16_t> blueRamp()
{
    std::vector<std::uint16_t> colours(32);
    for (std::uint16_t i = 0; i < 32; ++i) {
        colours[i] = i;
    }
    return colours;
}

ArtImage picture(std::vector<std::uint16_t> colours)
{
    ArtImage image;
    image.width = static_cast<int>(colours.size());
    image.height = 1;
    for (const std::uint16_t colour : colours) {
        image.pixels.push_back(ItemArtDecoder::toArgb(colour));
    }
    return image;
}

constexpr std::uint16_t kGrey = (9 << 10) | (9 << 5) | 9;
constexpr std::uint16_t kRed = 17 << 10;

TEST(HuesTest, DyesByTheRedValueOfEachPixel)
{
    const auto reading = Hues::read(MemoryByteSource(makeHues({{}, blueRamp()})));
    ASSERT_TRUE(reading.hues) << reading.problem;
    EXPECT_EQ(reading.hues->count(), 8u); // one whole group
    const Hues::Entry* entry = reading.hues->entry(2);
    ASSERT_NE(entry, nullptr);

    ArtImage all = picture({0, kGrey, kRed, 31});
    Hues::dye(all, *entry, false);
    EXPECT_EQ(all.pixels[0], 0u); // transparent stays so
    EXPECT_EQ(all.pixels[1], ItemArtDecoder::toArgb(9));
    EXPECT_EQ(all.pixels[2], ItemArtDecoder::toArgb(17));
    EXPECT_EQ(all.pixels[3], 0xFF000000u); // red 0: the entry's black, still opaque

    // PartialHue: only the grey pixel changes.
    ArtImage partial = picture({0, kGrey, kRed});
    Hues::dye(partial, *entry, true);
    EXPECT_EQ(partial.pixels[1], ItemArtDecoder::toArgb(9));
    EXPECT_EQ(partial.pixels[2], ItemArtDecoder::toArgb(kRed));
}

// Colour values name entries from 1; 0, negative values and values beyond the file name none.
// An entry cut short at the end is not one.
TEST(HuesTest, NamesOnlyEntriesTheFileHolds)
{
    Bytes file = makeHues({blueRamp()});
    file.resize(4 + 3 * 88 + 87);
    const auto reading = Hues::read(MemoryByteSource(file));
    ASSERT_TRUE(reading.hues);
    EXPECT_EQ(reading.hues->count(), 3u);
    EXPECT_NE(reading.hues->entry(1), nullptr);
    EXPECT_NE(reading.hues->entry(3), nullptr);
    EXPECT_EQ(reading.hues->entry(4), nullptr);
    EXPECT_EQ(reading.hues->entry(0), nullptr);
    EXPECT_EQ(reading.hues->entry(-5), nullptr);

    file.resize(4 + 87);
    EXPECT_FALSE(Hues::read(MemoryByteSource(file)).hues);
}

} // namespace
