#include "base/ProgramFiles.h"

#include "base/FileNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "support/engine/RegistryText.h"
#endif

using namespace tarvek;
namespace fs = std::filesystem;

// The program's folder lies beyond the code page, as a player's own folder may.
TEST(ProgramFiles, InstalledCopyUsesTheUsersFoldersAndPortableOneItsOwn)
{
    const fs::path top = fs::temp_directory_path() / "tarvek-program-files-test";
    const fs::path dir = top / u8"Jörg Ω";
    fs::remove_all(top);
    fs::create_directories(dir);
    const std::string config = "/home/spieler/.config/";
    const UserFolders user{config, "/home/spieler/.local/share/", "/var/lokal/"};

    // A folder without either file is an installed program's folder, whatever its rights.
    ProgramFiles files = ProgramFiles::locate(fileNameOf(dir), user, folderIsWritable);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.optionsFolder, config + ProgramFiles::SubFolder);
    EXPECT_EQ(files.priceListFolder,
              std::string("/home/spieler/.local/share/") + ProgramFiles::SubFolder);
    EXPECT_EQ(files.optionsFile, files.optionsFolder + "Optionen.txt");

    // A price list of any letter case, or the options file, keeps both files beside the program.
    std::ofstream(dir / "PREISLISTE.TXT").put('\n');
    files = ProgramFiles::locate(fileNameOf(dir), user, folderIsWritable);
    EXPECT_TRUE(files.portable);
    EXPECT_EQ(pathOf(files.optionsFolder), dir / "");
    EXPECT_EQ(pathOf(files.priceListFolder), dir / "");
    EXPECT_EQ(pathOf(files.optionsFile), dir / "Optionen.txt");
    fs::remove(dir / "PREISLISTE.TXT");
    // The spelling of the options file that is there is the one read and written.
    std::ofstream(dir / "OPTIONEN.TXT").put('\n');
    files = ProgramFiles::locate(fileNameOf(dir / ""), user, folderIsWritable);
    EXPECT_TRUE(files.portable);
    EXPECT_EQ(pathOf(files.optionsFile), dir / "OPTIONEN.TXT");
    EXPECT_EQ(files.unwritableFolder, "");
    // A portable copy in a folder it cannot write keeps its files as an installed copy does.
    files = ProgramFiles::locate(fileNameOf(dir), user, [](const std::string&) { return false; });
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(pathOf(files.unwritableFolder), dir / "");
    EXPECT_EQ(files.optionsFile, config + ProgramFiles::SubFolder + "Optionen.txt");
    // Until the window has taken the price list along, a run reads it where it was brought.
    std::ofstream(dir / "Preisliste.txt").put('\n');
    const UserFolders temporary{fileNameOf(top / "konfig" / ""), fileNameOf(top / "daten" / ""),
                                fileNameOf(top / "lokal" / "")};
    files =
        ProgramFiles::locate(fileNameOf(dir), temporary, [](const std::string&) { return false; });
    EXPECT_EQ(pathOf(files.priceListFolderToRead()), dir / "");
    fs::create_directories(pathOf(files.priceListFolder));
    std::ofstream(pathOf(files.priceListFolder) / "Preisliste.txt").put('\n');
    EXPECT_EQ(files.priceListFolderToRead(), files.priceListFolder);
    fs::remove(dir / "Preisliste.txt");
    // The real check makes and removes a file, and leaves nothing behind.
    EXPECT_TRUE(folderIsWritable(fileNameOf(dir)));
    EXPECT_FALSE(folderIsWritable(fileNameOf(dir / "fehlt")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(top);
}

#ifdef _WIN32
// An installed copy keeps both files in the user's roaming folder as the system names it (here
// moved into a folder beyond the code page), whatever %APPDATA% says.
TEST(ProgramFiles, WindowsInstalledCopyKeepsItsFilesInTheRoamingFolder)
{
    const fs::path top = fs::temp_directory_path() / L"tarvek-roaming-test";
    const fs::path own = top / L"Jörg Ω" / L"Tarvek";
    fs::create_directories(own);
    std::ofstream(own / L"optionen.txt").put('\n');
    _wputenv_s(L"APPDATA", L"C:\\nirgends");
    const auto shellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const ProgramFiles files = [&] {
        const RegistryText moved(HKEY_CURRENT_USER, shellFolders, L"AppData", own.parent_path());
        return ProgramFiles::locate(fileNameOf(top));
    }();
    fs::remove_all(top);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(pathOf(files.optionsFolder), own / L"");
    EXPECT_EQ(files.priceListFolder, files.optionsFolder);
    EXPECT_EQ(pathOf(files.optionsFile), own / L"optionen.txt");
    const InstanceFolder instance = InstanceFolder::ofUser();
    EXPECT_EQ(pathOf(instance.folder).parent_path().filename(), L"Tarvek");
    EXPECT_NE(instance.folder, files.optionsFolder);
    EXPECT_EQ(instance.error, "");
}

// The lock's folder on Windows only stands for the user's copy in the names of the mutex and the
// pipe: the local application-data folder's own.
TEST(InstanceFolder, WindowsTakesTheLocalApplicationDataFolder)
{
    const UserFolders user{"C:\\R\\", "C:\\R\\", "C:\\Lokal\\"};
    EXPECT_EQ(InstanceFolder::of(user).folder, "C:\\Lokal\\Tarvek\\");
    EXPECT_NE(InstanceFolder::of(UserFolders{}).error, "");
}
#else
TEST(ProgramFiles, XdgVariablesCountOnlyAsAbsolutePaths)
{
    // The variables as the test sets them, whatever the environment it runs in holds; each is
    // put back afterwards.
    const std::vector<std::pair<const char*, const char*>> test = {
        {"HOME", "/home/spieler"},
        {"XDG_CONFIG_HOME", "/srv/einstellungen"},
        {"XDG_DATA_HOME", "relativ/daten"},
        {"XDG_CACHE_HOME", nullptr}};
    std::vector<std::optional<std::string>> before;
    for (const auto& [name, value] : test) {
        const char* old = std::getenv(name);
        before.push_back(old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    const UserFolders user = UserFolders::fromEnvironment();
    for (std::size_t i = 0; i < test.size(); ++i) {
        if (before[i]) {
            setenv(test[i].first, before[i]->c_str(), 1);
        } else {
            unsetenv(test[i].first);
        }
    }

    EXPECT_EQ(user.config, "/srv/einstellungen/");
    EXPECT_EQ(user.data, "/home/spieler/.local/share/");
    EXPECT_EQ(user.cache, "/home/spieler/.cache/");
}

// The lock's folder in the cache folder (the single-instance tests try the rest through the
// program): a cache folder with the sticky bit, where no one may replace another's entries, is
// fine; a symbolic link in the folder's place is not the folder, even to one of the user's alone.
TEST(InstanceFolder, IsAFolderOfTheUsersAloneNotALink)
{
    const fs::path top = fs::temp_directory_path() / "tarvek-instance-folder-test";
    fs::remove_all(top);
    fs::create_directories(top / "gemeinsam");
    fs::permissions(top / "gemeinsam", fs::perms::all | fs::perms::sticky_bit);
    UserFolders user{{}, {}, {}, {}, fileNameOf(top / "gemeinsam")};
    const InstanceFolder shared = InstanceFolder::of(user);
    EXPECT_EQ(shared.error, "");
    EXPECT_EQ(shared.folder, fileNameOf(top / "gemeinsam" / "tarvek" / "instance") + "/");

    user.cache = fileNameOf(top / "verlinkt");
    fs::create_directories(top / "verlinkt" / "tarvek");
    fs::create_directory_symlink(top / "gemeinsam" / "tarvek" / "instance",
                                 top / "verlinkt" / "tarvek" / "instance");
    EXPECT_EQ(InstanceFolder::of(user).error,
              "Der Ordner " + fileNameOf(top / "verlinkt" / "tarvek" / "instance") +
                  " für die Sperrdatei von Tarvek ist kein Ordner. Er muss dem Benutzer allein "
                  "gehören (Rechte 0700).");
    EXPECT_NE(InstanceFolder::of(UserFolders{}).error, "");
    fs::remove_all(top);
}
#endif

// Messages name files in the system's own form, whatever the name was given in.
TEST(FileNames, MessagesShowNamesInTheSystemsOwnForm)
{
#ifdef _WIN32
    EXPECT_EQ(shownFileName("Z:/Spiele/Tarvek\\/fehlt.cfg"), "Z:\\Spiele\\Tarvek\\fehlt.cfg");
    EXPECT_EQ(shownFileName("//server/freigabe/Haus.cfg"), "\\\\server\\freigabe\\Haus.cfg");
#else
    EXPECT_EQ(shownFileName("/home/spieler//Haus.cfg"), "/home/spieler//Haus.cfg");
#endif
    // A stranger's name: its controls, direction marks and broken UTF-8 as a message shows a
    // file's text (displayText), so that "Haus\u202Egfc.exe" does not read "Hausexe.cfg".
    EXPECT_EQ(shownFileName("Haus\xE2\x80\xAEgfc\x1b\xFF.exe"), "Haus\uFFFDgfc\u241B\uFFFD.exe");
}
