#pragma once

#include <QString>

// What the update check needs from the program: the options file and the program's folder.
// The main window implements it with its options reader and writer.
class DownloadSettings
{
public:
    virtual ~DownloadSettings() = default;

    // The value of one option of the options file; empty text when the key is missing.
    virtual QString readOption(const QString& key) = 0;
    // Sets one option and writes the options file at once; throws std::exception with a German
    // text when the file cannot be written.
    virtual void writeOption(const QString& key, const QString& value) = 0;
    // The folder of the program, with or without a trailing separator.
    virtual QString programDir() const = 0;
    // The price list the calculation reads: a file named "Preisliste.txt" in the program's
    // folder, its letter case ignored; "Preisliste.txt" when there is none yet.
    virtual QString priceListPath() const;
};
