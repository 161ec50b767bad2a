#include "importfile/ItemKey.h"

namespace tarvek {
namespace {

unsigned char fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool ignored(unsigned char c)
{
    return c == '-' || c == '\'';
}

// Weight of one byte in the first comparison: class (symbols 0, digits 1, letters 2), then code.
unsigned weight(unsigned char c)
{
    c = fold(c);
    if (c >= '0' && c <= '9') {
        return 0x100u + c;
    }
    if (c >= 'a' && c <= 'z') {
        return 0x200u + c;
    }
    return c;
}

} // namespace

int compareItemKeys(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        while (i < a.size() && ignored(static_cast<unsigned char>(a[i]))) {
            ++i;
        }
        while (j < b.size() && ignored(static_cast<unsigned char>(b[j]))) {
            ++j;
        }
        const bool endA = i >= a.size();
        const bool endB = j >= b.size();
        if (endA || endB) {
            if (endA != endB) {
                return endA ? -1 : 1;
            }
            break;
        }
        const unsigned wa = weight(static_cast<unsigned char>(a[i]));
        const unsigned wb = weight(static_cast<unsigned char>(b[j]));
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char ca = fold(static_cast<unsigned char>(a[k]));
        const unsigned char cb = fold(static_cast<unsigned char>(b[k]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return 0;
}

std::string itemKeySortText(std::string_view key)
{
    std::string text(key.size() * 3 + 1, '\0');
    text.resize(writeItemKeySortText(key, text.data()));
    return text;
}

std::size_t writeItemKeySortText(std::string_view key, char* const start)
{
    // Each byte not left out as two bytes (class + 1, code), so that a shorter text comes first;
    // then 0 (below every class byte) and the folded full text for the second comparison.
    char* out = start;
    for (const char c : key) {
        const auto b = static_cast<unsigned char>(c);
        if (ignored(b)) {
            continue;
        }
        const unsigned w = weight(b);
        *out++ = static_cast<char>((w >> 8) + 1);
        *out++ = static_cast<char>(w & 0xFF);
    }
    *out++ = '\0';
    for (const char c : key) {
        *out++ = static_cast<char>(fold(static_cast<unsigned char>(c)));
    }
    return static_cast<std::size_t>(out - start);
}

} // namespace tarvek
