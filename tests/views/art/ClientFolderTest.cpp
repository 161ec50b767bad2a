#include "ArtFiles.h"

#include "base/FileNames.h"
#include "views/art/ArtSource.h"
#include "views/art/ClientFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include "support/engine/RegistryText.h"
#endif

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

class ClientFolderTest : public ::testing::Test
{
protected:
    std::filesystem::path drive() const { return m_home.path() / ".wine" / "drive_c"; }

    // A client folder with a legacy pair, or with only artidx.mul when `complete` is false.
    std::filesystem::path makeClient(const std::filesystem::path& folder, bool complete = true)
    {
        writeMulPair(folder, {}, 4);
        if (!complete) {
            std::filesystem::remove(folder / "art.mul");
        }
        return folder;
    }

    TempFolder m_home;
};

TEST_F(ClientFolderTest, RecognisesFoldersWithArtFiles)
{
    EXPECT_FALSE(ClientFolder::holdsArtFiles(m_home.path()));
    EXPECT_FALSE(ClientFolder::holdsArtFiles(m_home.path() / "missing"));
    EXPECT_FALSE(ClientFolder::holdsArtFiles(makeClient(m_home.path() / "half", false)));
    EXPECT_TRUE(ClientFolder::holdsArtFiles(makeClient(m_home.path() / "pair")));
    writeFile(m_home.path() / "uop" / "ARTLEGACYMUL.UOP", makeUop({}));
    EXPECT_TRUE(ClientFolder::holdsArtFiles(m_home.path() / "uop"));
    // A folder named like the file is no file.
    std::filesystem::create_directories(m_home.path() / "dir" / "artLegacyMUL.uop");
    EXPECT_FALSE(ClientFolder::holdsArtFiles(m_home.path() / "dir"));
}

// Outside Windows the client runs under Wine: its usual install folders are searched inside the
// user's Wine prefix, and drive paths of the option are taken there too.
#ifndef _WIN32
TEST_F(ClientFolderTest, LooksAtTheOptionFirstThenTheInstallFoldersInOrder)
{
    const auto candidates = ClientFolder::candidates("  /opt/uo  ", m_home.path());
    ASSERT_GE(candidates.size(), 3u);
    EXPECT_EQ(candidates[0], "/opt/uo");
    EXPECT_EQ(candidates[1], drive() / "Program Files (x86)/Electronic Arts/Ultima Online Classic");
    EXPECT_EQ(candidates[2], drive() / "Program Files/Electronic Arts/Ultima Online Classic");
    EXPECT_EQ(ClientFolder::candidates("", m_home.path()).size(), candidates.size() - 1);
    EXPECT_TRUE(ClientFolder::candidates("", "").empty());

    EXPECT_EQ(ClientFolder::find("", m_home.path()), std::nullopt);

    // A later install folder is found; an earlier one without art files is passed over, and an
    // earlier one with them wins.
    const auto old = makeClient(drive() / "Program Files/Ultima Online");
    makeClient(drive() / "Program Files/Electronic Arts/Ultima Online Classic", false);
    EXPECT_EQ(ClientFolder::find("", m_home.path()), old);
    const auto classic = makeClient(drive() / "Program Files (x86)/EA Games/Ultima Online Classic");
    EXPECT_EQ(ClientFolder::find("", m_home.path()), classic);

    // The option's folder comes first when it holds art files, and is passed over when not.
    const auto chosen = makeClient(m_home.path() / "Spiele" / "UO");
    EXPECT_EQ(ClientFolder::find(chosen.string(), m_home.path()), chosen);
    EXPECT_EQ(ClientFolder::find((m_home.path() / "Spiele").string(), m_home.path()), classic);
}

