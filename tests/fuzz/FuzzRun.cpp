#include "fuzz/FuzzRun.h"

#include "calc/ItemRecord.h"
#include "calc/cli/Report.h"
#include "hardening/CheckedWindow.h"
#include "importfile/ImportFormat.h"
#include "pricing/Bill.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tarvek::fuzz {

namespace {

// "Refresh" after the run, with the fee boxes the bytes choose: the bill must still add up.
void checkRefresh(RunState& state, const hardening::CheckedWindow& window, std::uint64_t choice,
                  const Clock& clock, const LocaleSeparators& separators)
{
    hardening::CheckedWindow refreshed;
    const FeeChoice fees{(choice & 0x800) != 0, (choice & 0x1000) != 0};
    refreshBill(state, {fees, window.display(NumberDisplay::SquareSteps)}, refreshed, clock,
                separators);
    if (state.billReady && state.grandTotal != state.itemSumHZ + state.itemSumNHZ +
                                                   state.waterFlatFee + state.basementFlatFee +
                                                   state.squareStepFee) {
        std::fprintf(stderr, "the refreshed bill does not add up\n");
        std::abort();
    }
    if (!refreshed.violations().empty()) {
        std::fprintf(stderr, "refresh broke rules:\n%s", refreshed.report().c_str());
        std::abort();
    }
}

// tarvek-calc's reports of the same run: the JSON must be UTF-8 without raw control characters,
// whatever bytes the files held.
void checkReports(RunOutcome outcome, const hardening::CheckedWindow& window, const RunState& state,
                  const ItemRecord& items)
{
    const std::string json = jsonReport({hardening::outcomeName(outcome), window, state, &items});
    (void)textReport({hardening::outcomeName(outcome), window, state});
    if (!hardening::isValidUtf8(json) || std::any_of(json.begin(), json.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\n';
        })) {
        std::fprintf(stderr, "tarvek-calc's JSON is not clean UTF-8\n");
        std::abort();
    }
}

} // namespace

std::uint64_t choiceOf(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t h = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        h = (h ^ data[i]) * 1099511628211ull;
    }
    return h;
}

void runChecked(const std::string& importBytes, const std::string& priceListBytes,
                std::uint64_t choice)
{
    ImportLines lines = splitLines(importBytes);
    if (!pruefeimportdatei(lines)) {
        return;
    }
    // One run in eight is stopped somewhere within its first pumps (each line is one pump).
    const std::uint64_t cancelAt =
        (choice >> 1) % 8 == 0 ? 1 + (choice >> 4) % (8 * lines.size() + 64) : 0;
    const Answer answer = (choice & 1) != 0 ? Answer::No : Answer::Yes;
    hardening::CheckedWindow window(answer, cancelAt);
    window.setFeeChoice({(choice & 0x100) != 0, (choice & 0x200) != 0});

    FixedClock clock({12, 34, 56});
    RunSettings settings;
    settings.clock = &clock;
    // Some runs use separators of more than one byte, as some regional settings have.
    if ((choice & 0x400) != 0) {
        settings.separators = {"\u202F", "\u2236"};
    }
    const LocaleSeparators separators = settings.separators;
    // In one run in sixteen the price list disappears before the first, second or third phase
    // that reads it.
    const int missingFromRead =
        (choice >> 19) % 16 == 0 ? 1 + static_cast<int>((choice >> 23) % 3) : 0;
    settings.readPriceList = [&priceListBytes, missingFromRead,
                              reads = 0]() mutable -> std::optional<std::string> {
        if (missingFromRead != 0 && ++reads >= missingFromRead) {
            return std::nullopt;
        }
        return priceListBytes;
    };
    ItemRecord items;
    settings.items = &items;
    RunState state;
    CalculationRun run(std::move(settings), state, window);
    const RunOutcome outcome = run.execute(std::move(lines));
    // After a complete run phase 8 has decided every item's category.
    if (items.complete() != (outcome == RunOutcome::Complete) ||
        std::any_of(items.items().begin(), items.items().end(), [&](const RecordedItem& item) {
            return items.complete() && !item.category();
        })) {
        std::fprintf(stderr, "the item record does not match the run\n");
        std::abort();
    }
    window.checkEnd(outcome, state);
    // The refresh and tarvek-calc's reports cost more than many a run: they are checked for the
    // runs whose bytes choose them, one in four and one in sixteen.
    if ((choice >> 13) % 4 == 0) {
        checkRefresh(state, window, choice, clock, separators);
    }
    if ((choice >> 15) % 16 == 0) {
        checkReports(outcome, window, state, items);
    }
    if (!window.violations().empty()) {
        std::fprintf(stderr, "run ended %s, broken rules:\n%s", hardening::outcomeName(outcome),
                     window.report().c_str());
        std::abort();
    }
}

} // namespace tarvek::fuzz
