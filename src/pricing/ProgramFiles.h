#pragma once

#include <string>

namespace tarvek {

// Where the program and its files live; the window and tarvek-calc both ask here.

// ProgramDir: the folder of the running program file, ending in its separator ("\" on Windows,
// "/" elsewhere), as a file name text (UTF-8 on Windows). "./" when the system does not tell.
std::string programFolder();

// The user's own folders for settings and data, where an installed copy keeps its options file
// and its price list. Both end with a separator; empty when the platform names no such folder.
// The lookup is the platform's: ProgramFilesPosix.cpp on Linux and other Unix systems,
// ProgramFilesWindows.cpp on Windows.
struct UserFolders
{
    std::string config; // Linux: $XDG_CONFIG_HOME, by default ~/.config/
    std::string data;   // Linux: $XDG_DATA_HOME, by default ~/.local/share/

    static UserFolders fromEnvironment();
};

// Where the options file Optionen.txt and the price list live.
//
// A portable copy (its own folder holds Optionen.txt or a price list, the latter's letter case
// ignored) keeps both beside the program, as the start scripts and a player who unpacks Tarvek
// into a folder of their own use it. Whether that folder is writable decides nothing.
// An installed copy keeps the options file in the user's settings folder and the price list in
// the user's data folder, each in a sub-folder "tarvek"; nothing is written beside the program.
struct ProgramFiles
{
    std::string optionsFolder;   // ends with "/" (or is empty: no folder is known)
    std::string priceListFolder; // ends with "/" (or is empty: no folder is known)
    bool portable = false;

    static constexpr const char* OptionsFileName = "Optionen.txt";
    static constexpr const char* SubFolder = "tarvek/";

    // programDir: the folder of the program file, with or without a trailing "/".
    static ProgramFiles locate(const std::string& programDir, const UserFolders& user);
    // locate() with the user folders of the running system.
    static ProgramFiles locate(const std::string& programDir);
};

} // namespace tarvek
