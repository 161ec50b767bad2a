#include "fuzz/FuzzRun.h"

#include "calc/Bill.h"
#include "calc/ItemRecord.h"
#include "calc/cli/Report.h"
#include "importfile/ImportFormat.h"
#include "pricing/Breakdown.h"
#include "pricing/PriceList.h"
#include "support/engine/CheckedWindow.h"
#include "support/engine/TempFolder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace tarvek::fuzz {

namespace {

// A broken rule: the fuzzer reports the abort as a crash and keeps the input.
[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

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
        fail("the refreshed bill does not add up");
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
        fail("tarvek-calc's JSON is not clean UTF-8");
    }
}

// What a complete run leaves for the documents: the cost breakdown's rows add up to the item
// sums, one row per graphic, and the plan's lowest level and square steps are the window's.
void checkComplete(const RunState& state, const ItemRecord& items,
                   const hardening::CheckedWindow& window)
{
    const Breakdown& breakdown = state.breakdown;
    bool rowsFound = true;
    for (const BreakdownRow& row : breakdown.rows()) {
        rowsFound =
            rowsFound && breakdown.find(row.graphic) == &row && !statusText(row.status).empty();
    }
    if (!rowsFound || breakdown.sum(true) != state.itemSumHZ ||
        breakdown.sum(false) != state.itemSumNHZ) {
        fail("the cost breakdown does not match the item sums");
    }
    if (items.lowestLevel() != window.display(NumberDisplay::LowestLevel) ||
        items.squareSteps() != window.display(NumberDisplay::SquareSteps)) {
        fail("the item record's level or square steps are not the window's");
    }
}

// The whole run without a stop, its items recorded, with the price list as `settings` give it.
std::string uninterruptedReport(const ImportLines& lines, TextEncoding encoding,
                                RunSettings settings)
{
    hardening::CheckedWindow window;
    FixedClock clock({12, 34, 56});
    ItemRecord items;
    settings.clock = &clock;
    settings.items = &items;
    RunState state;
    CalculationRun run(std::move(settings), state, window);
    const RunOutcome outcome = run.execute(ImportLines(lines), encoding);
    return jsonReport({hardening::outcomeName(outcome), window, state, &items});
}

// A batch shares one list, read once and indexed whole, among its runs: each must report what the
// run that reads and indexes the list itself reports.
void checkSharedList(const ImportLines& lines, TextEncoding encoding,
                     const std::string& priceListBytes)
{
    RunSettings own;
    own.readPriceList = [&priceListBytes]() -> std::optional<std::string> {
        return priceListBytes;
    };
    RunSettings shared;
    auto list = std::make_shared<PriceList>(PriceList::fromBytes(priceListBytes));
    list->prepareAll();
    shared.priceList = std::move(list);
    if (uninterruptedReport(lines, encoding, std::move(own)) !=
        uninterruptedReport(lines, encoding, std::move(shared))) {
        fail("a run with the batch's shared price list reports otherwise");
    }
}

// The list shared by a batch's runs is the one the program prefers in `folder`; one that cannot be
// read is named in the message.
void checkSharedListFile(const std::string& folder, const std::optional<std::string>& found,
                         const std::string& priceListBytes)
{
    std::string message;
    const auto list = loadSharedPriceList(std::string(), folder, message);
    const bool told = !list && message.starts_with("Preisliste ");
    // A list that is there is read whole, unless its encoding is refused; one that is not there
    // is named.
    const bool right = found ? (list && message.empty() &&
                                list->size() == PriceList::fromBytes(priceListBytes).size()) ||
                                   (told && encodingRefusal(priceListBytes))
                             : told && message.find(kPriceListName) != std::string::npos;
    if (!right) {
        fail("the shared price list is not the one the program prefers");
    }
}

