// Windows only: ReplaceFileW failing with ERROR_UNABLE_TO_MOVE_REPLACEMENT, brought about by a
// stand-in for the call. The old file is already gone then, and the new content only in the
// temporary file: that file takes the name, or stays where it is and is named.
#include "base/AtomicFile.h"
#include "base/FileNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>

using namespace tarvek;
namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The old file removed, the replacement left under its own name; with `nameTaken` a folder takes
// the name at once, so that the new file cannot have it either.
bool nameTaken = false;
unsigned long oldFileRemoved(const wchar_t* target, const wchar_t* /*replacement*/)
{
    DeleteFileW(target);
    if (nameTaken) {
        CreateDirectoryW(target, nullptr);
    }
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// A file holding "alt" in an empty folder of its own.
fs::path oldFileIn(const char* folderName, const char* fileName)
{
    const fs::path folder = fs::temp_directory_path() / folderName;
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / fileName, std::ios::binary) << "alt";
    return folder / fileName;
}

} // namespace

TEST(AtomicFileWindows, TheNewContentIsNeverDeletedOnceTheOldFileIsGone)
{
    const fs::path target = oldFileIn("tarvek-atomic-replace-test", "Optionen.txt");
    const fs::path folder = target.parent_path();
    detail::setReplaceCall(&oldFileRemoved);
    const auto written = writeFileAtomically(fileNameOf(target), "neu");
    EXPECT_TRUE(written) << written.error().reason;
    EXPECT_EQ(contentOf(target), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    nameTaken = true;
    const auto kept = writeFileAtomically(fileNameOf(target), "neuer");
    detail::setReplaceCall(nullptr);
    ASSERT_FALSE(kept);
    const std::string reason = kept.error().reason;
    // The reason ends with the name of the file that keeps the new content.
    const std::string marker = "steht in der Datei ";
    ASSERT_NE(reason.find(marker), std::string::npos) << reason;
    EXPECT_EQ(contentOf(pathOf(reason.substr(reason.find(marker) + marker.size()))), "neuer");
    fs::remove_all(folder);
}

// The windows hand over names in Qt's form, with "/": an existing file is replaced as under its
// own name.
TEST(AtomicFileWindows, AnExistingFileNamedWithSlashesIsReplaced)
{
    const fs::path target = oldFileIn("tarvek-atomic-slash-test", "Rechnung.pdf");
    const fs::path folder = target.parent_path();
    std::string name = fileNameOf(target);
    std::replace(name.begin(), name.end(), '\\', '/');
    const auto written = writeFileAtomically(name, "neu", WriteTarget::Document);
    EXPECT_TRUE(written) << written.error().reason;
    EXPECT_EQ(contentOf(target), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}
