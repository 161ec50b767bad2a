#pragma once
// Where the program and its files live: a portable or an installed copy, the user's folders.

#include <string>

namespace tarvek {

// Where the program and its files live; the window and tarvek-calc both ask here, and nothing
// else decides it. All folders and files are file name texts (UTF-8 on Windows, see
// base/FileNames.h) and every folder ends with a separator.

// ProgramDir: the folder of the running program file, ending in its separator ("\" on Windows,
// "/" elsewhere). "./" (".\" on Windows) when the system does not tell.
std::string programFolder();

// The user's own folders. Each is empty when the platform names no such folder.
// The lookup is the platform's: ProgramFilesPosix.cpp on Linux and other Unix systems,
// ProgramFilesWindows.cpp on Windows (the known-folder API, not environment variables).
struct UserFolders
{
    // Settings. Linux: $XDG_CONFIG_HOME, by default ~/.config/. Windows: the roaming
    // application-data folder (%APPDATA%), which the uninstaller keeps.
    std::string config;
    // Data such as the downloaded price list. Linux: $XDG_DATA_HOME, by default
    // ~/.local/share/. Windows: the roaming application-data folder as well, beside the settings.
    std::string data;
    // What belongs to this computer only. Windows: the local application-data folder
    // (%LOCALAPPDATA%); empty elsewhere.
    std::string local{};
    // Linux: the user's runtime folder, $XDG_RUNTIME_DIR when it holds an absolute path (it has
    // no default); empty elsewhere.
    std::string runtime{};
    // Linux: what may be thrown away, $XDG_CACHE_HOME, by default ~/.cache/; empty elsewhere.
    std::string cache{};

    // The folders of the user running this program.
    static UserFolders fromEnvironment();
};

// Where the options file and the price list live.
//
// A portable copy (its own folder holds Optionen.txt or a price list, the letter case of either
// name ignored) keeps both beside the program, as the start scripts and a player who unpacks
// Tarvek into a folder of their own use it.
// An installed copy keeps the options file in the user's settings folder and the price list in
// the user's data folder, each in a sub-folder of its own; nothing is written beside the program.
// So does a portable copy whose folder cannot be written (unpacked under "Programme" on Windows,
// where every save would fail): it names that folder in unwritableFolder, and the caller tells
// the user and takes the files it finds there along.
// The caller creates the folders of an installed copy before it writes into them.
struct ProgramFiles
{
    std::string optionsFolder;   // empty: no folder is known
    std::string priceListFolder; // empty: no folder is known
    // The options file that the program reads and writes: the spelling of "Optionen.txt" that
    // exists in optionsFolder, letter case ignored, else optionsFolder + "Optionen.txt". Empty
    // when no folder is known.
    std::string optionsFile;
    bool portable = false;
    // A portable copy's folder that cannot be written (ending in a separator); empty otherwise.
    std::string unwritableFolder{};

    static constexpr const char* OptionsFileName = "Optionen.txt";
    static constexpr const char* PriceListFileName = "Preisliste.txt";
#ifdef _WIN32
    static constexpr const char* SubFolder = "Tarvek\\";
#else
    static constexpr const char* SubFolder = "tarvek/";
#endif

    // The options file of `folder`: the spelling of "Optionen.txt" that exists there, letter case
    // ignored, else folder + "Optionen.txt".
    static std::string optionsFileIn(const std::string& folder);

    // The folder whose price list a run reads: priceListFolder, except for a portable copy in a
    // folder it cannot write whose list has not been taken along into priceListFolder yet (the
    // window takes it along at start): then the list it brought.
    std::string priceListFolderToRead() const;

    // programDir: the folder of the program file, with or without a trailing separator.
    // writable: whether a folder can be written (folderIsWritable).
    static ProgramFiles locate(const std::string& programDir, const UserFolders& user,
                               bool (*writable)(const std::string& folder));
    // locate() with the user folders of the running system.
    static ProgramFiles locate(const std::string& programDir);
};

// The folder of the single-instance lock and of the running copy's socket: one that belongs to
// the user alone, so that no other user of the computer can take the lock first (and so keep
// everyone else's Tarvek from starting) or listen in the running copy's place (and so catch the
// files that later starts hand over). One per user, whether the copy is portable or installed,
// and one whatever else the environment of a start holds: a copy started from the desktop and one
// started from a terminal without $XDG_RUNTIME_DIR meet at the same lock.
//   Linux and other Unix systems: tarvek/instance/ in the user's cache folder, made with mode
//   0700 where missing. That folder must be this user's own with mode 0700, and every folder
//   above it, up to the root (both as named and where a symbolic link leads), must be writable
//   by no other user (or have the sticky bit, as /tmp has). Checked at every call. The socket
//   goes to $XDG_RUNTIME_DIR when it is a folder of this user with mode 0700 (without a cache
//   folder the lock too); the lock file names it for later starts.
//   Windows: %LOCALAPPDATA%\Tarvek\. Nothing is written there: the lock is a named mutex and
//   the socket a named pipe whose name carries the user's account and session.
struct InstanceFolder
{
    // The lock's folder. Ends in a separator; empty when no such folder can be had.
    std::string folder;
    // Why not (German, naming the folder and the system's reason); empty with a folder.
    std::string error;
    // Where the running copy's socket goes when not beside the lock; ends in a separator; empty:
    // beside the lock.
    std::string socketFolder{};

    static InstanceFolder of(const UserFolders& user);
    // of() with the user folders of the running system.
    static InstanceFolder ofUser();
};

} // namespace tarvek
