#pragma once

#include "pricing/UserFolders.h"

#include <string>

namespace tarvek {

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
