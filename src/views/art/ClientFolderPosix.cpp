#include "views/art/ClientFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tarvek::art {

// "C:\Some\Folder" as the folder of drive C in the user's Wine prefix; other values unchanged.
std::filesystem::path ClientFolder::optionFolder(const std::string& value,
                                                 const std::filesystem::path& home)
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

// The usual install folders on drive C of the user's Wine prefix, whose program files folders
// have their English names.
std::vector<std::filesystem::path> ClientFolder::installFolders(const std::filesystem::path& home)
{
    if (home.empty()) {
        return {};
    }
    const std::filesystem::path drive = home / ".wine" / "drive_c";
    return usualFolders({drive / "Program Files (x86)", drive / "Program Files"}, drive);
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
