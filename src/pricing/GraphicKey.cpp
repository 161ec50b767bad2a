#include "pricing/GraphicKey.h"

#include "base/AsciiCase.h"

namespace tarvek {

std::string graphicKey(std::int32_t number)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto value = static_cast<std::uint32_t>(number);
    char buffer[8];
    int count = 0;
    do {
        buffer[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string key = "0x";
    for (int pad = count; pad < 4; ++pad) {
        key += '0';
    }
    while (count > 0) {
        key += buffer[--count];
    }
    return key;
}

std::int32_t graphicKeyToNumber(std::string_view key)
{
    std::string text = asciiUpper(key);
    const std::size_t pos = text.find("0X");
    if (pos != std::string::npos) {
        text.erase(pos, 2);
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return 0;
        }
        value = value * 16u + digit;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace tarvek
