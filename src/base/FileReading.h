#pragma once
// Bounded reading of whole files that come from others: only a regular file within a size limit.

#include "base/FileNames.h"
#include "base/Result.h"
#include "base/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// Reads a text file of a player: readRegularFile, then UTF-16 refused (see encodingRefusal).
// Gives the bytes as they are (a byte-order mark included) and, when given, sets *encoding to the
// file's.
Result<std::string> readTextFile(const std::string& path, const FileKind& kind,
                                 TextEncoding* encoding = nullptr);

// A fingerprint of a file's bytes, to tell whether a file is still the one read before: equal
// bytes give equal fingerprints, and changed bytes almost never keep theirs (64 bits; no
// defence against someone who makes a change on purpose to keep it).
std::uint64_t fileFingerprint(std::string_view bytes);

// The runtime's file error: "Datei %s kann nicht geöffnet werden. %s" (path, reason).
std::string fileOpenErrorText(std::string_view path, std::string_view reason);

} // namespace tarvek
