#pragma once
// Bounded reading of whole files that come from others: only a regular file within a size limit.

#include "base/TextEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// What a file is read as: its size limit and its name in the refusal of a larger file.
struct FileKind
{
    std::uint64_t limit;
    std::string_view name;
};

// Reads a whole file as bytes; the file comes from a player and is read only when it is a regular
// file within kind.limit (see readRegularFile). On failure returns nothing and, when given, sets
// *reason to the German reason (UTF-8): the system's (see systemReason), e.g. "Datei oder Ordner
// nicht gefunden", or why the file is refused.
std::optional<std::string> readFileBytes(const std::string& path, std::string* reason,
                                         const FileKind& kind);

// Reads a text file of a player: readFileBytes, then UTF-16 refused (see encodingRefusal). Gives
// the bytes as they are (a byte-order mark included) and, when given, sets *encoding to the
// file's.
std::optional<std::string> readTextFile(const std::string& path, std::string* reason,
                                        const FileKind& kind, TextEncoding* encoding = nullptr);

// A fingerprint of a file's bytes, to tell whether a file is still the one read before: equal
// bytes give equal fingerprints, and changed bytes almost never keep theirs (64 bits; no
// defence against someone who makes a change on purpose to keep it).
std::uint64_t fileFingerprint(std::string_view bytes);

// The runtime's file error: "Datei %s kann nicht geöffnet werden. %s" (path, reason).
std::string fileOpenErrorText(std::string_view path, std::string_view reason);

} // namespace tarvek
