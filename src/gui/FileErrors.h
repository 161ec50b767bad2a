#pragma once

#include <QString>

class QFileDevice;

// The messages about a file that cannot be opened or created. They end with the system's reason,
// in German for the common reasons (see tarvek::systemReason and tarvek::windowsReason).
class FileErrors
{
public:
    // The reason of the last failure of `file`. errorNumber is errno taken right after the
    // failing call; it is used only when it is the reason the file reports, so that a failure Qt
    // describes in its own words keeps them. On Windows, where Qt reports the system's message
    // for a Windows error code, the common codes get their German reason too.
    static QString reason(const QFileDevice& file, int errorNumber);

    // "Datei <path> kann nicht geöffnet werden. <reason>"
    static QString cannotOpen(const QString& path, const QString& reason);
    // "Datei "<path>" kann nicht erstellt werden. <reason>"
    static QString cannotCreate(const QString& path, const QString& reason);
};
