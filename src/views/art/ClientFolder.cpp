#include "views/art/ClientFolder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace tarvek::art {

namespace {

// The install folders of the client's setup programs over the years, newest first, relative to
// the C: drive of a Wine prefix.
constexpr std::array<std::string_view, 12> kInstallFolders = {
    "Program Files (x86)/Electronic Arts/Ultima Online Classic",
    "Program Files/Electronic Arts/Ultima Online Classic",
    "Program Files (x86)/EA Games/Ultima Online Classic",
    "Program Files/EA Games/Ultima Online Classic",
    "Program Files (x86)/EA Games/Ultima Online Mondain's Legacy",
    "Program Files/EA Games/Ultima Online Mondain's Legacy",
    "Program Files (x86)/EA Games/Ultima Online 2D",
    "Program Files/EA Games/Ultima Online 2D",
    "Program Files (x86)/Ultima Online",
    "Program Files/Ultima Online",
    "Ultima Online Classic",
    "Ultima Online",
};

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "C:\Some\Folder" as the folder of drive C in the user's Wine prefix; other values unchanged.
std::filesystem::path optionFolder(const std::string& value, const std::filesystem::path& home)
{
    const bool drivePath = value.size() >= 2 &&
                           std::isalpha(static_cast<unsigned char>(value[0])) && value[1] == ':' &&
                           (value.size() == 2 || value[2] == '\\' || value[2] == '/');
    if (!drivePath) {
        return value;
    }
    std::string rest = value.substr(std::min<std::size_t>(3, value.size()));
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const std::string drive =
        std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(value[0])))) + ":";
    return home / ".wine" / "dosdevices" / drive / rest;
}

} // namespace

std::optional<std::filesystem::path> ClientFolder::findFile(const std::filesystem::path& folder,
                                                            const std::string& name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::is_regular_file(exact, error)) {
        return exact;
    }
    const std::string wanted = lower(name);
    std::filesystem::directory_iterator entries(folder, error);
    for (const auto end = std::filesystem::directory_iterator(); !error && entries != end;
         entries.increment(error)) {
        if (lower(entries->path().filename().string()) == wanted &&
            entries->is_regular_file(error)) {
            return entries->path();
        }
    }
    return std::nullopt;
}

bool ClientFolder::holdsArtFiles(const std::filesystem::path& folder)
{
    return findFile(folder, "artLegacyMUL.uop") ||
           (findFile(folder, "artidx.mul") && findFile(folder, "art.mul"));
}

std::vector<std::filesystem::path> ClientFolder::candidates(const std::string& clientPathOption,
                                                            const std::filesystem::path& home)
{
    std::vector<std::filesystem::path> folders;
    const std::string option = trimmed(clientPathOption);
    if (!option.empty()) {
        folders.push_back(optionFolder(option, home));
    }
    if (!home.empty()) {
        const std::filesystem::path drive = home / ".wine" / "drive_c";
        for (const std::string_view folder : kInstallFolders) {
            folders.push_back(drive / folder);
        }
    }
    return folders;
}

std::optional<std::filesystem::path> ClientFolder::find(const std::string& clientPathOption,
                                                        const std::filesystem::path& home)
{
    for (const auto& folder : candidates(clientPathOption, home)) {
        if (holdsArtFiles(folder)) {
            return folder;
        }
    }
    return std::nullopt;
}

std::filesystem::path ClientFolder::homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return {};
}

} // namespace tarvek::art
