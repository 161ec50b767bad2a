#include "pricing/ProgramFiles.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tarvek {

std::string programFolder()
{
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) {
        return "./";
    }
    path.resize(static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

namespace {

std::string withSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string home()
{
    if (const char* value = std::getenv("HOME"); value != nullptr && *value == '/') {
        return value;
    }
    // No usable HOME: the home folder of the user's account.
    if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir) {
        return account->pw_dir;
    }
    return {};
}

// An XDG variable counts only when it holds an absolute path; otherwise its default applies.
std::string xdgFolder(const char* variable, const char* underHome)
{
    if (const char* value = std::getenv(variable); value != nullptr && *value == '/') {
        return withSlash(value);
    }
    const std::string base = home();
    return base.empty() ? std::string() : withSlash(base) + underHome;
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
    return UserFolders{xdgFolder("XDG_CONFIG_HOME", ".config/"),
                       xdgFolder("XDG_DATA_HOME", ".local/share/")};
}

} // namespace tarvek
