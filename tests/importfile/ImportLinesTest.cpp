#include "importfile/ImportLines.h"

#include "base/FileNames.h"
#include "base/SystemReason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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
              "Datei " + shownFileName("/a/b.cfg") +
                  " kann nicht geöffnet werden. No such file or directory");
    EXPECT_FALSE(
        readFileBytes(testing::TempDir(), &reason, kImportFileKind)); // a folder is no file
    EXPECT_EQ(reason, "Ist ein Ordner");
    // Reasons without a German text keep the system's words.
    EXPECT_EQ(systemReason(ENOTDIR), std::strerror(ENOTDIR));
}

TEST(ReadFile, Utf8WithBomIsReadWithoutItAndUtf16Refused)
{
    const std::filesystem::path path = testing::TempDir() + "tarvek_encoding.cfg";
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                             "Entry Header\r\n{\r\n";
    TextEncoding encoding = TextEncoding::Windows1252;
    EXPECT_EQ(readImportLines(path.string(), nullptr, &encoding),
              (ImportLines{"Entry Header", "{"}));
    EXPECT_EQ(encoding, TextEncoding::Utf8WithBom);
    std::ofstream(path, std::ios::binary) << std::string("\xFF\xFE"
                                                         "E\0",
                                                         4);
    std::string reason;
    EXPECT_FALSE(readImportLines(path.string(), &reason));
    EXPECT_EQ(reason, *encodingRefusal("\xFF\xFE"));
    std::filesystem::remove(path);
}

#ifndef _WIN32
TEST(ReadFile, PipesAndFilesBeyondTheLimitAreRefusedUnread)
{
    const std::filesystem::path folder = testing::TempDir() + "tarvek_bounded";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string pipe = (folder / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::string reason;
    EXPECT_FALSE(
        readFileBytes(pipe, &reason, kImportFileKind)); // returns at once: nobody writes into it
    EXPECT_EQ(reason, "Sie ist keine gewöhnliche Datei, sondern etwa eine benannte Pipe oder ein "
                      "Gerät, und wird nicht gelesen.");
    EXPECT_FALSE(readFileBytes("/dev/zero", &reason, kImportFileKind));
    EXPECT_NE(reason.find("keine gewöhnliche Datei"), std::string::npos);
    const std::string giant = (folder / "giant.cfg").string();
    std::ofstream(giant).close();
    std::filesystem::resize_file(giant, 1001);
    EXPECT_FALSE(readFileBytes(giant, &reason, FileKind{1000, "Importdatei"}));
    EXPECT_EQ(readFileBytes(giant, &reason, FileKind{1001, "Importdatei"})->size(), 1001u);
    std::filesystem::resize_file(giant, kImportFileKind.limit + 1);
    EXPECT_FALSE(readImportLines(giant, &reason));
    EXPECT_EQ(reason, "Sie ist größer als 64 MiB; so groß ist keine Importdatei.");
    std::filesystem::remove_all(folder);
}
#endif
