#pragma once

#include "base/FileNames.h"

#include <QString>

class OptionsFile;
class QWidget;

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
    // A portable copy whose own folder cannot be written: that folder. Its files are then kept
    // where an installed copy keeps them (see tarvek::ProgramFiles); empty otherwise.
    QString unwritableFolder;

    // Where the program in applicationDir (empty: the running program's folder) keeps its files.
    // An installed copy gets its two folders in the user's home created, so that the options
    // file and the downloaded price list can be written there. A portable copy in a folder it
    // cannot write takes its options file and price list along into them, where none is yet.
    // writable: whether a folder can be written (tarvek::folderIsWritable).
    static FileLocations ofProgram(const QString& applicationDir = QString(),
                                   bool (*writable)(const std::string&) = tarvek::folderIsWritable);
    // Both files in one given folder.
    static FileLocations inFolder(const QString& folder);
};

// At start: a portable copy in a folder it cannot write says so, once for each such folder (the
// options remember it), with where its files are kept instead and what to do about it.
void tellUnwritableFolderOnce(QWidget* parent, const FileLocations& files,
                              const OptionsFile& options);
