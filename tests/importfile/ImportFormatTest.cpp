#include "importfile/ImportFormat.h"

#include <gtest/gtest.h>

using namespace tarvek;

TEST(Pruefeimportdatei, HeaderFollowedByBrace)
{
    EXPECT_TRUE(pruefeimportdatei({"Entry Header", "{"}));
    EXPECT_TRUE(pruefeimportdatei({"x", "y", "Entry Header", "{", "}"}));
    EXPECT_TRUE(pruefeimportdatei({"foo Entry Header bar", "   {   "}));
}

TEST(Pruefeimportdatei, InvalidFiles)
{
    EXPECT_FALSE(pruefeimportdatei({}));
    EXPECT_FALSE(pruefeimportdatei({"Entry Header"}));
    EXPECT_FALSE(pruefeimportdatei({"a", "Entry Header"}));
    EXPECT_FALSE(pruefeimportdatei({"entry header", "{"}));
    EXPECT_FALSE(pruefeimportdatei({"ENTRY HEADER", "{"}));
    EXPECT_FALSE(pruefeimportdatei({"{", "Entry Header", "}"}));
}

TEST(Pruefeimportdatei, SearchGoesOnAfterTheInspectedLine)
{
    // The second header is the inspected line of the first, so it is passed over.
    EXPECT_FALSE(pruefeimportdatei({"Entry Header", "Entry Header", "{"}));
    EXPECT_TRUE(pruefeimportdatei({"Entry Header", "x", "Entry Header", "{"}));
}

TEST(Pruefeimportdatei, PumpsOncePerExaminedLine)
{
    int pumps = 0;
    EXPECT_FALSE(pruefeimportdatei({"a", "b", "c"}, [&] { ++pumps; }));
    EXPECT_EQ(pumps, 3);
}

TEST(Cuts, FixedCut)
{
    EXPECT_EQ(fixedCut("\tx\t1234", kKeyX, 4), "1234");
    EXPECT_EQ(fixedCut("\tx\t12345", kKeyX, 4), "1234");
    EXPECT_EQ(fixedCut("\tz\t5 ", kKeyZ, 4), "5 ");
    EXPECT_EQ(fixedCut("\tz\t-5", kKeyZ, 4), "-5");
    EXPECT_EQ(fixedCut("\tgraphic\t1173", kKeyGraphic, 6), "1173");
    EXPECT_EQ(fixedCut("\tgraphic\t12345678", kKeyGraphic, 6), "123456");
    EXPECT_EQ(fixedCut("a\tx\t1\tx\t2", kKeyX, 4), "1\tx\t");
}

TEST(Cuts, NoKeyGivesEmptyText)
{
    EXPECT_EQ(fixedCut("\ty\t12", kKeyX, 4), "");
    EXPECT_EQ(restCut("\ty\t12", "x\t"), "");
}

TEST(Cuts, RestCutTrimsControlsAndBlanks)
{
    EXPECT_EQ(restCut("\tgraphic\t 1173 \t\r", kKeyGraphic), "1173");
    EXPECT_EQ(restCut("\tx\t1432", "x\t"), "1432");
    EXPECT_EQ(restCut("\tx\t", "x\t"), "");
    EXPECT_EQ(restCut(std::string("\tx\t\0a b\x01", 8), "x\t"), "a b");
}

TEST(Conversion, Decimal)
{
    EXPECT_EQ(toInteger("1173"), 1173);
    EXPECT_EQ(toInteger("-5"), -5);
    EXPECT_EQ(toInteger("-123"), -123);
    EXPECT_EQ(toInteger("+7"), 7);
    EXPECT_EQ(toInteger("   42"), 42);
    EXPECT_EQ(toInteger("0"), 0);
    EXPECT_EQ(toInteger("007"), 7);
    EXPECT_EQ(toInteger("2147483647"), 2147483647);
    EXPECT_EQ(toInteger("-2147483648"), -2147483647 - 1);
}

TEST(Conversion, Hexadecimal)
{
    EXPECT_EQ(toInteger("$FF"), 255);
    EXPECT_EQ(toInteger("xff"), 255);
    EXPECT_EQ(toInteger("Xff"), 255);
    EXPECT_EQ(toInteger("0x0e75"), 3701);
    EXPECT_EQ(toInteger("0X0E75"), 3701);
    EXPECT_EQ(toInteger("-$10"), -16);
    EXPECT_EQ(toInteger("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(toInteger("-$80000000"), -2147483647 - 1);
}

TEST(Conversion, Errors)
{
    for (const char* bad : {"",           " ",           "5 ",        "1 2",
                            "-",          "+",           "$",         "0x",
                            "x",          "abc",         "12a",       "\t5",
                            "2147483648", "-2147483649", "$80000000", "99999999999999999999",
                            "0x-1",       "--1",         "1.5",       "1,5"}) {
        EXPECT_FALSE(toInteger(bad)) << '"' << bad << '"';
    }
}

TEST(Conversion, ErrorText)
{
    EXPECT_EQ(conversionErrorText("5 "), "'5 ' ist kein gültiger Integerwert");
    EXPECT_EQ(conversionErrorText("\xe4"), "'ä' ist kein gültiger Integerwert");
    // A huge value is quoted shortened, so the message stays readable.
    const std::string huge = "\xe4" + std::string(kMessageQuoteLimit + 1000, '7');
    EXPECT_EQ(conversionErrorText(huge), "'\xc3\xa4" + std::string(kMessageQuoteLimit - 1, '7') +
                                             "...' ist kein gültiger Integerwert");
    const std::string exact(kMessageQuoteLimit, '7');
    EXPECT_EQ(messageQuote(exact), exact);
}
