#include "base/Cp1252.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(Cp1252, AsciiStaysAsItIs)
{
    EXPECT_EQ(cp1252ToUtf8("Entry Header {}"), "Entry Header {}");
    EXPECT_EQ(utf8ToCp1252("Entry Header {}"), "Entry Header {}");
}

TEST(Cp1252, GermanLettersAndSpecialBytes)
{
    EXPECT_EQ(cp1252ToUtf8("F\xe4"
                           "che"),
              "Fäche");
    EXPECT_EQ(cp1252ToUtf8("\xdf\xfc\xd6"), "ßüÖ");
    EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(cp1252ToUtf8("\x84\x93"), "„“");
    EXPECT_EQ(cp1252ToUtf8("\x9f"), "Ÿ");
}

TEST(Cp1252, UndefinedBytesBecomeC1Controls)
{
    EXPECT_EQ(cp1252ToUtf8("\x81"), "\xc2\x81");
    EXPECT_EQ(cp1252ToUtf8("\x8d"), "\xc2\x8d");
    EXPECT_EQ(cp1252ToUtf8("\x8f"), "\xc2\x8f");
    EXPECT_EQ(cp1252ToUtf8("\x90"), "\xc2\x90");
    EXPECT_EQ(cp1252ToUtf8("\x9d"), "\xc2\x9d");
}

TEST(Cp1252, NulIsAnOrdinaryCharacter)
{
    const std::string bytes("a\0b", 3);
    EXPECT_EQ(cp1252ToUtf8(bytes), bytes);
    EXPECT_EQ(utf8ToCp1252(bytes), bytes);
}

TEST(Cp1252, AllByteValuesRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    bool mapped = false;
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all), &mapped), all);
    EXPECT_TRUE(mapped);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << b;
    }
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks)
{
    bool mapped = true;
    EXPECT_EQ(utf8ToCp1252("a\xe2\x82\xac\xe4\xb8\xad", &mapped), "a\x80?");
    EXPECT_FALSE(mapped);
    mapped = true;
    EXPECT_EQ(utf8ToCp1252("x\xc3", &mapped), "x?");
    EXPECT_FALSE(mapped);
    EXPECT_EQ(utf8ToCp1252("\xc0\xaf"), "??");          // overlong
    EXPECT_EQ(utf8ToCp1252("\xed\xa0\x80"), "???");     // surrogate
    EXPECT_EQ(utf8ToCp1252("\xf0\x9f\x98\x80!"), "?!"); // outside the code page
}
