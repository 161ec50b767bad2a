#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// Money text: pattern "###,###,##0 GS": all digits, grouped by threes with the
// thousands separator, at least one digit, "-" in front of a negative amount, " GS" after.
// 10000 gives "10.000 GS", 0 gives "0 GS", 4999000050 gives "4.999.000.050 GS".
std::string moneyText(std::int64_t amount, std::string_view thousandsSeparator);

// PadLeft: blanks in front until the text has `width` characters (UTF-8 code
// points); a text as long or longer stays unchanged.
std::string padLeft(std::string_view text, std::size_t width);
// The same with the blanks after the text.
std::string padRight(std::string_view text, std::size_t width);

} // namespace tarvek
