#pragma once

#include <QString>

// What the update check needs from the program: the server it asks and the program's folder.
// The main window implements it with its options.
class DownloadSettings
{
public:
    virtual ~DownloadSettings() = default;

    // The price list server as the options hold it ("Optionen > Preislisten-Server ..."); empty
    // text when none is set. Throws std::exception with a German text when the options cannot be
    // read.
    virtual QString server() = 0;
    // The folder of the program, with or without a trailing separator.
    virtual QString programDir() const = 0;
    // The price list the calculation reads: a file named "Preisliste.txt" in the program's
    // folder, its letter case ignored; "Preisliste.txt" when there is none yet.
    virtual QString priceListPath() const;
};
