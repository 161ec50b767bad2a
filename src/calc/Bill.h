#pragma once

#include "calc/Clock.h"
#include "calc/RunObserver.h"
#include "calc/RunState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

inline constexpr std::int64_t kFlatFee = 10000;      // water and basement flat fee each
inline constexpr std::int64_t kSquareStepPrice = 50; // per square step

// What the bill reads besides the RunState: the two check boxes and the value held by BDigit4.
struct BillInputs
{
    FeeChoice fees;
    std::int64_t squareSteps = 0; // the value shown in BDigit4 " Ermittelte QS:"
};

// One amount of the bill with its label ("QS gesamt"); `total` marks the grand total.
struct BillItem
{
    std::string_view label;
    std::int64_t amount = 0;
    bool total = false;
};

// The bill's amounts in the order of its lines: the fees whose box is ticked, square steps, the
// two item sums and the grand total.
std::vector<BillItem> billItems(const RunState& state, FeeChoice fees);

// The bill's lines for the fields in `state`, as rechnungsermittlung writes them.
std::vector<std::string> billLines(const RunState& state, FeeChoice fees,
                                   const LocaleSeparators& separators);

// rechnungsermittlung: sets the four bill fields of `state` (64-bit), clears ListBox4
// and writes the bill there (every line selected), adds "Gesamtsumme: <money>" to the protocol
// (selected) and shows the total in BDigit5. Called by the run at its end.
void rechnungsermittlung(RunState& state, const BillInputs& inputs, RunObserver& observer,
                         const LocaleSeparators& separators);

// BitBtn6Click (Refresh) and CheckBox1Click/CheckBox2Click (after the box changed): when
// state.billReady is false, the "Hinweis" message "Vor einer Neuberechnung bitte erst Import
// berechnen lassen!" and nothing else; otherwise the protocol line time + " Neuberechnung
// gestartet" in green, then rechnungsermittlung.
void refreshBill(RunState& state, const BillInputs& inputs, RunObserver& observer,
                 const Clock& clock, const LocaleSeparators& separators);

} // namespace tarvek
