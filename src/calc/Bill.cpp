#include "calc/Bill.h"

#include "pricing/Money.h"

#include <algorithm>

namespace tarvek {
namespace {

constexpr std::size_t kAmountWidth = 14;

constexpr std::size_t kLabelWidth = 23; // then ": ", so every amount ends at character 39

std::string billLine(const BillItem& item, const LocaleSeparators& sep)
{
    std::string line(item.label);
    line.resize(std::max(line.size(), kLabelWidth), ' ');
    return line + ": " + padLeft(moneyText(item.amount, sep.thousands), kAmountWidth);
}

} // namespace

std::vector<BillItem> billItems(const RunState& state, FeeChoice fees)
{
    std::vector<BillItem> items;
    if (fees.water) {
        items.push_back({"Wasserbaupauschale", state.waterFlatFee});
    }
    if (fees.basement) {
        items.push_back({"Kellerpauschale", state.basementFlatFee});
    }
    items.push_back({"QS gesamt", state.squareStepFee});
    items.push_back({"Summe Items HZ gesamt", state.itemSumHZ});
    items.push_back({"Summe Items NHZ gesamt", state.itemSumNHZ});
    items.push_back({"Gesamtsumme", state.grandTotal, true});
    return items;
}

std::vector<std::string> billLines(const RunState& state, FeeChoice fees,
                                   const LocaleSeparators& separators)
{
    std::vector<std::string> lines;
    for (const BillItem& item : billItems(state, fees)) {
        if (item.total) {
            lines.emplace_back("---------------------------------------");
        }
        lines.push_back(billLine(item, separators));
    }
    lines.emplace_back("=======================================");
    return lines;
}

void rechnungsermittlung(RunState& state, const BillInputs& inputs, RunObserver& observer,
                         const LocaleSeparators& separators)
{
    observer.clearList(ResultList::Bill);
    state.waterFlatFee = inputs.fees.water ? kFlatFee : 0;
    state.basementFlatFee = inputs.fees.basement ? kFlatFee : 0;
    state.squareStepFee = inputs.squareSteps * kSquareStepPrice;
    state.grandTotal = state.itemSumHZ + state.itemSumNHZ + state.waterFlatFee +
                       state.basementFlatFee + state.squareStepFee;
    state.billShown = true;
    for (const auto& line : billLines(state, inputs.fees, separators)) {
        observer.appendLine(ResultList::Bill, line, kColourBlack);
        observer.selectLastEntry(ResultList::Bill);
    }
    observer.appendLine(ResultList::Protocol,
                        "Gesamtsumme: " + moneyText(state.grandTotal, separators.thousands),
                        kColourBlack);
    observer.selectLastEntry(ResultList::Protocol);
    observer.setDisplay(NumberDisplay::GrandTotal, state.grandTotal);
}

void refreshBill(RunState& state, const BillInputs& inputs, RunObserver& observer,
                 const Clock& clock, const LocaleSeparators& separators)
{
    if (!state.billReady) {
        observer.showMessage(MessageKind::Information, "Hinweis",
                             "Vor einer Neuberechnung bitte erst Import berechnen lassen!");
        return;
    }
    observer.appendLine(ResultList::Protocol,
                        formatTime(clock.now(), separators.time) + " Neuberechnung gestartet",
                        kColourGreen);
    rechnungsermittlung(state, inputs, observer, separators);
}

} // namespace tarvek
