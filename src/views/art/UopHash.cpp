#include "views/art/UopHash.h"

#include <cstddef>

namespace tarvek::art {

namespace {

constexpr std::uint32_t rotate(std::uint32_t x, int k)
{
    return (x << k) | (x >> (32 - k));
}

void mix(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
    a -= c;
    a ^= rotate(c, 4);
    c += b;
    b -= a;
    b ^= rotate(a, 6);
    a += c;
    c -= b;
    c ^= rotate(b, 8);
    b += a;
    a -= c;
    a ^= rotate(c, 16);
    c += b;
    b -= a;
    b ^= rotate(a, 19);
    a += c;
    c -= b;
    c ^= rotate(b, 4);
    b += a;
}

void finalMix(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
    c ^= b;
    c -= rotate(b, 14);
    a ^= c;
    a -= rotate(c, 11);
    b ^= a;
    b -= rotate(a, 25);
    c ^= b;
    c -= rotate(b, 16);
    a ^= c;
    a -= rotate(c, 4);
    b ^= a;
    b -= rotate(a, 14);
    c ^= b;
    c -= rotate(b, 24);
}

// The little-endian word made of up to four bytes from `bytes`.
std::uint32_t word(const unsigned char* bytes, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

} // namespace

std::uint64_t UopHash::hashLittle2(std::string_view name)
{
    const auto* key = reinterpret_cast<const unsigned char*>(name.data());
    std::size_t length = name.size();
    std::uint32_t a = 0xDEADBEEFu + static_cast<std::uint32_t>(length);
    std::uint32_t b = a;
    std::uint32_t c = a;

    while (length > 12) {
        a += word(key, 4);
        b += word(key + 4, 4);
        c += word(key + 8, 4);
        mix(a, b, c);
        length -= 12;
        key += 12;
    }
    if (length == 0) {
        return (static_cast<std::uint64_t>(b) << 32) | c;
    }
    // The last 1 to 12 bytes, missing bytes counting as zero.
    a += word(key, length);
    if (length > 4) {
        b += word(key + 4, length - 4);
    }
    if (length > 8) {
        c += word(key + 8, length - 8);
    }
    finalMix(a, b, c);
    return (static_cast<std::uint64_t>(b) << 32) | c;
}

std::string UopHash::artEntryName(std::uint32_t index)
{
    std::string digits = std::to_string(index);
    if (digits.size() < 8) {
        digits.insert(0, 8 - digits.size(), '0');
    }
    return "build/artlegacymul/" + digits + ".tga";
}

} // namespace tarvek::art
