#pragma once

// Windows only: the conversions between the engine's UTF-8 text and the system's UTF-16.

#include <string>
#include <string_view>

namespace tarvek {

// Malformed sequences become U+FFFD.
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

} // namespace tarvek
