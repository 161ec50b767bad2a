#include "calc/BreakdownCsv.h"

#include "calc/Bill.h"

#include <array>

namespace tarvek {
namespace {

constexpr std::size_t kNameColumn = 3;

} // namespace

std::string_view kindText(const BreakdownRow& row)
{
    if (!row.hasPriceLine) {
        return {};
    }
    return row.kind == "t" ? "Stück" : "Bund";
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

std::string formulaGuarded(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 1);
    if (!text.empty() &&
        std::string_view("=+-@\t\r\n").find(text.front()) != std::string_view::npos) {
        out += '\'';
    }
    out += text;
    return out;
}

std::string csvTextField(std::string_view text)
{
    return csvField(formulaGuarded(text));
}

std::string breakdownCsv(const RunState& state, FeeChoice fees)
{
    std::string out = "\xEF\xBB\xBF";
    std::array<std::string, 10> fields;
    for (std::size_t i = 0; i < kBreakdownHeader.size(); ++i) {
        fields[i] = kBreakdownHeader[i];
    }
    appendCsvRow(out, fields, {kNameColumn});
    for (const BreakdownRow& row : state.breakdown.rows()) {
        const bool line = row.hasPriceLine;
        const std::array<std::string, 10> rowFields = {
            std::to_string(row.graphic),
            row.key,
            std::to_string(row.items),
            line ? row.name : std::string(),
            line ? std::to_string(row.price) : std::string(),
            std::string(kindText(row)),
            line && row.pieces ? std::to_string(*row.pieces) : std::string(),
            std::string(className(row)),
            std::to_string(row.amount),
            std::string(statusText(row.status))};
        appendCsvRow(out, rowFields, {kNameColumn});
    }
    if (!state.billShown) {
        return out; // no pricing to add up, no bill
    }
    // The sum rows, then the bill: the label in the first column, the amount in "Betrag".
    const auto appendSum = [&out](std::string_view label, std::int64_t amount) {
        std::array<std::string, 10> sum;
        sum[0] = label;
        sum[8] = std::to_string(amount);
        appendCsvRow(out, sum, {kNameColumn});
    };
    for (const BreakdownSum& sum : state.breakdown.sums()) {
        appendSum(sum.label, sum.amount);
    }
    for (const BillItem& item : billItems(state, fees)) {
        appendSum(item.label, item.amount);
    }
    return out;
}

} // namespace tarvek
