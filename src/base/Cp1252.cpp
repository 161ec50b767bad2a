#include "base/Cp1252.h"

#include "base/Utf8.h"

#include <array>
#include <cstdint>

namespace tarvek {
namespace {

// Code points of the bytes 0x80..0x9F; the five undefined bytes map to their C1 control code.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHigh[byte - 0x80];
    }
    return byte;
}

// The byte of a code point, or -1 when Windows-1252 has none.
int byteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            appendUtf8(out, codePoint(byte));
        }
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8, bool* allMapped)
{
    std::string out;
    out.reserve(utf8.size());
    bool mapped = true;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<Utf8Sequence> sequence = decodeUtf8(utf8, i);
        if (!sequence) {
            // Malformed: one '?' for the lead byte, then resynchronise at the next byte.
            out.push_back('?');
            mapped = false;
            ++i;
            continue;
        }
        const int byte = byteOf(sequence->codePoint);
        if (byte < 0) {
            out.push_back('?');
            mapped = false;
        } else {
            out.push_back(static_cast<char>(byte));
        }
        i += sequence->length;
    }
    if (allMapped != nullptr) {
        *allMapped = mapped;
    }
    return out;
}

} // namespace tarvek
