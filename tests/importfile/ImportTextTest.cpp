// The import file held once against its lines as strings: the same lines, keys and validity test,
// read in any order.
#include "importfile/ImportText.h"
#include "importfile/ImportFormat.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tarvek;

namespace {

// Random texts of line ends of every kind, key texts and other bytes.
std::string randomText(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {"\r",
                                                    "\n",
                                                    "\r\n",
                                                    "\n\r",
                                                    "a",
                                                    "\tx\t12",
                                                    "\ty\t",
                                                    "y\t",
                                                    "\tz\t",
                                                    "graphic\t",
                                                    "color\t1283",
                                                    "Entry I",
                                                    "Entry Header",
                                                    "{",
                                                    "\t",
                                                    "0",
                                                    std::string(40, 'b')};
    std::string text;
    for (std::size_t k = random() % 60; k > 0; --k) {
        text += pieces[random() % pieces.size()];
    }
    return text;
}

TEST(ImportText, SameLinesKeysAndTestAsTheLinesAsStrings)
{
    std::mt19937 random(36);
    for (int round = 0; round < 20000; ++round) {
        const std::string bom = round % 7 == 0 ? std::string(kUtf8Bom) : std::string();
        const std::string bytes = bom + randomText(random);
        const ImportLines lines = splitLines(withoutBom(bytes));
        const ImportText text(bytes, bom.size());
        const ImportText joined(lines);
        ASSERT_EQ(text.size(), lines.size()) << bytes;
        ASSERT_EQ(joined.size(), lines.size()) << bytes;
        EXPECT_EQ(pruefeimportdatei(text), pruefeimportdatei(lines)) << bytes;
        // In file order with looks back, as the phases read, then at random.
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (std::size_t back = i >= 2 ? i - 2 : 0; back <= i; ++back) {
                ASSERT_EQ(text[back], lines[back]) << bytes << " line " << back;
            }
            ASSERT_EQ(text.keys(i), lineKeys(lines[i]));
            ASSERT_EQ(joined[i], lines[i]);
        }
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::size_t i = random() % lines.size();
            ASSERT_EQ(text[i], lines[i]) << bytes << " line " << i;
        }
        const auto mask = static_cast<std::uint8_t>(1u << (random() % 7));
        std::size_t expected = 0;
        while (expected < lines.size() && (lineKeys(lines[expected]) & mask) == 0) {
            ++expected;
        }
        ASSERT_EQ(text.nextWith(mask, 0), expected) << bytes;
    }
}

TEST(ImportText, LongFilesReadAcrossTheirMarks)
{
    // Lines of every length around the remembered line starts, reached from far away.
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += std::string(static_cast<std::size_t>(i % 37), 'q') + (i % 3 == 0 ? "\r\n" : "\n");
    }
    const ImportLines lines = splitLines(bytes);
    const ImportText text(bytes);
    ASSERT_EQ(text.size(), lines.size());
    for (std::size_t i = lines.size(); i-- > 0;) {
        ASSERT_EQ(text[i], lines[i]) << i;
    }
    EXPECT_EQ(text.nextWith(kHasX, 0), lines.size());
}

} // namespace
