#pragma once

#include <QString>

// The folders of the options file and of the price list of the running program, both ending in
// a separator. The engine's ProgramFiles decides (portable or installed copy, the user's folders),
// for the window and tarvek-calc alike.
struct FileLocations
{
    QString optionsDir;
    QString priceListDir;
    // The options file itself: the spelling of "Optionen.txt" that exists in optionsDir, letter
    // case ignored, else optionsDir + "Optionen.txt".
    QString optionsFile;

    // Where the program in applicationDir (empty: the running program's folder) keeps its files.
    // An installed copy gets its two folders in the user's home created, so that the options
    // file and the downloaded price list can be written there.
    static FileLocations ofProgram(const QString& applicationDir = QString());
    // Both files in one given folder.
    static FileLocations inFolder(const QString& folder);
};
