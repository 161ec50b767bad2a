#include "base/AsciiCase.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(CaseFolding, OnlyAsciiLetters)
{
    EXPECT_EQ(asciiLower("AbZ\xc4\xe4"), "abz\xc4\xe4");
    EXPECT_EQ(asciiUpper("aBz\xe4"), "ABZ\xe4");
}
