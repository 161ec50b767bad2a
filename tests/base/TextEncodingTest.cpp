#include "base/TextEncoding.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(TextEncoding, DetectedFromTheBytes)
{
    EXPECT_EQ(detectTextEncoding("\xEF\xBB\xBF"
                                 "Entry Header"),
              TextEncoding::Utf8WithBom);
    EXPECT_EQ(detectTextEncoding("T\xC3\xBCr"), TextEncoding::Utf8);
    EXPECT_EQ(detectTextEncoding("T\xFCr"), TextEncoding::Windows1252);
    EXPECT_EQ(detectTextEncoding("T\xC3\xBC\xFC"), TextEncoding::Windows1252); // not valid UTF-8
    EXPECT_EQ(detectTextEncoding("Tuer"), TextEncoding::Windows1252);
    EXPECT_EQ(withoutBom("\xEF\xBB\xBFx"), "x");
    // UTF-16 by its mark or its NULs; a stray NUL of a Windows-1252 file is no such pattern.
    EXPECT_TRUE(encodingRefusal("\xFF\xFE"));
    EXPECT_TRUE(encodingRefusal(std::string("\xFE\xFF\0E", 4)));
    EXPECT_TRUE(encodingRefusal(std::string("E\0n\0t\0r\0", 8)));
    EXPECT_TRUE(encodingRefusal(std::string("\0E\0n\0t\0r", 8)));
    EXPECT_FALSE(encodingRefusal(std::string("x\xe4\0y\r\nz", 7)));
    EXPECT_FALSE(encodingRefusal(std::string("\0\0\0\0", 4)));
}

TEST(TextEncoding, ControlsShowAsPlaceholdersInBothEncodings)
{
    // C0 controls and DEL: their control pictures; C1 (the undefined Windows-1252 bytes, or
    // encoded in UTF-8) and malformed UTF-8: U+FFFD. The printable 0x80..0x9F stay as they are.
    EXPECT_EQ(
        displayText(std::string("a\0\t\x1b\x1f\x7f\x81\x80\xe4", 9), TextEncoding::Windows1252),
        "a\u2400\u2409\u241b\u241f\u2421\uFFFD€ä");
    EXPECT_EQ(displayText("\x1b\xC2\x9B\xC3\xA4\xE2\x82\xAC\xFF", TextEncoding::Utf8),
              "\u241b\uFFFDä€\uFFFD");
    // Direction marks and controls, and the line and paragraph separators: U+FFFD; the
    // characters beside them (U+2027, U+202F, U+2065, U+206A) stay.
    EXPECT_EQ(displayText("a\u061C\u200E\u200F\u2027\u2028\u2029\u202A\u202E\u202F"
                          "\u2065\u2066\u2069\u206Ab",
                          TextEncoding::Utf8WithBom),
              "a\uFFFD\uFFFD\uFFFD\u2027\uFFFD\uFFFD\uFFFD\uFFFD\u202F\u2065\uFFFD\uFFFD\u206Ab");
    // The editor keeps the controls: its text goes back into the file.
    EXPECT_EQ(editableText("\x1b\xe4", TextEncoding::Windows1252), "\x1b\u00e4");
    EXPECT_EQ(encodedText("\x1bΩä", TextEncoding::Utf8WithBom), "\x1bΩä");
    bool allMapped = true;
    EXPECT_EQ(encodedText("Ωä", TextEncoding::Windows1252, &allMapped), "?\xe4");
    EXPECT_FALSE(allMapped);
}
