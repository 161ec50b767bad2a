#pragma once
// Writing a whole file atomically: a failed write never leaves a half-written file behind.

#include <string>
#include <string_view>

namespace tarvek {

// Writes `bytes` as the whole content of the file `fileName`; false with the German reason (as
// systemReason() words it) when that fails.
//
// A regular file (or a name not yet taken) is written to a new file of a random name in the same
// folder, created exclusively so that nothing planted in a shared folder can take the write
// elsewhere, flushed to the disk and then renamed over the name: a write that fails midway (a
// full disk) leaves the old file as it was and no temporary file behind. The new file keeps the
// old one's permissions. A name that is a symbolic link is replaced by the file, never followed
// into another folder. A name that stands for something that is not a regular file (a named
// pipe, a device, the terminal) is written to straight, as it cannot be replaced; what it is,
// is asked of the opened file, never read from the name. A regular file is always replaced, also
// one reached through a link under /dev; on Linux the file that the program's standard output
// or standard error goes to is refused, as the one output would overwrite the other. The names of
// the standard output ("-", /dev/stdout) are the caller's to write to it (namesStandardOutput()).
bool writeFileAtomically(const std::string& fileName, std::string_view bytes, std::string& reason);

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
