#pragma once

#include <string>

namespace tarvek {

// The user's own folders for settings and data, where an installed copy keeps its options file
// and its price list (each in a sub-folder "tarvek"). Both end with a separator; empty when the platform
// names no such folder. The lookup is the platform's: UserFoldersXdg.cpp on Linux and other
// Unix systems, UserFoldersWindows.cpp on Windows.
struct UserFolders
{
    std::string config; // Linux: $XDG_CONFIG_HOME, by default ~/.config/
    std::string data;   // Linux: $XDG_DATA_HOME, by default ~/.local/share/

    static UserFolders fromEnvironment();
};

} // namespace tarvek
