#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// GraphicKey: "0x" and the number in hexadecimal, upper-case digits, at least four,
// zero-filled; a negative number uses its 32-bit two's-complement value (decision 8: -5 gives
// 0xFFFFFFFB). 3701 gives 0x0E75, 70000 gives 0x11170.
std::string graphicKey(std::int32_t number);

// GraphicKeyToNumber: upper-case, delete the first "0X", read the rest as hex digits
// (wrapping in 32 bits); 0 at the first non-hex character and for an empty rest.
// "0x0e75" gives 3701, "0x12g4" 0, "0X1646" 5702, "" 0.
std::int32_t graphicKeyToNumber(std::string_view key);

} // namespace tarvek
