#pragma once

#include "base/FileReading.h"

#include <cstdint>
#include <functional>
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
// The same lines as start and length in `bytes`, in order, without building them.
void forEachLine(std::string_view bytes, const std::function<void(std::size_t, std::size_t)>& line);

// Joins lines with CR LF after every line (how the system writes text files).
std::string joinLinesCrLf(const ImportLines& lines);

// A real building of 10,000 items is an import file of about 3 MB.
inline constexpr FileKind kImportFileKind{64u << 20, "Importdatei"};

// readTextFile of an import file + splitLines; *fingerprint, when given, is the fileFingerprint
// of the bytes read.
Result<ImportLines> readImportLines(const std::string& path, TextEncoding* encoding = nullptr,
                                    std::uint64_t* fingerprint = nullptr);

} // namespace tarvek
