#include "importfile/ImportLines.h"
#include "importfile/SystemReason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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
