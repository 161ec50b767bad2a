#pragma once

#include <string>

namespace tarvek {

// The reason of a failed system call, as the end of a message such as "Datei %s kann nicht
// geöffnet werden. %s": the common reasons (not found, no permission, disk full, a folder, file
// too large, read-only file system, input/output error, connection refused, time-out) in German,
// any other in the system's own words. UTF-8, without a closing full stop.
std::string systemReason(int errorNumber);

} // namespace tarvek
