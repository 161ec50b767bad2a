#pragma once
// The system's reason for a failed call, in German where it is a common one.

#include <span>
#include <string>

namespace tarvek {

// The reason of a failed system call, as the end of a message such as "Datei %s kann nicht
// geöffnet werden. %s": the common reasons (not found, no permission, disk full, a folder, file
// too large, read-only file system, input/output error, connection refused, time-out) in German,
// any other in the system's own words. UTF-8, without a closing full stop.
std::string systemReason(int errorNumber);

#ifdef _WIN32
// The same for a Windows error code (GetLastError()), whose numbers are not errno's: the common
// reasons (not found, no permission, in use by another program, disk full, write-protected,
// invalid or too long a name, drive not ready, input/output error) in German whatever the
// language of the Windows, any other in the system's own words.
std::string windowsReason(unsigned long code);
// The Windows error codes that windowsReason() words in German.
std::span<const unsigned long> germanWindowsCodes();
#endif

} // namespace tarvek
