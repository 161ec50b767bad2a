// The format-level mutations of the fuzz targets, without libFuzzer.
#include "fuzz/TextMutator.h"
#include "importfile/ImportLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using tarvek::fuzz::TextMutator;

// libFuzzer's byte mutation, which these tests do not reach.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t*, std::size_t size, std::size_t)
{
    return size;
}

namespace {

const std::uint8_t* bytesOf(const std::string& text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

} // namespace

TEST(TextMutator, ValuesChangeOnlyAfterTheirKeyAndEveryLineEndStays)
{
    const std::string text = "Entry I\r\n\tx\t12\n\tz\t-5\rtail";
    TextMutator m(bytesOf(text), text.size(), 1);
    m.setValue(1, "\tx\t", "2147483648");
    m.setValue(2, "\ty\t", "7"); // no such key: unchanged
    std::string out(64, '\0');
    out.resize(m.write(reinterpret_cast<std::uint8_t*>(out.data()), out.size()));
    EXPECT_EQ(out, "Entry I\r\n\tx\t2147483648\n\tz\t-5\rtail");
    EXPECT_EQ(m.write(reinterpret_cast<std::uint8_t*>(out.data()), 10), 0u); // too long
}

// Whatever record mutation the seed chooses, the result is made of whole lines of the original
// (a copied last line gets a line end instead of running into the next one), and it fits the
// length limit: the 61 copies of a spawn line only when there is room for them.
TEST(TextMutator, RecordMutationsKeepWholeLinesWithinTheLimit)
{
    const std::string text = "0x1f13|Spawner|5000|t|1|1|0|1\r\n0x0064|Wand|250|t|1|0|0|0";
    const auto original = tarvek::splitLines(text);
    const std::set<std::string> known(original.begin(), original.end());
    bool repeatedToLimit = false;
    for (unsigned seed = 0; seed < 200; ++seed) {
        TextMutator m(bytesOf(text), text.size(), seed);
        const std::size_t maxSize = seed % 2 == 0 ? 4096 : 200;
        ASSERT_TRUE(m.mutateRecords({{0, 1}, {1, 2}}, {61}, maxSize));
        std::string out(8192, '\0');
        out.resize(m.write(reinterpret_cast<std::uint8_t*>(out.data()), out.size()));
        ASSERT_LE(out.size(), std::max<std::size_t>(maxSize, text.size() * 2 + 2)) << seed;
        const auto lines = tarvek::splitLines(out);
        for (const auto& line : lines) {
            ASSERT_TRUE(known.count(line) == 1) << "seed " << seed << ": '" << line << "'";
        }
        repeatedToLimit = repeatedToLimit || lines.size() == 62;
    }
    EXPECT_TRUE(repeatedToLimit);
}
