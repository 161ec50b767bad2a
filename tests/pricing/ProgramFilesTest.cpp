#include "pricing/ProgramFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace tarvek;
namespace fs = std::filesystem;

TEST(ProgramFiles, InstalledCopyUsesTheUsersFoldersAndPortableOneItsOwn)
{
    const fs::path dir = fs::temp_directory_path() / "tarvek-program-files-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const UserFolders user{"/home/spieler/.config/", "/home/spieler/.local/share/"};

    // A folder without either file is an installed program's folder, whatever its rights.
    ProgramFiles files = ProgramFiles::locate(dir.string(), user);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.optionsFolder, "/home/spieler/.config/tarvek/");
    EXPECT_EQ(files.priceListFolder, "/home/spieler/.local/share/tarvek/");

    // A price list of any letter case, or the options file, keeps both files beside the program.
    std::ofstream(dir / "PREISLISTE.TXT").put('\n');
    files = ProgramFiles::locate(dir.string(), user);
    EXPECT_TRUE(files.portable);
    EXPECT_EQ(files.optionsFolder, dir.string() + "/");
    EXPECT_EQ(files.priceListFolder, dir.string() + "/");
    fs::remove(dir / "PREISLISTE.TXT");
    std::ofstream(dir / "Optionen.txt").put('\n');
    EXPECT_TRUE(ProgramFiles::locate(dir.string() + "/", user).portable);
    fs::remove_all(dir);
}

#ifdef _WIN32
TEST(ProgramFiles, WindowsUserFoldersKeepNamesBeyondTheCodePage)
{
    _wputenv_s(L"APPDATA", L"C:\\Users\\Jörg Ω\\AppData\\Roaming");
    _wputenv_s(L"LOCALAPPDATA", L"C:\\Users\\Jörg Ω\\AppData\\Local\\");
    const UserFolders user = UserFolders::fromEnvironment();
    EXPECT_EQ(user.config, "C:\\Users\\J\u00f6rg \u03a9\\AppData\\Roaming\\");
    EXPECT_EQ(user.data, "C:\\Users\\J\u00f6rg \u03a9\\AppData\\Local\\");
}
#else
TEST(ProgramFiles, XdgVariablesCountOnlyAsAbsolutePaths)
{
    const char* const oldHome = std::getenv("HOME");
    const std::string home = oldHome != nullptr ? oldHome : "";
    setenv("HOME", "/home/spieler", 1);
    setenv("XDG_CONFIG_HOME", "/srv/einstellungen", 1);
    setenv("XDG_DATA_HOME", "relativ/daten", 1);
    const UserFolders user = UserFolders::fromEnvironment();
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", home.c_str(), 1);

    EXPECT_EQ(user.config, "/srv/einstellungen/");
    EXPECT_EQ(user.data, "/home/spieler/.local/share/");
}
#endif
