#pragma once
// ASCII letter case: keys, file names and price lines compared without regard to case.

#include <string>
#include <string_view>

namespace tarvek {

// ASCII case folding: changes only A-Z (to a-z) / a-z (to A-Z).
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);

} // namespace tarvek
