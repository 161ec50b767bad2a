#include "base/TextEncoding.h"

#include "base/Cp1252.h"
#include "base/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarvek {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Calls f(codePoint) for each character of UTF-8 text; a malformed sequence is one U+FFFD per
// byte it could not use.
template <typename F> void forEachCodePoint(std::string_view utf8, F&& f)
{
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (const auto sequence = decodeUtf8(utf8, i)) {
            f(sequence->codePoint);
            i += sequence->length;
        } else {
            f(char32_t{0xFFFD});
            ++i;
        }
    }
}

bool validUtf8WithNonAscii(std::string_view bytes)
{
    bool nonAscii = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Eight ASCII bytes at a time: the files are nearly all ASCII.
        std::uint64_t eight = 0;
        if (i + sizeof eight <= bytes.size() &&
            (std::memcpy(&eight, bytes.data() + i, sizeof eight), eight & kHighBits) == 0) {
            i += sizeof eight;
            continue;
        }
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const auto sequence = decodeUtf8(bytes, i);
        if (!sequence) {
            return false;
        }
        nonAscii = true;
        i += sequence->length;
    }
    return nonAscii;
}

// UTF-16 of mostly Latin text has a NUL in nearly every high byte and hardly one elsewhere; a
// Windows-1252 file with a stray NUL has neither pattern.
bool hasUtf16NulPattern(std::string_view bytes)
{
    const std::size_t pairs = std::min<std::size_t>(bytes.size(), 512) / 2;
    if (pairs < 2) {
        return false;
    }
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t p = 0; p < pairs; ++p) {
        even += bytes[2 * p] == '\0' ? 1 : 0;
        odd += bytes[2 * p + 1] == '\0' ? 1 : 0;
    }
    const auto most = [pairs](std::size_t n) { return 4 * n >= 3 * pairs; };
    const auto few = [pairs](std::size_t n) { return 4 * n < pairs; };
    return (most(even) && few(odd)) || (most(odd) && few(even));
}

// The invisible characters that act on the text around them: the marks and controls of the
// writing direction (a file's text could reverse what follows it in a message or a list), and
// the line and paragraph separators (a line end in a label).
bool isLayoutControl(char32_t cp)
{
    return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x2028 && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069);
}

void appendVisible(std::string& out, char32_t cp)
{
    if (cp < 0x20) {
        appendUtf8(out, 0x2400 + cp);
    } else if (cp == 0x7F) {
        appendUtf8(out, 0x2421);
    } else if ((cp >= 0x80 && cp <= 0x9F) || isLayoutControl(cp)) {
        appendUtf8(out, 0xFFFD);
    } else {
        appendUtf8(out, cp);
    }
}

bool isUtf8(TextEncoding encoding)
{
    return encoding != TextEncoding::Windows1252;
}

} // namespace

TextEncoding detectTextEncoding(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom)) {
        return TextEncoding::Utf8WithBom;
    }
    return validUtf8WithNonAscii(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string_view withoutBom(std::string_view bytes)
{
    return bytes.starts_with(kUtf8Bom) ? bytes.substr(kUtf8Bom.size()) : bytes;
}

std::optional<std::string> encodingRefusal(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
        hasUtf16NulPattern(bytes)) {
        return "Sie ist in UTF-16 gespeichert, das Tarvek nicht liest. Bitte die Datei als UTF-8 "
               "oder Windows-1252 (ANSI) speichern und erneut öffnen.";
    }
    return std::nullopt;
}

std::string displayText(std::string_view bytes, TextEncoding encoding)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    if (isUtf8(encoding)) {
        forEachCodePoint(bytes, [&out](char32_t cp) { appendVisible(out, cp); });
        return out;
    }
    // Windows-1252: the decoded text is well-formed UTF-8.
    forEachCodePoint(cp1252ToUtf8(bytes), [&out](char32_t cp) { appendVisible(out, cp); });
    return out;
}

std::string editableText(std::string_view bytes, TextEncoding encoding)
{
    if (!isUtf8(encoding)) {
        return cp1252ToUtf8(bytes);
    }
    std::string out;
    out.reserve(bytes.size());
    forEachCodePoint(bytes, [&out](char32_t cp) { appendUtf8(out, cp); });
    return out;
}

std::string encodedText(std::string_view utf8, TextEncoding encoding, bool* allMapped)
{
    if (!isUtf8(encoding)) {
        return utf8ToCp1252(utf8, allMapped);
    }
    if (allMapped != nullptr) {
        *allMapped = true;
    }
    return editableText(utf8, encoding);
}

} // namespace tarvek
