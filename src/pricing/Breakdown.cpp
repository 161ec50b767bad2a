#include "pricing/Breakdown.h"

#include <utility>

namespace tarvek {

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
    std::int64_t total = 0;
    for (const BreakdownRow& row : m_rows) {
        if (row.hasPriceLine && row.hz == hz) {
            total += row.amount;
        }
    }
    return total;
}

std::string_view statusName(BreakdownStatus status)
{
    switch (status) {
    case BreakdownStatus::Priced:
        return "priced";
    case BreakdownStatus::NotCalculated:
        return "notCalculated";
    case BreakdownStatus::Exempt:
        return "exempt";
    case BreakdownStatus::BundleError:
        return "bundleError";
    }
    return "notCalculated";
}

std::string_view statusText(BreakdownStatus status)
{
    switch (status) {
    case BreakdownStatus::Priced:
        return "berechnet";
    case BreakdownStatus::NotCalculated:
        return "nicht berechnet";
    case BreakdownStatus::Exempt:
        return "ausgenommen";
    case BreakdownStatus::BundleError:
        return "Bundle-Fehler";
    }
    return "nicht berechnet";
}

std::string_view className(const BreakdownRow& row)
{
    if (!row.hasPriceLine) {
        return {};
    }
    return row.hz ? "HZ" : "NHZ";
}

} // namespace tarvek
