#include "pricing/Money.h"

namespace tarvek {

std::string moneyText(std::int64_t amount, std::string_view thousandsSeparator)
{
    const bool negative = amount < 0;
    // Magnitude in unsigned arithmetic, so that INT64_MIN has one too.
    std::uint64_t magnitude =
        negative ? (~static_cast<std::uint64_t>(amount) + 1u) : static_cast<std::uint64_t>(amount);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    std::string text;
    if (negative) {
        text += '-';
    }
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) {
            text += thousandsSeparator;
        }
        text += digits[i];
    }
    text += " GS";
    return text;
}

std::string padLeft(std::string_view text, std::size_t width)
{
    std::size_t characters = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++characters;
        }
    }
    std::string out;
    if (characters < width) {
        out.assign(width - characters, ' ');
    }
    out += text;
    return out;
}

} // namespace tarvek
