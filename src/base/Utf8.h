#pragma once
// UTF-8: one code point encoded, one sequence decoded.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// The UTF-8 encoding of one code point, appended to `out`.
void appendUtf8(std::string& out, char32_t codePoint);

// One well-formed UTF-8 sequence at text[index]: its code point and its length in bytes.
// Nothing for a malformed sequence (a stray or invalid lead byte, a missing continuation byte,
// an overlong form, a surrogate, or a value beyond U+10FFFF).
struct Utf8Sequence
{
    char32_t codePoint;
    std::size_t length;
};
std::optional<Utf8Sequence> decodeUtf8(std::string_view text, std::size_t index);

// The characters (code points) of valid UTF-8 text: its bytes that are no continuation byte.
std::size_t utf8Length(std::string_view text);

} // namespace tarvek
