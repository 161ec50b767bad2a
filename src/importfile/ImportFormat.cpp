#include "importfile/ImportFormat.h"

#include <algorithm>

namespace tarvek {

bool pruefeimportdatei(const ImportLines& lines, const std::function<void()>& pump)
{
    std::size_t i = 0;
    const std::size_t n = lines.size();
    while (i < n) {
        if (pump) {
            pump();
        }
        if (lines[i].find("Entry Header") != std::string::npos) {
            ++i;
            if (i < n && lines[i].find('{') != std::string::npos) {
                return true;
            }
        }
        ++i;
    }
    return false;
}

namespace {

// The first place of a key in a line. Keys stand at the start of their line or after one tab:
// look there before searching the whole line.
std::size_t findKey(std::string_view line, std::string_view key)
{
    if (line.starts_with(key)) {
        return 0;
    }
    if (!line.empty() && line.substr(1).starts_with(key)) {
        return 1;
    }
    return line.find(key);
}

} // namespace

std::string_view fixedCut(std::string_view line, std::string_view key, std::size_t count)
{
    const std::size_t pos = findKey(line, key);
    if (pos == std::string_view::npos) {
        return {};
    }
    return line.substr(pos + key.size(), count);
}

std::string_view trimmedBlanks(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view restCut(std::string_view line, std::string_view key)
{
    const std::size_t pos = findKey(line, key);
    if (pos == std::string_view::npos) {
        return {};
    }
    return trimmedBlanks(line.substr(pos + key.size()));
}

std::optional<std::int32_t> toInteger(std::string_view text)
{
    // Digits only, as nearly every value of an import file is, are read at once.
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        std::int32_t value = 0;
        for (const char c : text) {
            value = value * 10 + (c - '0');
        }
        return value;
    }
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) {
        return std::nullopt;
    }
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 31; // |INT32_MIN|
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + digit;
        if (value > kLimit) {
            return std::nullopt;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
    }
    if (value == kLimit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string messageQuote(std::string_view bytes, TextEncoding encoding)
{
    if (bytes.size() <= kMessageQuoteLimit) {
        return displayText(bytes, encoding);
    }
    std::size_t cut = kMessageQuoteLimit;
    // UTF-8 is cut before a character, not inside it.
    while (encoding != TextEncoding::Windows1252 && cut > 0 &&
           (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return displayText(bytes.substr(0, cut), encoding) + "...";
}

std::string conversionErrorText(std::string_view text, TextEncoding encoding)
{
    std::string message = "'";
    message.append(messageQuote(text, encoding)).append("' ist kein gültiger Integerwert");
    return message;
}

} // namespace tarvek
