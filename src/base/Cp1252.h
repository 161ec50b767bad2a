#pragma once
// Windows-1252, the code page of the game's files, to and from UTF-8.

#include <string>
#include <string_view>

namespace tarvek {

// Windows-1252 <-> UTF-8. Every one of the 256 byte values maps to one code point and back, so
// cp1252ToUtf8 followed by utf8ToCp1252 gives the bytes back unchanged; the five bytes that
// Windows-1252 leaves undefined map to U+0081, U+008D, U+008F, U+0090 and U+009D.

// One byte is one character; a NUL byte becomes U+0000.
std::string cp1252ToUtf8(std::string_view bytes);

// Code points without a Windows-1252 byte, and malformed UTF-8 sequences, become '?'; then
// *allMapped (when given) is set to false, else to true. Used by the import editor to save.
std::string utf8ToCp1252(std::string_view utf8, bool* allMapped = nullptr);

} // namespace tarvek
