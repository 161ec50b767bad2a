#include "importfile/ImportLines.h"
#include "importfile/SystemReason.h"

#include "importfile/FileNames.h"
#include "pricing/PriceList.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace tarvek;

TEST(SplitLines, AllThreeLineEnds)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (ImportLines{"a", "b", "c", "d"}));
}

TEST(SplitLines, LastLineEndAddsNoLine)
{
    EXPECT_EQ(splitLines(""), ImportLines{});
    EXPECT_EQ(splitLines("a\r\n"), ImportLines{"a"});
    EXPECT_EQ(splitLines("a\n"), ImportLines{"a"});
    EXPECT_EQ(splitLines("a\r"), ImportLines{"a"});
    EXPECT_EQ(splitLines("\n"), ImportLines{""});
    EXPECT_EQ(splitLines("a\r\n\r\n"), (ImportLines{"a", ""}));
}

TEST(SplitLines, CrCrLfIsTwoLineEnds)
{
    EXPECT_EQ(splitLines("a\r\r\nb"), (ImportLines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\rb"), (ImportLines{"a", "", "b"}));
}

TEST(SplitLines, NulDoesNotCutTheFile)
{
    const std::string bytes("a\0b\r\nc", 6);
    const auto lines = splitLines(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string("a\0b", 3));
    EXPECT_EQ(lines[1], "c");
}

TEST(JoinLines, CrLfAfterEveryLine)
{
    EXPECT_EQ(joinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLinesCrLf({}), "");
}

TEST(ReadFile, BytesAsStoredAndMissingFile)
{
    const std::string path = testing::TempDir() + "tarvek_lines_test.cfg";
    {
        std::ofstream f(path, std::ios::binary);
        f << std::string("x\xe4\0y\r\nz", 7);
    }
    const auto lines = readImportLines(path);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (ImportLines{std::string("x\xe4\0y", 4), "z"}));
    std::remove(path.c_str());

    std::string reason;
    EXPECT_FALSE(readImportLines(path, &reason));
    EXPECT_EQ(reason, "Datei oder Ordner nicht gefunden");
    EXPECT_EQ(fileOpenErrorText("/a/b.cfg", "No such file or directory"),
              "Datei /a/b.cfg kann nicht geöffnet werden. No such file or directory");
    EXPECT_FALSE(readFileBytes(testing::TempDir(), &reason)); // a folder is no file
    EXPECT_EQ(reason, "Ist ein Ordner");
    // Reasons without a German text keep the system's words.
    EXPECT_EQ(systemReason(ENOTDIR), std::strerror(ENOTDIR));
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
        EXPECT_EQ(readFileBytes(*priceList), "0x0e75|a|1|t|1|0|0|0") << name;
        std::filesystem::remove_all(pathOf(folder));
    }
}
