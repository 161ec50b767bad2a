#include "pricing/ProgramFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvek;
namespace fs = std::filesystem;

namespace {

class ProgramFilesTest : public ::testing::Test
{
protected:
    ProgramFilesTest()
        : m_dir(fs::temp_directory_path() / ("tarvek-files-" + std::to_string(getpid())))
    {
        fs::create_directories(m_dir);
    }
    ~ProgramFilesTest() override { fs::remove_all(m_dir); }

    void touch(const std::string& name) const { std::ofstream(m_dir / name) << ""; }
    std::string dir() const { return m_dir.string(); }

    const UserFolders m_user{"/home/spieler/.config/", "/home/spieler/.local/share/"};
    fs::path m_dir;
};

} // namespace

TEST_F(ProgramFilesTest, InstalledCopyUsesTheUsersFoldersAndPortableOneItsOwn)
{
    // A folder without either file is an installed program's folder, whatever its rights.
    ProgramFiles files = ProgramFiles::locate(dir(), m_user);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.optionsFolder, "/home/spieler/.config/tarvek/");
    EXPECT_EQ(files.priceListFolder, "/home/spieler/.local/share/tarvek/");

    // A price list of any letter case makes the copy portable: both files live beside it.
    touch("PREISLISTE.TXT");
    files = ProgramFiles::locate(dir(), m_user);
    EXPECT_TRUE(files.portable);
    EXPECT_EQ(files.optionsFolder, dir() + "/");
    EXPECT_EQ(files.priceListFolder, dir() + "/");

    fs::remove(m_dir / "PREISLISTE.TXT");
    touch("Optionen.txt");
    EXPECT_TRUE(ProgramFiles::locate(dir() + "/", m_user).portable);
}

TEST_F(ProgramFilesTest, XdgVariablesCountOnlyAsAbsolutePathsElseTheDefaultsUnderHome)
{
    const auto setEnv = [](const char* name, const char* value) {
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    };
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setEnv("HOME", "/home/spieler");
    setEnv("XDG_CONFIG_HOME", "/srv/einstellungen");
    setEnv("XDG_DATA_HOME", "relativ/daten");
    const UserFolders user = UserFolders::fromEnvironment();
    setEnv("XDG_CONFIG_HOME", nullptr);
    setEnv("XDG_DATA_HOME", nullptr);
    setEnv("HOME", home.empty() ? nullptr : home.c_str());

    EXPECT_EQ(user.config, "/srv/einstellungen/");
    EXPECT_EQ(user.data, "/home/spieler/.local/share/");
}
