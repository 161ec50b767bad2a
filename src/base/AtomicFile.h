#pragma once
// Writing a whole file atomically: a failed write never leaves a half-written file behind.

#include "base/Result.h"

#include <string>
#include <string_view>

namespace tarvek {

// What writeFileAtomically() does with a name that is not a plain regular file.
enum class WriteTarget
{
    // A command's output, named on its command line: a named pipe is written into, as a shell's
    // redirection would (waiting for its reader), and the file that the program's standard output
    // or standard error goes to is refused.
    Output,
    // A document saved from a window: a named pipe is replaced like a file, as a window never
    // waits for a reader, and the standard streams are not looked at.
    Document,
};

// Writes `bytes` as the whole content of the file `fileName`, or says why not: the error's reason
// is German, as systemReason() words it.
//
// A regular file (or a name not yet taken) is written to a new file of a random name in the same
// folder, created exclusively so that nothing planted in a shared folder can take the write
// elsewhere, flushed to the disk and then renamed over the name, and the folder is flushed too: a
// write that fails midway (a full disk) leaves the old file as it was and no temporary file
// behind. The new file keeps the old one's permissions (and its group where the system allows).
// A name that is a symbolic link is replaced by the file, never followed into another folder. A
// device or the terminal is written to straight, as it cannot be replaced; what it is, is asked of
// the opened file, never read from the name, so a regular file reached through a link (also one
// under /dev) is replaced like any other. A named pipe is written into or replaced as `target`
// says; on Linux an Output that is the file of the program's standard output or standard error is
// refused, as the one output would overwrite the other. Windows has no named pipes among its
// files: there a device name (CON, NUL, COM1, "\\.\...") is written to straight and every other
// name replaced, whatever `target`. The names of the standard output ("-", /dev/stdout) are the
// caller's to write to it (namesStandardOutput()).
Result<void> writeFileAtomically(const std::string& fileName, std::string_view bytes,
                                 WriteTarget target = WriteTarget::Output);

#ifdef _WIN32
namespace detail {

// The call that puts the complete temporary file in an existing file's place: ReplaceFileW
// without a backup name. It returns 0, or the system's error code as GetLastError() gives it.
// When it fails with ERROR_UNABLE_TO_MOVE_REPLACEMENT the old file is already gone: the
// temporary file is then moved to the name, and kept (named in the reason) when that fails too.
using ReplaceCall = unsigned long (*)(const wchar_t* target, const wchar_t* replacement);
// A stand-in for the call, for tests of its failures; nullptr brings back the system's.
void setReplaceCall(ReplaceCall call);

} // namespace detail
#endif

} // namespace tarvek
