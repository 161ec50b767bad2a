#pragma once

#include "importfile/ImportLines.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// ItemPositionKey from the y line at `yIndex`: fixed cut of "graphic\t" on line
// yIndex-2, "|", fixed cut of "\tx\t" on yIndex-1, "|", fixed cut of "\ty\t" on yIndex, "|",
// fixed cut of "\tz\t" on yIndex+1 (cuts of 6, 4, 4, 4 bytes, not converted). Nothing when the
// line two above or the line below does not exist (decision 3: such a line is skipped).
std::optional<std::string> itemPositionKey(const ImportLines& lines, std::size_t yIndex);

// Order of ItemKeySet (decision 1): case-insensitive (ASCII letters folded); first with "-" and
// "'" left out, byte by byte with the weights: other symbols and blanks (by code) < digits <
// letters (by folded code), a prefix first; if equal that way, the full strings by
// case-insensitive byte order. Returns <0, 0 or >0; 0 exactly when the keys are equal
// case-insensitively (then they are the same key).
int compareItemKeys(std::string_view a, std::string_view b);

// A text whose byte order (std::string's <, memcmp) is the order of compareItemKeys, and which
// is equal for two keys exactly when compareItemKeys gives 0. For sorting many keys.
std::string itemKeySortText(std::string_view key);

struct ItemKeyLess
{
    bool operator()(std::string_view a, std::string_view b) const
    {
        return compareItemKeys(a, b) < 0;
    }
};

} // namespace tarvek
