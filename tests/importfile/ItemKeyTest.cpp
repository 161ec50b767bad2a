#include "importfile/ItemKey.h"
#include "base/AsciiCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace tarvek;

TEST(ItemPositionKey, FromTheYLine)
{
    const ImportLines lines = {"Entry I",   "{",      "\tgraphic\t1173", "\tx\t1234",
                               "\ty\t2345", "\tz\t0", "\tcolor\t0",      "}"};
    EXPECT_EQ(itemPositionKey(lines, 4), "1173|1234|2345|0");
}

TEST(ItemPositionKey, CutsNotConvertedNorFilled)
{
    const ImportLines lines = {"\tgraphic\t12345678", "\tx\t12345", "\ty\t7", "\tz\t-5 x"};
    EXPECT_EQ(itemPositionKey(lines, 2), "123456|1234|7|-5 x");
}

TEST(ItemPositionKey, MissingKeyLinesGiveEmptyParts)
{
    const ImportLines lines = {"nothing", "nothing", "\ty\t7", "nothing"};
    EXPECT_EQ(itemPositionKey(lines, 2), "||7|");
}

TEST(ItemPositionKey, NoLineTwoAboveOrBelowIsSkipped)
{
    const ImportLines lines = {"\ty\t1", "\ty\t2", "\ty\t3", "\ty\t4"};
    EXPECT_FALSE(itemPositionKey(lines, 0));
    EXPECT_FALSE(itemPositionKey(lines, 1));
    EXPECT_TRUE(itemPositionKey(lines, 2));
    EXPECT_FALSE(itemPositionKey(lines, 3));
}

TEST(ItemKeyOrder, GraphicTextsCompareAsText)
{
    EXPECT_LT(compareItemKeys("1173|1|1|0", "2|1|1|0"), 0);
    EXPECT_LT(compareItemKeys("117|5|5|5", "1173|1|1|1"), 0);
    EXPECT_GT(compareItemKeys("1173|1|1|1", "117|5|5|5"), 0);
}

TEST(ItemKeyOrder, SymbolsBeforeDigitsBeforeLetters)
{
    EXPECT_LT(compareItemKeys("|", "0"), 0);
    EXPECT_LT(compareItemKeys(" ", "|"), 0);
    EXPECT_LT(compareItemKeys("9", "a"), 0);
    EXPECT_LT(compareItemKeys("~", "0"), 0);
    EXPECT_LT(compareItemKeys("\xe4", "0"), 0); // bytes above 127 count as symbols
    EXPECT_LT(compareItemKeys("a", "B"), 0);
    EXPECT_LT(compareItemKeys("B", "c"), 0);
}

TEST(ItemKeyOrder, PrefixFirst)
{
    EXPECT_LT(compareItemKeys("12", "123"), 0);
    EXPECT_LT(compareItemKeys("", "0"), 0);
}

TEST(ItemKeyOrder, HyphenAndApostropheIgnoredFirst)
{
    // "-5" sorts among the 5s, after "4", before "6".
    EXPECT_LT(compareItemKeys("1|1|1|4", "1|1|1|-5"), 0);
    EXPECT_LT(compareItemKeys("1|1|1|-5", "1|1|1|6"), 0);
    EXPECT_LT(compareItemKeys("a'b", "ac"), 0);
    // Equal without them: the full strings decide by byte order ("-" 0x2D < "5" 0x35).
    EXPECT_LT(compareItemKeys("1|1|1|-5", "1|1|1|5"), 0);
    EXPECT_NE(compareItemKeys("1|1|1|-5", "1|1|1|5"), 0);
}

TEST(ItemKeyOrder, SameKeyExactlyWhenEqualIgnoringCase)
{
    EXPECT_EQ(compareItemKeys("abc|1", "ABC|1"), 0);
    EXPECT_NE(compareItemKeys("abc|1", "ab-c|1"), 0);
    EXPECT_NE(compareItemKeys("1|1|1|0", "1|1|1|0 "), 0);
}

TEST(ItemKeyOrder, IsAStrictWeakOrder)
{
    std::mt19937 rng(7);
    const std::string alphabet = "0129aAzZ|-' $\xe4";
    std::vector<std::string> keys;
    for (int i = 0; i < 300; ++i) {
        std::string k;
        const int len = static_cast<int>(rng() % 6);
        for (int j = 0; j < len; ++j) {
            k += alphabet[rng() % alphabet.size()];
        }
        keys.push_back(k);
    }
    for (const auto& a : keys) {
        EXPECT_EQ(compareItemKeys(a, a), 0);
        for (const auto& b : keys) {
            const int ab = compareItemKeys(a, b);
            const int ba = compareItemKeys(b, a);
            EXPECT_EQ(ab<0, ba> 0);
            EXPECT_EQ(ab == 0, asciiLower(a) == asciiLower(b));
            const int st = itemKeySortText(a).compare(itemKeySortText(b));
            EXPECT_EQ(ab < 0, st < 0) << a << " / " << b;
            EXPECT_EQ(ab == 0, st == 0) << a << " / " << b;
        }
    }
    std::sort(keys.begin(), keys.end(), ItemKeyLess{});
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end(), ItemKeyLess{}));
}
