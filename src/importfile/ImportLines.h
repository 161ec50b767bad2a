#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// ImportLines: a text file as an ordered list of lines without their line ends,
// indexed from 0. The lines hold the file's bytes (Windows-1252): one byte is one character.
using ImportLines = std::vector<std::string>;

// Splits bytes into lines: a line ends at CR LF, LF or CR; a last line ending adds no empty line
// (so "" gives no line and "a\r\n" one line); a NUL byte is an ordinary character.
ImportLines splitLines(std::string_view bytes);

// Joins lines with CR LF after every line (how the system writes text files).
std::string joinLinesCrLf(const ImportLines& lines);

// Reads a whole file as bytes. On failure returns nothing and, when given, sets *reason to the
// system's reason (UTF-8, see systemReason), e.g. "Datei oder Ordner nicht gefunden".
std::optional<std::string> readFileBytes(const std::string& path, std::string* reason = nullptr);

// readFileBytes + splitLines.
std::optional<ImportLines> readImportLines(const std::string& path, std::string* reason = nullptr);

// The runtime's file error: "Datei %s kann nicht geöffnet werden. %s" (path, reason).
std::string fileOpenErrorText(std::string_view path, std::string_view reason);

} // namespace tarvek
