#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file through a temporary file that replaces the old one only when everything
// has been written, so a failed write (a full disk, a missing folder) never destroys the old
// file. A failure is thrown as std::runtime_error with the text
// "Datei "<path>" kann nicht erstellt werden. <reason>". A name of the standard output ("-",
// "/dev/stdout") is written through the program's own standard output.
class FileWriter
{
public:
    static void writeAll(const QString& path, const QByteArray& content);
    static QString cannotCreateText(const QString& path, const QString& reason);
};
