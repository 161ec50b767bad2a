#include "pricing/PriceList.h"

#include "base/AsciiCase.h"
#include "base/FileNames.h"
#include "base/Utf8.h"
#include "pricing/GraphicKey.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace tarvek;

namespace {

std::vector<std::uint32_t> plainSearch(const PriceList& list, const std::string& key, bool foldCase)
{
    std::vector<std::uint32_t> out;
    const std::string k = foldCase ? asciiLower(key) : key;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string line = foldCase ? asciiLower(list.line(i)) : std::string(list.line(i));
        if (line.find(k) != std::string::npos) {
            out.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return out;
}

} // namespace

TEST(PriceColumns, TextAndMarks)
{
    const std::string line = "0x0e75|Name|120|t|1|0|0|0";
    EXPECT_EQ(priceColumnCount(line), 8u);
    EXPECT_EQ(priceColumnText(line, 3), "120");
    EXPECT_EQ(priceColumnText(line, 4), "t");
    EXPECT_EQ(priceColumnText(line, 5), "1");
    EXPECT_EQ(priceColumnMark(line, 6), "0");
    EXPECT_EQ(priceColumnMark(line, 7), "0");
    EXPECT_EQ(priceColumnMark(line, 8), "0");
}

TEST(PriceColumns, MarkIsTheFirstCharacterOnly)
{
    const std::string line = "0x1bfb|Name|500|b|10|1x|12|1 and more|extra";
    EXPECT_EQ(priceColumnText(line, 5), "10");
    EXPECT_EQ(priceColumnMark(line, 6), "1");
    EXPECT_EQ(priceColumnMark(line, 7), "1");
    EXPECT_EQ(priceColumnMark(line, 8), "1");
    EXPECT_EQ(priceColumnText(line, 8), "1 and more");
}

TEST(PriceColumns, ShortAndEmptyColumns)
{
    EXPECT_EQ(priceColumnCount(""), 1u);
    EXPECT_EQ(priceColumnText("a|b", 3), "");
    EXPECT_EQ(priceColumnMark("a|b|c|d|e|", 6), "");
    EXPECT_EQ(priceColumnText("a|b|c|d|e||x|y", 6), "");
    EXPECT_EQ(priceColumnMark("a|b|c|d|e||x|y", 6), "|"); // what is left starts with the bar
}

TEST(PriceListLookups, SubstringSemantics)
{
    const PriceList list(ImportLines{
        "header line without keys",
        "0x0e751|Other|5|t|1|0|0|0", // holds 0x0e75 as a prefix of a longer key
        "0x0e75|Name|120|t|1|0|0|0",
        "x|0x0e75 in column two|7|t|1|1|1|1",
        "0X0E75|Upper|9|t|1|0|0|0",
    });
    EXPECT_EQ(list.findMovableMarks("0x0e75"), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(list.findMovableMarks("0x0E75"), std::vector<std::uint32_t>{});
    EXPECT_EQ(list.findPriceLine("0x0e75"), 1u);
    EXPECT_EQ(list.findPriceLine("0X0E75"), 1u);
    EXPECT_TRUE(list.contains("0x0E75"));
    EXPECT_EQ(list.findPriceLine("0x0e7"), 1u); // three digits: searched line by line
    EXPECT_FALSE(list.contains("0x1234"));
    EXPECT_FALSE(list.findPriceLine("0x1234"));
    EXPECT_TRUE(list.findMovableMarks("0x1234").empty());
}

TEST(PriceListLookups, UpperCaseListGivesNoMarksButIsFound)
{
    const PriceList list(ImportLines{"0X0E75|Name|120|t|1|1|1|1"});
    EXPECT_TRUE(list.findMovableMarks("0x0e75").empty());
    EXPECT_TRUE(list.contains("0x0E75"));
    EXPECT_EQ(list.findPriceLine("0x0e75"), 0u);
}

TEST(PriceListLookups, OverlappingAndLongRuns)
{
    const PriceList list(ImportLines{
        "0x0x0e75",          // "0x" inside the digits of nothing: second 0x holds the key
        "10x0e75abcdef0123", // the key inside a longer run
        "0x0e7",             // too short
        "0xfffffffb|neg",
    });
    EXPECT_EQ(list.findMovableMarks("0x0e75"), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(list.findMovableMarks("0x0e75abcd"), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(list.findMovableMarks("0xfffffffb"), (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(list.findPriceLine("0xFFFFFFFB"), 3u);
}

TEST(PriceListLookups, KeysOfOtherFormsAreSearchedPlainly)
{
    const PriceList list(ImportLines{"abc|Name", "xABCx"});
    EXPECT_EQ(list.findMovableMarks("abc"), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(list.findPriceLine("ABC"), 0u);
    EXPECT_EQ(list.findPriceLine("Xa"), 1u); // the case of both sides ignored
    EXPECT_EQ(list.findPriceLine("x0e75"), std::nullopt);
    // The empty key stands in every line, an empty one too.
    EXPECT_EQ(PriceList(ImportLines{"", "a"}).findPriceLine(""), 0u);
    EXPECT_EQ(PriceList(ImportLines{}).findPriceLine(""), std::nullopt);
}

// The indexed lookups give exactly the lines of a plain substring search.
TEST(PriceListLookups, RandomizedAgainstPlainSearch)
{
    std::mt19937 rng(20240601);
    const std::string alphabet = "0123456789abcdefABCDEFxX|g ";
    for (int round = 0; round < 40; ++round) {
        ImportLines lines;
        const int count = 1 + static_cast<int>(rng() % 60);
        for (int i = 0; i < count; ++i) {
            std::string line;
            const int len = static_cast<int>(rng() % 24);
            for (int j = 0; j < len; ++j) {
                if (rng() % 5 == 0) {
                    line += (rng() % 2) ? "0x" : "0X";
                } else {
                    line += alphabet[rng() % alphabet.size()];
                }
            }
            lines.push_back(line);
        }
        // Keys as the phases make them, from small numbers so that they do occur.
        std::vector<std::string> upperKeys;
        for (int q = 0; q < 200; ++q) {
            const auto number = static_cast<std::int32_t>(rng() % 4 == 0   ? rng()
                                                          : rng() % 4 == 0 ? rng() % 0x100000
                                                                           : rng() % 0x40);
            upperKeys.push_back(graphicKey(number));
        }
        // One list answers from the full index, one from keys prepared in advance (half of them
        // lower-case, half upper-case), one prepared with only some of the keys.
        const PriceList full(lines);
        const PriceList prepared(lines);
        const PriceList partly(lines);
        std::vector<std::string> mixed;
        for (std::size_t q = 0; q < upperKeys.size(); ++q) {
            mixed.push_back(q % 2 == 0 ? upperKeys[q] : asciiLower(upperKeys[q]));
        }
        prepared.prepareMovableMarks(mixed);
        prepared.prepareFind(mixed);
        partly.prepareMovableMarks(std::vector<std::string>(mixed.begin(), mixed.begin() + 20));
        partly.prepareFind(std::vector<std::string>(mixed.begin() + 10, mixed.begin() + 30));
        for (const PriceList* list : {&full, &prepared, &partly}) {
            for (const auto& upper : upperKeys) {
                const std::string lower = asciiLower(upper);
                ASSERT_EQ(list->findMovableMarks(lower), plainSearch(*list, lower, false)) << lower;
                const auto folded = plainSearch(*list, lower, true);
                const auto first = list->findPriceLine(lower);
                ASSERT_EQ(first.has_value(), !folded.empty()) << lower;
                if (first) {
                    ASSERT_EQ(*first, folded.front()) << lower;
                }
                ASSERT_EQ(list->contains(upper), !folded.empty()) << upper;
            }
        }
    }
}

TEST(FindPriceList, LetterCaseIgnored)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(testing::TempDir()) / "tarvek_pricelist_find";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Compared as paths: the separator that joins folder and name is the system's.
    const auto found = [](const std::string& folder) {
        const auto path = findPriceList(folder);
        return path ? fs::path(*path) : fs::path();
    };
    EXPECT_FALSE(findPriceList(dir.string()));
    std::ofstream(dir / "PREISLISTE.TXT") << "x";
    EXPECT_EQ(found(dir.string()), dir / "PREISLISTE.TXT");
    EXPECT_EQ(found(dir.string() + "/"), dir / "PREISLISTE.TXT");
    // Where names ignore case (Windows), writing another spelling writes the same file, which
    // keeps its first name.
    const bool namesIgnoreCase = fs::exists(dir / "pReIsLiStE.tXt");
    std::ofstream(dir / "preisliste.txt") << "x";
    EXPECT_EQ(found(dir.string()), dir / (namesIgnoreCase ? "PREISLISTE.TXT" : "preisliste.txt"));
    std::ofstream(dir / "Preisliste.txt") << "x";
    EXPECT_EQ(found(dir.string()), dir / (namesIgnoreCase ? "PREISLISTE.TXT" : "Preisliste.txt"));
    EXPECT_FALSE(findPriceList((dir / "missing").string()));
    fs::remove_all(dir);
}

// File names are text beyond any code page: folders "Größe" and "Ω" open on Windows as elsewhere.
TEST(ReadFile, FoldersNamedBeyondTheCodePage)
{
    for (const std::string name : {"Größe", "Ω"}) {
        const std::string folder = fileNameOf(pathOf(testing::TempDir()) / pathOf(name));
        std::filesystem::create_directories(pathOf(folder));
        const std::string file = fileNameOf(pathOf(folder) / "Haus.cfg");
        std::ofstream(pathOf(file), std::ios::binary) << "Entry Header\r\n{\r\n";
        std::ofstream(pathOf(folder) / "preisliste.txt") << "0x0e75|a|1|t|1|0|0|0";

        EXPECT_EQ(readImportLines(file), (ImportLines{"Entry Header", "{"})) << name;
        const auto priceList = findPriceList(folder);
        ASSERT_TRUE(priceList) << name;
        EXPECT_EQ(readRegularFile(*priceList, kImportFileKind), "0x0e75|a|1|t|1|0|0|0") << name;
        std::filesystem::remove_all(pathOf(folder));
    }
}

namespace {
// The encoding read byte by byte: valid UTF-8 with a non-ASCII byte, else Windows-1252.
TextEncoding plainEncoding(std::string_view bytes)
{
    bool nonAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto sequence = decodeUtf8(bytes, i);
        if (!sequence) {
            return TextEncoding::Windows1252;
        }
        nonAscii = nonAscii || sequence->length > 1;
        i += sequence->length;
    }
    return nonAscii ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}
// The lines read byte by byte: a line ends at CR LF, LF or CR.
ImportLines plainLines(std::string_view bytes)
{
    ImportLines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 1 : 0;
            start = i + 1;
        }
    }
    if (start < bytes.size()) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}
} // namespace

// The fast splitting of import files and price lists and the encoding's ASCII shortcut give what
// the plain readings give: every text of up to 8 bytes of "a", CR, LF and one non-ASCII byte.
TEST(PriceListLines, SplitAndEncodingAsThePlainReadings)
{
    const std::string alphabet = "a\r\n\xC3";
    for (std::size_t length = 0; length <= 8; ++length) {
        std::size_t count = 1;
        for (std::size_t k = 0; k < length; ++k) {
            count *= alphabet.size();
        }
        for (std::size_t code = 0; code < count; ++code) {
            std::string text;
            for (std::size_t k = 0, c = code; k < length; ++k, c /= alphabet.size()) {
                text += alphabet[c % alphabet.size()];
            }
            const std::string padded = std::string(9, 'b') + text + "\xA4" + std::string(7, 'c');
            const PriceList list = PriceList::fromBytes(text);
            ImportLines got;
            for (std::size_t i = 0; i < list.size(); ++i) {
                got.emplace_back(list.line(i));
            }
            ASSERT_EQ(got, plainLines(text)) << code;
            ASSERT_EQ(splitLines(text), got) << code;
            EXPECT_EQ(PriceList::fromBytes(padded).encoding(), plainEncoding(padded)) << code;
        }
    }
}
