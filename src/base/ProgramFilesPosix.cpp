#include "base/ProgramFiles.h"

#include "base/SystemReason.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

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

// $XDG_RUNTIME_DIR has no default: without it (or with a relative path) there is none.
std::string runtimeFolder()
{
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    return value != nullptr && *value == '/' ? withSlash(value) : std::string();
}

// A folder as the system calls take it: without the closing "/", which would make lstat() follow
// a symbolic link. "/" stays.
std::string withoutSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string modeText(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// The status of `folder` (of a symbolic link itself unless followLink), or why it has none that
// is a folder's; worded to follow "Der Ordner X ...".
std::string folderStatus(const std::string& folder, bool followLink, struct stat& status)
{
    const std::string name = withoutSlash(folder);
    if ((followLink ? stat(name.c_str(), &status) : lstat(name.c_str(), &status)) != 0) {
        return "ist nicht zugänglich. " + systemReason(errno);
    }
    return S_ISDIR(status.st_mode) ? std::string() : "ist kein Ordner";
}

// What keeps `folder` from belonging to this user alone; empty when it is a folder (not a symbolic
// link to one) owned by this user with mode 0700. Worded to follow "Der Ordner X ...".
std::string privateFolderProblem(const std::string& folder)
{
    struct stat status
    {};
    if (std::string problem = folderStatus(folder, false, status); !problem.empty()) {
        return problem;
    }
    if (status.st_uid != geteuid()) {
        return "gehört einem anderen Benutzer";
    }
    if ((status.st_mode & 07777) != 0700) {
        return "hat die Rechte " + modeText(status.st_mode) + " statt 0700";
    }
    return {};
}

// A group that stands for this user alone: their own primary group of their own name without
// further members, as systems with a group per user make it (where a folder made under the umask
// 002 is writable by it).
bool isOwnGroup(gid_t id)
{
    if (id != getegid()) {
        return false;
    }
    const passwd* account = getpwuid(geteuid());
    const group* entry = getgrgid(id);
    return account != nullptr && entry != nullptr && account->pw_name != nullptr &&
           entry->gr_name != nullptr && std::string(account->pw_name) == entry->gr_name &&
           (entry->gr_mem == nullptr || entry->gr_mem[0] == nullptr);
}

// What lets another user replace what this user makes in `folder` (rename the folder made there
// and put one of their own in its place); empty when the folder belongs to this user or to the
// system and no other user may write in it, or when its sticky bit keeps everyone to their own
// entries (as in /tmp). A symbolic link to such a folder is fine: the cache folder may live on
// another disk.
std::string parentFolderProblem(const std::string& folder)
{
    struct stat status
    {};
    if (std::string problem = folderStatus(folder, true, status); !problem.empty()) {
        return problem;
    }
    if (status.st_uid != geteuid() && status.st_uid != 0) {
        return "gehört einem anderen Benutzer";
    }
    const bool othersWrite = (status.st_mode & S_IWOTH) != 0 ||
                             ((status.st_mode & S_IWGRP) != 0 && !isOwnGroup(status.st_gid));
    if (othersWrite && (status.st_mode & S_ISVTX) == 0) {
        return "ist für andere Benutzer beschreibbar (Rechte " + modeText(status.st_mode) + ")";
    }
    return {};
}

std::string folderText(const std::string& folder)
{
    return "Der Ordner " + withoutSlash(folder);
}

// The folders above `folder` (an absolute path, with or without its closing "/") up to the root,
// nearest first.
std::vector<std::string> foldersAbove(const std::string& folder)
{
    std::vector<std::string> above;
    std::string path = withoutSlash(folder);
    for (std::size_t slash = path.rfind('/'); slash != std::string::npos && path != "/";
         slash = path.rfind('/')) {
        path = slash == 0 ? "/" : path.substr(0, slash);
        above.push_back(path);
    }
    return above;
}

// The folders above `folder` as named and, where a symbolic link leads elsewhere, above the
// folder it leads to: whoever may write in any of them could put a folder of their own in place.
std::vector<std::string> foldersAboveAnyWay(const std::string& folder)
{
    std::vector<std::string> above = foldersAbove(folder);
    if (char* resolved = realpath(withoutSlash(folder).c_str(), nullptr)) {
        for (std::string& also : foldersAbove(resolved)) {
            above.push_back(std::move(also));
        }
        free(resolved);
    }
    return above;
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
    return UserFolders{xdgFolder("XDG_CONFIG_HOME", ".config/"),
                       xdgFolder("XDG_DATA_HOME", ".local/share/"),
                       {},
                       runtimeFolder(),
                       xdgFolder("XDG_CACHE_HOME", ".cache/")};
}

InstanceFolder InstanceFolder::of(const UserFolders& user)
{
    // The runtime folder holds the socket where it is the user's alone: a socket's name has room
    // for about a hundred bytes, and a home folder on a network may not hold sockets at all.
    const bool runtime = !user.runtime.empty() && privateFolderProblem(user.runtime).empty();
    const std::string socketFolder = runtime ? withSlash(user.runtime) : std::string();
    if (user.cache.empty() && runtime) {
        return {socketFolder, {}};
    }
    if (user.cache.empty()) {
        return {{},
                "Tarvek findet keinen Ordner für seine Sperrdatei: Weder XDG_RUNTIME_DIR noch der "
                "Home-Ordner des Benutzers ist bekannt."};
    }
    const std::string cache = withSlash(user.cache);
    const std::string own = cache + ProgramFiles::SubFolder;
    const std::string folder = own + "instance/";
    // Each folder that is missing is made for this user alone (the umask may take bits away,
    // none are added).
    for (const std::string& made : {cache, own, folder}) {
        const std::string path = withoutSlash(made);
        if (mkdir(path.c_str(), 0700) == 0) {
            chmod(path.c_str(), 0700);
        } else if (errno != EEXIST) {
            return {{},
                    folderText(made) +
                        " für die Sperrdatei von Tarvek kann nicht angelegt "
                        "werden. " +
                        systemReason(errno)};
        }
    }
    for (const std::string& parent : foldersAboveAnyWay(folder)) {
        if (const std::string problem = parentFolderProblem(parent); !problem.empty()) {
            return {{},
                    folderText(parent) + ", in dem Tarvek seine Sperrdatei anlegt, " + problem +
                        "."};
        }
    }
    if (const std::string problem = privateFolderProblem(folder); !problem.empty()) {
        return {{},
                folderText(folder) + " für die Sperrdatei von Tarvek " + problem +
                    ". Er muss dem Benutzer allein gehören (Rechte 0700)."};
    }
    return {folder, {}, socketFolder};
}

} // namespace tarvek
