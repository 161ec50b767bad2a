#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvek {

// What the item pricing made of one graphic of the tally.
enum class BreakdownStatus
{
    Priced,        // a price line priced it
    NotCalculated, // no price line: listed in ListBox5 for pricing by hand
    Exempt,        // 0x1646 or 0x1647 without a price line: neither priced nor listed
    BundleError,   // a bundle line with the piece count 0: adds nothing
};

// One entry of the tally with its pricing. The price line fields are set only when a line
// matched (Priced, BundleError).
struct BreakdownRow
{
    std::int32_t graphic = 0;
    std::string key; // lower-case GraphicKey, "0x0e75"
    std::int64_t items = 0;
    BreakdownStatus status = BreakdownStatus::NotCalculated;
    bool hasPriceLine = false;
    std::string name; // column 2 as stored, UTF-8
    std::int32_t price = 0;
    std::string kind;                   // column 4, lower case: "t" per piece, else a bundle
    std::optional<std::int32_t> pieces; // column 5 when it is a number
    bool hz = false;                    // column 6 begins with "0"
    std::int64_t amount = 0;            // what the graphic added to its item sum
};

// The column names of the cost breakdown, as every copy of it heads its columns (window, document,
// clipboard, CSV).
inline constexpr std::array<std::string_view, 10> kBreakdownHeader = {
    "Grafik", "Schlüssel",     "Anzahl", "Name",   "Preis",
    "Art",    "Stück je Bund", "Klasse", "Betrag", "Status"};

// One sum row below the breakdown's rows: its label and its amount.
struct BreakdownSum
{
    std::string_view label;
    std::int64_t amount = 0;
};

// The cost breakdown of one run: one row per tally entry, in tally order. The rows of class HZ
// add up to ItemSumHZ, those of class NHZ to ItemSumNHZ.
class Breakdown
{
public:
    void clear();
    void add(BreakdownRow row);

    const std::vector<BreakdownRow>& rows() const { return m_rows; }
    bool empty() const { return m_rows.empty(); }
    // The row of a graphic; nullptr when the tally did not hold it.
    const BreakdownRow* find(std::int32_t graphic) const;
    // The sum of the amounts of one class.
    std::int64_t sum(bool hz) const;
    // The sum rows as every copy of the breakdown ends with them: "Summe HZ", "Summe NHZ" and
    // "Summe Items" (both classes: the items alone, without the bill's fees and square steps),
    // over the rows that `counts` accepts, or over all rows.
    std::array<BreakdownSum, 3>
    sums(const std::function<bool(const BreakdownRow&)>& counts = nullptr) const;

private:
    std::vector<BreakdownRow> m_rows;
    std::unordered_map<std::int32_t, std::size_t> m_byGraphic;
};

// The status as the JSON report names it ("priced", "notCalculated", "exempt", "bundleError")
// and as the documents show it in German ("berechnet", "nicht berechnet", "ausgenommen",
// "Bundle-Fehler").
std::string_view statusName(BreakdownStatus status);
std::string_view statusText(BreakdownStatus status);

// The price class as shown: "HZ" or "NHZ"; empty for a row without a price line.
std::string_view className(const BreakdownRow& row);

} // namespace tarvek
