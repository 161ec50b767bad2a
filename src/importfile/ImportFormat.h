#pragma once

#include "importfile/ImportLines.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// Key texts of the import file; \t is one TAB.
inline constexpr std::string_view kKeyX = "\tx\t";
inline constexpr std::string_view kKeyY = "\ty\t";
inline constexpr std::string_view kKeyZ = "\tz\t";
inline constexpr std::string_view kKeyGraphic = "graphic\t";
inline constexpr std::string_view kKeyColor = "color\t";
inline constexpr std::size_t kCoordinateCut = 4; // fixed cut of "\tx\t", "\ty\t", "\tz\t"
inline constexpr std::size_t kGraphicCut = 6;    // fixed cut of "graphic\t"
inline constexpr std::size_t kColorCut = 6;      // fixed cut of "color\t"

// Validity test pruefeimportdatei: a line containing "Entry Header" whose next line
// contains "{" (case-sensitive). pump, when given, is called once per examined line ("let the
// window process pending messages"). Used by the window's load command and the editor's save.
bool pruefeimportdatei(const ImportLines& lines, const std::function<void()>& pump = {});

// Fixed cut: up to `count` bytes directly after the first occurrence of `key` in `line`, not
// trimmed. A line that does not contain the key gives the empty text.
std::string_view fixedCut(std::string_view line, std::string_view key, std::size_t count);

// The text with the bytes of code 32 or below (blanks and control characters) removed at both
// ends.
std::string_view trimmedBlanks(std::string_view text);

// Rest cut: everything after the first occurrence of `key` up to the end of the line, with the
// bytes of code 32 or below removed at both ends. No key: the empty text.
std::string_view restCut(std::string_view line, std::string_view key);

// Whole-number conversion: leading spaces, optional sign, decimal digits or
// hexadecimal digits after "$", "x", "X", "0x", "0X"; the value must fit 32-bit signed. Anything
// else (empty text, trailing blanks, a sign or prefix without digits) gives nothing.
std::optional<std::int32_t> toInteger(std::string_view text);

// A piece of a file as a message quotes it, in UTF-8 with its control characters made visible
// (displayText): at most kMessageQuoteLimit bytes of it, and "..." when it was longer. A message
// box holding a line of a megabyte would take the window many seconds to lay out and help nobody.
inline constexpr std::size_t kMessageQuoteLimit = 200;
std::string messageQuote(std::string_view bytes, TextEncoding encoding = TextEncoding::Windows1252);

// "'%s' ist kein gültiger Integerwert" with the text quoted by messageQuote().
std::string conversionErrorText(std::string_view text,
                                TextEncoding encoding = TextEncoding::Windows1252);

} // namespace tarvek
