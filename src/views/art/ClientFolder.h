#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::art {

// The install folders of the client's setup programs over the years, newest first: inside the
// program files folders (the 32-bit one first, since the setups are 32-bit programs), then
// directly on the system drive.
inline constexpr std::array<std::string_view, 5> kUsualProgramFolders = {
    "Electronic Arts/Ultima Online Classic",
    "EA Games/Ultima Online Classic",
    "EA Games/Ultima Online Mondain's Legacy",
    "EA Games/Ultima Online 2D",
    "Ultima Online",
};
inline constexpr std::array<std::string_view, 2> kUsualDriveFolders = {
    "Ultima Online Classic",
    "Ultima Online",
};

// Where the game client's art files are: the folder of the option "Clientpfad", else where the
// client is installed. On Windows that is the folder the client's setup recorded in the registry,
// then the usual install folders in the system's program files folders and on the system drive;
// elsewhere the usual install folders inside the user's Wine prefix.
class ClientFolder
{
public:
    // The file `name` in `folder`, its name matched without regard to case (the client comes from
    // a system where case does not count); nothing when there is none.
    static std::optional<std::filesystem::path> findFile(const std::filesystem::path& folder,
                                                         const std::string& name);
    // Whether `folder` holds artLegacyMUL.uop or both artidx.mul and art.mul.
    static bool holdsArtFiles(const std::filesystem::path& folder);

    // The folders looked at, in order: the option's folder, then the install folders. The option
    // is a file name text (UTF-8 on Windows).
    static std::vector<std::filesystem::path> candidates(const std::string& clientPathOption,
                                                         const std::filesystem::path& home);
    // The first candidate that holds art files.
    static std::optional<std::filesystem::path> find(const std::string& clientPathOption,
                                                     const std::filesystem::path& home);
    // The user's home folder (empty when unknown; not used on Windows).
    static std::filesystem::path homeFolder();

private:
    // The folder that the option names. Outside Windows, a drive path such as
    // "C:\Programme\UO" is taken inside the Wine prefix in `home`.
    static std::filesystem::path optionFolder(const std::string& value,
                                              const std::filesystem::path& home);
    // Where the client may be installed, in the order they are looked at.
    static std::vector<std::filesystem::path> installFolders(const std::filesystem::path& home);
    // The usual install folders inside these program files folders, then on this drive.
    static std::vector<std::filesystem::path>
    usualFolders(const std::vector<std::filesystem::path>& programFiles,
                 const std::filesystem::path& drive);
};

} // namespace tarvek::art