// The settings of a run that reads its files as the window's run does, with the system's clock
// and separators: the import file (gone in one such run in eight) and the price list under the
// names the program accepts that the bytes choose. Of several, the one the program prefers holds
// the list and the others are empty; none means the list is missing. The file reader must give
// the lines the bytes give, and the way the program writes text files must read back the same.
void putFiles(RunSettings& settings, const ImportLines& lines, const std::string& importBytes,
              const std::string& priceListBytes, std::uint64_t choice)
{
    static const hardening::TempFolder folder;
    // In the order the program prefers them.
    static constexpr std::array<const char*, 3> kNames = {"Preisliste.txt", "preisliste.txt",
                                                          "PREISLISTE.TXT"};
    const unsigned present = static_cast<unsigned>(choice >> 27) % 8; // one bit per name
    for (const char* name : kNames) {
        folder.remove(name);
    }
    // The preferred one last: where letter case is ignored, the names are one file.
    std::optional<std::string> preferred;
    for (std::size_t k = kNames.size(); k-- > 0;) {
        if ((present & (1u << k)) != 0) {
            const bool best = (present & ((1u << k) - 1)) == 0;
            const std::string path = folder.write(kNames[k], best ? priceListBytes : std::string());
            if (best) {
                preferred = path;
            }
        }
    }
    const auto found = findPriceList(folder.path().string());
    if (found.has_value() != preferred.has_value() ||
        (found && std::filesystem::path(*found) != std::filesystem::path(*preferred))) {
        fail("the price list found is not the one the program prefers");
    }
    checkSharedListFile(folder.path().string(), found, priceListBytes);
    const bool importGone = (choice >> 40) % 8 == 0;
    settings.importFileName = (folder.path() / "Import.cfg").string();
    folder.remove("Import.cfg");
    if (!importGone) {
        folder.write("Import.cfg", importBytes);
    }
    settings.programDir = folder.path().string();
    settings.clock = nullptr;
    settings.separators = systemLocaleSeparators();
    if ((!importGone && readImportLines(settings.importFileName) != lines) ||
        splitLines(joinLinesCrLf(lines)) != lines) {
        fail("the import file reads back other lines");
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
    // Read as the file reader reads it: UTF-16 refused, a UTF-8 byte-order mark set apart.
    if (encodingRefusal(importBytes)) {
        return;
    }
    const TextEncoding encoding = detectTextEncoding(importBytes);
    ImportLines lines = splitLines(withoutBom(importBytes));
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
    // One run in thirty-two reads files instead of bytes in memory.
    const bool fromFiles = (choice >> 31) % 32 == 0;
    if (fromFiles) {
        putFiles(settings, lines, importBytes, priceListBytes, choice);
    }
    const LocaleSeparators separators = settings.separators;
    // In one run in sixteen the price list disappears before the first, second or third phase
    // that reads it.
    const int missingFromRead =
        (choice >> 19) % 16 == 0 ? 1 + static_cast<int>((choice >> 23) % 3) : 0;
    if (!fromFiles) {
        settings.readPriceList = [&priceListBytes, missingFromRead,
                                  reads = 0]() mutable -> std::optional<std::string> {
            if (missingFromRead != 0 && ++reads >= missingFromRead) {
                return std::nullopt;
            }
            return priceListBytes;
        };
    }
    // One run in sixteen of those read in memory is also run with a list shared as a batch's (which
    // is read only in an encoding that is not refused).
    if (!fromFiles && (choice >> 43) % 16 == 0 && !encodingRefusal(priceListBytes)) {
        checkSharedList(lines, encoding, priceListBytes);
    }
    ItemRecord items;
    settings.items = &items;
    RunState state;
    CalculationRun run(std::move(settings), state, window);
    const RunOutcome outcome = fromFiles ? run.execute() : run.execute(std::move(lines), encoding);
    // After a complete run phase 8 has decided every item's category.
    if (items.complete() != (outcome == RunOutcome::Complete) ||
        std::any_of(items.items().begin(), items.items().end(), [&](const RecordedItem& item) {
            return items.complete() && !item.category();
        })) {
        fail("the item record does not match the run");
    }
    window.checkEnd(outcome, state);
    if (outcome == RunOutcome::Complete) {
        checkComplete(state, items, window);
    }
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
