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

    const auto missing = readImportLines(path);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, FileErrorKind::System);
    EXPECT_EQ(missing.error().errorNumber, ENOENT);
    EXPECT_EQ(missing.error().reason, "Datei oder Ordner nicht gefunden");
    EXPECT_EQ(fileOpenErrorText("/a/b.cfg", "No such file or directory"),
              "Datei " + shownFileName("/a/b.cfg") +
                  " kann nicht geöffnet werden. No such file or directory");
    const auto folder = readRegularFile(testing::TempDir(), kImportFileKind); // a folder is no file
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, FileErrorKind::Folder);
    EXPECT_EQ(folder.error().reason, "Ist ein Ordner");
    // Reasons without a German text keep the system's words.
    EXPECT_EQ(systemReason(ENOTDIR), std::strerror(ENOTDIR));
}

TEST(ReadFile, Utf8WithBomIsReadWithoutItAndUtf16Refused)
{
    const std::filesystem::path path = testing::TempDir() + "tarvek_encoding.cfg";
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                             "Entry Header\r\n{\r\n";
    TextEncoding encoding = TextEncoding::Windows1252;
    EXPECT_EQ(readImportLines(path.string(), &encoding), (ImportLines{"Entry Header", "{"}));
    EXPECT_EQ(encoding, TextEncoding::Utf8WithBom);
    std::ofstream(path, std::ios::binary) << std::string("\xFF\xFE"
                                                         "E\0",
                                                         4);
    const auto utf16 = readImportLines(path.string());
    ASSERT_FALSE(utf16);
    EXPECT_EQ(utf16.error().kind, FileErrorKind::Encoding);
    EXPECT_EQ(utf16.error().reason, *encodingRefusal("\xFF\xFE"));
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
    const auto reason = [](const Result<std::string>& read) {
        return read ? std::string("gelesen") : read.error().reason;
    };
    EXPECT_EQ(reason(readRegularFile(pipe, kImportFileKind)), // at once: nobody writes into it
              "Sie ist keine gewöhnliche Datei, sondern etwa eine benannte Pipe oder ein Gerät, "
              "und wird nicht gelesen.");
    EXPECT_NE(reason(readRegularFile("/dev/zero", kImportFileKind)).find("keine gewöhnliche Datei"),
              std::string::npos);
    const std::string giant = (folder / "giant.cfg").string();
    std::ofstream(giant).close();
    std::filesystem::resize_file(giant, 1001);
    EXPECT_FALSE(readRegularFile(giant, FileKind{1000, "Importdatei"}));
    EXPECT_EQ(readRegularFile(giant, FileKind{1001, "Importdatei"})->size(), 1001u);
    std::filesystem::resize_file(giant, kImportFileKind.limit + 1);
    const auto tooLarge = readImportLines(giant);
    ASSERT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.error().kind, FileErrorKind::TooLarge);
    EXPECT_EQ(tooLarge.error().reason, "Sie ist größer als 64 MiB; so groß ist keine Importdatei.");
    std::filesystem::remove_all(folder);
}
#endif
