#pragma once

#include "importfile/TextEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// ImportLines: a text file as an ordered list of lines without their line ends,
// indexed from 0. The lines hold the file's bytes (Windows-1252, or UTF-8 without its byte-order
// mark; see TextEncoding).
using ImportLines = std::vector<std::string>;

// Splits bytes into lines: a line ends at CR LF, LF or CR; a last line ending adds no empty line
// (so "" gives no line and "a\r\n" one line); a NUL byte is an ordinary character.
ImportLines splitLines(std::string_view bytes);

// Joins lines with CR LF after every line (how the system writes text files).
std::string joinLinesCrLf(const ImportLines& lines);

// What a file is read as: its size limit and its name in the refusal of a larger file.
struct FileKind
{
    std::uint64_t limit;
    std::string_view name;
};
// A real building of 10,000 items is an import file of about 3 MB.
inline constexpr FileKind kImportFileKind{64u << 20, "Importdatei"};

// Reads a whole file as bytes; the file comes from a player and is read only when it is a regular
// file within kind.limit (see readRegularFile). On failure returns nothing and, when given, sets
// *reason to the German reason (UTF-8): the system's (see systemReason), e.g. "Datei oder Ordner
// nicht gefunden", or why the file is refused.
std::optional<std::string> readFileBytes(const std::string& path, std::string* reason = nullptr,
                                         const FileKind& kind = kImportFileKind);

// Reads a text file of a player: readFileBytes, then UTF-16 refused (see encodingRefusal). Gives
// the bytes as they are (a byte-order mark included) and, when given, sets *encoding to the
// file's.
std::optional<std::string> readTextFile(const std::string& path, std::string* reason,
                                        const FileKind& kind, TextEncoding* encoding = nullptr);

// readTextFile of an import file + splitLines.
std::optional<ImportLines> readImportLines(const std::string& path, std::string* reason = nullptr,
                                           TextEncoding* encoding = nullptr);

// The runtime's file error: "Datei %s kann nicht geöffnet werden. %s" (path, reason).
std::string fileOpenErrorText(std::string_view path, std::string_view reason);

} // namespace tarvek
