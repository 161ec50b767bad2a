#pragma once

#include "importfile/ImportLines.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

inline constexpr std::string_view kPriceListName = "Preisliste.txt";

// The path of the price list in `folder`: the file whose name is "Preisliste.txt" with letter
// case ignored ("preisliste.txt" from the download is the same file). When several spellings
// exist, "Preisliste.txt" wins, then "preisliste.txt", then the first other one in byte order.
// Nothing when there is none. `folder` may end with "/" or not.
std::optional<std::string> findPriceList(const std::string& folder);

// Column readers (Part 4.1) on one price line; columns counted from 1, separated by "|".
// Number of columns: the count of "|" plus 1.
std::size_t priceColumnCount(std::string_view line);
// PriceColumnText of column n (3, 4, 5): the text of column n, up to the next "|" (or the end).
// Empty when the line has fewer than n columns.
std::string_view priceColumnText(std::string_view line, int n);
// PriceColumnMark of column n (6, 7, 8): the first character of what is left after deleting n-1
// columns with their separators; empty when nothing is left.
std::string_view priceColumnMark(std::string_view line, int n);

// The price list read whole into lines, with the three lookups of Part 4.1. A lookup by a
// GraphicKey ("0x" and 4 to 8 hex digits) uses an index built on first use, so a lookup costs
// about as much as its result; it returns exactly the lines a plain substring search returns
// (the key 0x0e75 also selects a line holding 0x0e751, or the key in any column). Other keys
// are searched line by line.
class PriceList
{
public:
    PriceList();
    explicit PriceList(ImportLines lines);
    ~PriceList();
    PriceList(PriceList&&) noexcept;
    PriceList& operator=(PriceList&&) noexcept;

    static PriceList fromBytes(std::string_view bytes) { return PriceList(splitLines(bytes)); }

    const ImportLines& lines() const { return m_lines; }
    std::size_t size() const { return m_lines.size(); }

    // FindMovableMarks: the indices of every line that contains `key` as stored (case-sensitive),
    // in file order. Phase 5 passes the lower-cased GraphicKey.
    const std::vector<std::uint32_t>& findMovableMarks(std::string_view key) const;
    // PriceListContains: whether any line contains `key`, both upper-cased (ASCII only).
    bool contains(std::string_view key) const;
    // FindPriceLine: the index of the first line whose lower-cased text contains the lower-cased
    // key; nothing when none does.
    std::optional<std::size_t> findPriceLine(std::string_view key) const;

private:
    struct Index;
    ImportLines m_lines;
    mutable std::unique_ptr<Index> m_index;
};

} // namespace tarvek
