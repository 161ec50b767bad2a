#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::art {

// Where the game client's art files are: the folder of the option "Clientpfad", else the usual
// install folders of the client inside the user's Wine prefix.
class ClientFolder
{
public:
    // The file `name` in `folder`, its name matched without regard to case (the client comes from
    // a system where case does not count); nothing when there is none.
    static std::optional<std::filesystem::path> findFile(const std::filesystem::path& folder,
                                                         const std::string& name);
    // Whether `folder` holds artLegacyMUL.uop or both artidx.mul and art.mul.
    static bool holdsArtFiles(const std::filesystem::path& folder);

    // The folders looked at, in order: the option's folder (a drive path such as
    // "C:\Programme\UO" is taken inside the Wine prefix), then the usual install folders.
    static std::vector<std::filesystem::path> candidates(const std::string& clientPathOption,
                                                         const std::filesystem::path& home);
    // The first candidate that holds art files.
    static std::optional<std::filesystem::path> find(const std::string& clientPathOption,
                                                     const std::filesystem::path& home);
    // The user's home folder (empty when unknown).
    static std::filesystem::path homeFolder();
};

} // namespace tarvek::art
