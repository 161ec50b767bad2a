#pragma once

#include "importfile/ImportFormat.h"
#include "importfile/ImportLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// An ItemPositionKey held without a heap block: four cuts of at most 6, 4, 4 and 4 bytes
// joined by three "|".
struct ItemKeyText
{
    static constexpr std::size_t kMaxSize = 6 + 4 + 4 + 4 + 3;
    std::array<char, kMaxSize> bytes{};
    std::uint8_t size = 0;

    std::string_view view() const { return {bytes.data(), size}; }
    void append(std::string_view piece)
    {
        piece = piece.substr(0, kMaxSize - size);
        std::copy(piece.begin(), piece.end(), bytes.begin() + size);
        size = static_cast<std::uint8_t>(size + piece.size());
    }
};

// ItemPositionKey from the y line at `yIndex`: fixed cut of "graphic\t" on line
// yIndex-2, "|", fixed cut of "\tx\t" on yIndex-1, "|", fixed cut of "\ty\t" on yIndex, "|",
// fixed cut of "\tz\t" on yIndex+1 (cuts of 6, 4, 4, 4 bytes, not converted). Nothing when the
// line two above or the line below does not exist (decision 3: such a line is skipped). `lines`:
// ImportLines or ImportText.
template <typename Lines>
std::optional<ItemKeyText> itemKeyText(const Lines& lines, std::size_t yIndex)
{
    if (yIndex < 2 || yIndex + 1 >= lines.size()) {
        return std::nullopt;
    }
    ItemKeyText key;
    key.append(fixedCut(lines[yIndex - 2], kKeyGraphic, kGraphicCut));
    key.append("|");
    key.append(fixedCut(lines[yIndex - 1], kKeyX, kCoordinateCut));
    key.append("|");
    key.append(fixedCut(lines[yIndex], kKeyY, kCoordinateCut));
    key.append("|");
    key.append(fixedCut(lines[yIndex + 1], kKeyZ, kCoordinateCut));
    return key;
}

// The same as a string.
template <typename Lines>
std::optional<std::string> itemPositionKey(const Lines& lines, std::size_t yIndex)
{
    if (const auto key = itemKeyText(lines, yIndex)) {
        return std::string(key->view());
    }
    return std::nullopt;
}

// Order of ItemKeySet (decision 1): case-insensitive (ASCII letters folded); first with "-" and
// "'" left out, byte by byte with the weights: other symbols and blanks (by code) < digits <
// letters (by folded code), a prefix first; if equal that way, the full strings by
// case-insensitive byte order. Returns <0, 0 or >0; 0 exactly when the keys are equal
// case-insensitively (then they are the same key).
int compareItemKeys(std::string_view a, std::string_view b);

// A text whose byte order (std::string's <, memcmp) is the order of compareItemKeys, and which
// is equal for two keys exactly when compareItemKeys gives 0. For sorting many keys.
std::string itemKeySortText(std::string_view key);
// The same written to `out`, which has room for 3 * key.size() + 1 bytes; returns its length.
std::size_t writeItemKeySortText(std::string_view key, char* out);

struct ItemKeyLess
{
    bool operator()(std::string_view a, std::string_view b) const
    {
        return compareItemKeys(a, b) < 0;
    }
};

} // namespace tarvek
