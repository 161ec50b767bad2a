#include "pricing/Breakdown.h"

#include <array>
#include <utility>

namespace tarvek {
namespace {

// By BreakdownStatus: the name of the JSON report and the German text of the documents.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kStatusNames = {{
    {"priced", "berechnet"},
    {"notCalculated", "nicht berechnet"},
    {"exempt", "ausgenommen"},
    {"bundleError", "Bundle-Fehler"},
}};

} // namespace

void Breakdown::clear()
{
    m_rows.clear();
    m_byGraphic.clear();
}

void Breakdown::add(BreakdownRow row)
{
    m_byGraphic.try_emplace(row.graphic, m_rows.size());
    m_rows.push_back(std::move(row));
}

const BreakdownRow* Breakdown::find(std::int32_t graphic) const
{
    const auto it = m_byGraphic.find(graphic);
    return it == m_byGraphic.end() ? nullptr : &m_rows[it->second];
}

std::int64_t Breakdown::sum(bool hz) const
{
    return sums()[hz ? 0 : 1].amount;
}

std::array<BreakdownSum, 3>
Breakdown::sums(const std::function<bool(const BreakdownRow&)>& counts) const
{
    std::int64_t hz = 0;
    std::int64_t nhz = 0;
    for (const BreakdownRow& row : m_rows) {
        if (row.hasPriceLine && (!counts || counts(row))) {
            (row.hz ? hz : nhz) += row.amount;
        }
    }
    return {{{"Summe HZ", hz}, {"Summe NHZ", nhz}, {"Summe Items", hz + nhz}}};
}

std::string_view statusName(BreakdownStatus status)
{
    return kStatusNames[static_cast<std::size_t>(status)].first;
}

std::string_view statusText(BreakdownStatus status)
{
    return kStatusNames[static_cast<std::size_t>(status)].second;
}

std::string_view className(const BreakdownRow& row)
{
    if (!row.hasPriceLine) {
        return {};
    }
    return row.hz ? "HZ" : "NHZ";
}

} // namespace tarvek
