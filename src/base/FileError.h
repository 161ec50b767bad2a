#pragma once
// Why a file could not be read or written.

#include <string>

namespace tarvek {

enum class FileErrorKind
{
    // A system call failed: errorNumber holds its errno.
    System,
    // The name is a folder.
    Folder,
    // A named pipe, a device or the like, which is not read.
    NotRegular,
    // Larger than the file's kind allows.
    TooLarge,
    // A text file in an encoding that is not read (UTF-16).
    Encoding,
    // The file that the program's standard output or standard error already goes to.
    StandardStream,
};

struct FileError
{
    FileErrorKind kind = FileErrorKind::System;
    // The system's error number (errno) of a System failure; 0 for the other kinds, and on
    // Windows where the system gave its own error code rather than an errno.
    int errorNumber = 0;
    // The German reason (UTF-8), as the end of a message such as
    // "Datei %s kann nicht geöffnet werden. %s": see systemReason().
    std::string reason;
};

} // namespace tarvek
