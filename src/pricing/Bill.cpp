#include "pricing/Bill.h"

#include "pricing/Money.h"

namespace tarvek {
namespace {

constexpr std::size_t kAmountWidth = 14;

std::string billLine(std::string_view label, std::int64_t amount, const LocaleSeparators& sep)
{
    return std::string(label) + padLeft(moneyText(amount, sep.thousands), kAmountWidth);
}

} // namespace

std::vector<std::string> billLines(const RunState& state, FeeChoice fees,
                                   const LocaleSeparators& separators)
{
    std::vector<std::string> lines;
    if (fees.water) {
        lines.push_back(billLine("Wasserbaupauschale     : ", state.waterFlatFee, separators));
    }
    if (fees.basement) {
        lines.push_back(billLine("Kellerpauschale        : ", state.basementFlatFee, separators));
    }
    lines.push_back(billLine("QS gesamt              : ", state.squareStepFee, separators));
    lines.push_back(billLine("Summe Items HZ gesamt  : ", state.itemSumHZ, separators));
    lines.push_back(billLine("Summe Items NHZ gesamt : ", state.itemSumNHZ, separators));
    lines.emplace_back("---------------------------------------");
    lines.push_back(billLine("Gesamtsumme            : ", state.grandTotal, separators));
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
