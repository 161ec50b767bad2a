#include "pricing/Money.h"

#include "base/Utf8.h"

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
    const std::size_t characters = utf8Length(text);
    std::string out;
    if (characters < width) {
        out.assign(width - characters, ' ');
    }
    out += text;
    return out;
}

std::string padRight(std::string_view text, std::size_t width)
{
    std::string out(text);
    const std::size_t characters = utf8Length(text);
    if (characters < width) {
        out.append(width - characters, ' ');
    }
    return out;
}

} // namespace tarvek
