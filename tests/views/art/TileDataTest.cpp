#include "ArtFiles.h"

#include "views/art/MemoryByteSource.h"
#include "views/art/TileData.h"

#include <gtest/gtest.h>

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

TileDataReading readBytes(const Bytes& bytes)
{
    return TileData::read(MemoryByteSource(bytes));
}

// Both layouts give the same records; each is told by its size alone, with the 8-byte flags of the
// newer one kept whole.
TEST(TileDataTest, ReadsBothLayouts)
{
    for (const bool newFormat : {false, true}) {
        SCOPED_TRACE(newFormat ? "new" : "old");
        const std::uint64_t highFlag = newFormat ? 0x100000000ull : 0;
        const auto reading = readBytes(makeTileData(newFormat,
                                                    {{0, TileData::kBackground, 0},
                                                     {33, TileData::kTranslucent | highFlag, 5},
                                                     {95, TileData::kPartialHue, 255}},
                                                    3));
        ASSERT_TRUE(reading.data) << reading.problem;
        const TileData& data = *reading.data;
        EXPECT_EQ(data.format(), newFormat ? TileData::Format::New : TileData::Format::Old);
        EXPECT_EQ(data.itemCount(), 96u);
        EXPECT_EQ(data.item(0).flags, TileData::kBackground);
        EXPECT_EQ(data.item(33).flags, TileData::kTranslucent | highFlag);
        EXPECT_EQ(data.item(33).height, 5);
        EXPECT_EQ(data.item(95).height, 255);
        EXPECT_EQ(data.item(95).flags, TileData::kPartialHue);
        // Graphics beyond the file have nothing.
        EXPECT_EQ(data.item(96).height, 0);
        EXPECT_EQ(data.item(-1).flags, 0u);
    }
}

// A file cut short, one byte too long, or with no item groups fits neither layout.
TEST(TileDataTest, RefusesSizesOfNeitherLayout)
{
    Bytes file = makeTileData(false, {}, 4);
    for (const std::size_t size :
         {file.size() - 1, file.size() + 1, std::size_t(TileData::landSize(TileData::Format::Old)),
          std::size_t(100)}) {
        file.resize(size);
        const auto reading = readBytes(file);
        EXPECT_FALSE(reading.data);
        EXPECT_NE(reading.problem.find("unbekannte Größe (" + std::to_string(size) + " Bytes)"),
                  std::string::npos)
            << reading.problem;
    }
}

} // namespace