TEST_F(ClientFolderTest, TakesDrivePathsInsideTheWinePrefix)
{
    const auto candidates = ClientFolder::candidates("D:\\Spiele\\UO\\", m_home.path());
    EXPECT_EQ(candidates[0], m_home.path() / ".wine/dosdevices/d:/Spiele/UO/");
    EXPECT_EQ(ClientFolder::candidates("c:", m_home.path())[0],
              m_home.path() / ".wine/dosdevices/c:/");
    // "C:Spiele" is relative to a drive's current folder; it is taken as it stands.
    EXPECT_EQ(ClientFolder::candidates("C:Spiele", m_home.path())[0], "C:Spiele");

    const auto client = makeClient(drive() / "Spiele" / "UO");
    std::filesystem::create_directories(m_home.path() / ".wine" / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", m_home.path() / ".wine/dosdevices/c:");
    EXPECT_EQ(ClientFolder::find("C:\\Spiele\\UO", m_home.path()),
              m_home.path() / ".wine/dosdevices/c:/Spiele/UO");
}

TEST_F(ClientFolderTest, LocateOpensTheFoundFolderOrStaysClosed)
{
    const char* const savedHome = std::getenv("HOME");
    const std::string saved = savedHome != nullptr ? savedHome : "";
    ::setenv("HOME", m_home.path().c_str(), 1);

    EXPECT_FALSE(ArtSource::locate("")->isOpen());
    EXPECT_TRUE(ArtSource::locate("")->itemArt(0).empty());
    const auto client = drive() / "Program Files/Ultima Online";
    writeMulPair(client, {{0x4000, encodeItemArt(1, 1, {0x7FFF})}}, 0x4001);
    const auto source = ArtSource::locate("/nowhere");
    EXPECT_TRUE(source->isOpen());
    EXPECT_EQ(source->folder(), client);
    EXPECT_EQ(source->itemArt(0).pixels, std::vector<std::uint32_t>{0xFFFFFFFFu});

    if (savedHome != nullptr) {
        ::setenv("HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
}

#else
// On Windows the client's setup records its folder in the registry; it is looked at after the
// option's folder and before the usual install folders. Both names lie beyond the code page.
TEST_F(ClientFolderTest, OptionThenTheFolderTheSetupRecorded)
{
    const auto recorded = m_home.path() / L"Größe";
    writeMulPair(recorded, {{0x4000, encodeItemArt(1, 1, {0x7FFF})}}, 0x4001);
    const wchar_t* const key = L"SOFTWARE\\Electronic Arts\\EA Games\\Ultima Online Classic";
    const std::wstring value = recorded.wstring();
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);

    const auto found = ClientFolder::find("", {});
    const auto source = ArtSource(recorded);
    const auto chosen = makeClient(m_home.path() / L"Ω");
    const auto option = ClientFolder::find(tarvek::fileNameOf(chosen), {});
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);

    EXPECT_EQ(found, recorded);
    EXPECT_EQ(source.itemArt(0).pixels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(option, chosen);
    EXPECT_EQ(ClientFolder::find("", {}), std::nullopt);
}

// The usual install folders lie in the program files folders as the system names them: here the
// 32-bit one is a folder with "ü" in its name, not the English "Program Files (x86)".
TEST_F(ClientFolderTest, UsualInstallFolderInTheProgramFilesFolderTheSystemNames)
{
    const auto programFiles = m_home.path() / L"Programme für Spiele";
    const auto client = programFiles / L"EA Games" / L"Ultima Online Classic";
    writeMulPair(client, {{0x4000, encodeItemArt(1, 1, {0x7FFF})}}, 0x4001);
    std::shared_ptr<const ArtSource> source;
    {
        const RegistryText moved(HKEY_LOCAL_MACHINE,
                                 L"Software\\Microsoft\\Windows\\CurrentVersion",
                                 L"ProgramFilesDir (x86)", programFiles.wstring());
        ASSERT_TRUE(moved.isSet());
        source = ArtSource::locate("");
    }
    EXPECT_EQ(source->folder(), client);
    EXPECT_EQ(source->itemArt(0).pixels, std::vector<std::uint32_t>{0xFFFFFFFFu});
}
#endif

} // namespace
