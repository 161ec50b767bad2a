#pragma once

#include <QByteArray>
#include <QString>

// The windows' way to the engine's one writer (tarvek::writeFileAtomically, a document's save):
// a whole file goes through a temporary file that replaces the old one only when everything has
// been written, so a failed write (a full disk, a missing folder) never destroys the old file. A
// failure is thrown as std::runtime_error with the text
// "Datei "<path>" kann nicht erstellt werden. <reason>". A name of the standard output ("-",
// "/dev/stdout") is written through the program's own standard output.
//
// As the windows' saves always did: a file that exists but may not be written to, and a folder,
// are refused in Qt's words; a symbolic link is followed to the file it names (at most 127 links
// deep), and that file is replaced.
class FileWriter
{
public:
    static void writeAll(const QString& path, const QByteArray& content);
    static QString cannotCreateText(const QString& path, const QString& reason);
};
