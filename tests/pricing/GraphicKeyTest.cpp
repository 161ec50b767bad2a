#include "pricing/GraphicKey.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(GraphicKey, AtLeastFourUpperCaseDigits)
{
    EXPECT_EQ(graphicKey(3701), "0x0E75");
    EXPECT_EQ(graphicKey(70000), "0x11170");
    EXPECT_EQ(graphicKey(0), "0x0000");
    EXPECT_EQ(graphicKey(15), "0x000F");
    EXPECT_EQ(graphicKey(5702), "0x1646");
    EXPECT_EQ(graphicKey(2147483647), "0x7FFFFFFF");
}

TEST(GraphicKey, NegativeNumbersUseTwosComplement)
{
    EXPECT_EQ(graphicKey(-5), "0xFFFFFFFB");
    EXPECT_EQ(graphicKey(-1), "0xFFFFFFFF");
    EXPECT_EQ(graphicKey(-2147483647 - 1), "0x80000000");
}

TEST(GraphicKeyToNumber, Examples)
{
    EXPECT_EQ(graphicKeyToNumber("0x0e75"), 3701);
    EXPECT_EQ(graphicKeyToNumber("0x0E75"), 3701);
    EXPECT_EQ(graphicKeyToNumber("0X1646"), 5702);
    EXPECT_EQ(graphicKeyToNumber("0x12g4"), 0);
    EXPECT_EQ(graphicKeyToNumber(""), 0);
    EXPECT_EQ(graphicKeyToNumber("0x"), 0);
    EXPECT_EQ(graphicKeyToNumber("1a"), 26);          // no "0x": the whole text is read
    EXPECT_EQ(graphicKeyToNumber("1a0x2"), 0x1a2);    // the first "0X" is deleted wherever
    EXPECT_EQ(graphicKeyToNumber("0xfffffffb"), -5);  // wraps in 32 bits
    EXPECT_EQ(graphicKeyToNumber("0x1ffffffff"), -1); // wraps in 32 bits
}

TEST(GraphicKeyToNumber, InverseOfGraphicKey)
{
    for (const int n : {0, 1, 3701, 5702, 65535, 70000, -5, 2147483647}) {
        EXPECT_EQ(graphicKeyToNumber(graphicKey(n)), n);
    }
}
