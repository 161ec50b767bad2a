#include "calc/Calculation.h"

#include "base/FileNames.h"
#include "calc/CalculationRun.h"
#include "importfile/ImportFormat.h"
#include "importfile/ImportText.h"
#include "pricing/PriceList.h"

namespace tarvek {
namespace {

constexpr std::size_t kPumpEvery = 4096;

} // namespace

std::string_view CalculationOutcome::name() const
{
    if (!run) {
        return "invalid";
    }
    return *run == RunOutcome::Complete  ? "complete"
           : *run == RunOutcome::Stopped ? "stopped"
                                         : "aborted";
}

CalculationOutcome calculate(Calculation& calc, const CalculationRequest& request)
{
    RecordingObserver& window = calc.window;
    // Nothing to paint: a run without a window looks for a stop (the batch's) every few thousand
    // lines, not after each.
    window.setPumpEvery(kPumpEvery);
    window.setAnswer(request.nested);
    window.setFeeChoice(request.fees);
    TextEncoding encoding = TextEncoding::Windows1252;
    std::uint64_t fingerprint = 0;
    auto text =
        readImportText(request.importFile, &encoding, request.recordItems ? &fingerprint : nullptr);
    if (!text) {
        window.showMessage(MessageKind::Error, "Fehler",
                           fileOpenErrorText(request.importFile, text.error().reason));
        calc.outcome = {.run = RunOutcome::Unreadable};
        return calc.outcome;
    }
    window.Resetten();
    if (!pruefeimportdatei(*text)) {
        calc.outcome = {.run = std::nullopt};
        return calc.outcome;
    }
    RunSettings settings;
    settings.importFileName = request.importFile;
    settings.programDir = request.programDir;
    settings.priceListFile = request.priceListFile;
    settings.priceList = request.priceList;
    settings.separators = request.separators ? *request.separators : systemLocaleSeparators();
    SystemClock clock;
    settings.clock = &clock;
    settings.items = request.recordItems ? &calc.items : nullptr;
    CalculationRun run(std::move(settings), calc.state, window);
    const RunOutcome result = run.execute(std::move(*text), encoding, fingerprint);
    if (result == RunOutcome::PriceListMissing) {
        calc.missingPriceList = priceListToRead(request.priceListFile, request.programDir);
    }
    calc.outcome = {.run = result};
    return calc.outcome;
}

std::string errorText(const Calculation& calc, const std::string& importFile,
                      std::string_view program)
{
    const std::string prefix = std::string(program) + ": ";
    if (!calc.outcome.run) {
        return prefix + "Die Datei " + shownFileName(importFile) +
               " ist keine gültige Importdatei.\n";
    }
    if (!calc.missingPriceList.empty()) {
        // The window's message names only Preisliste.txt; here the file that was looked for.
        const auto read = readPriceListFile(calc.missingPriceList);
        const std::string reason = read ? std::string() : read.error().reason;
        return prefix + priceListUnreadableText(calc.missingPriceList, reason) + "\n";
    }
    std::string text;
    for (const auto& message : calc.window.messages()) {
        if (message.kind == RecordingObserver::Message::Kind::Error) {
            text += prefix;
            for (const char c : message.text) {
                if (c != '\r') {
                    text += c;
                }
            }
            text += '\n';
        }
    }
    if (text.empty() && !calc.outcome.reachedEnd()) {
        text = prefix + "Die Berechnung ist nicht zu Ende gelaufen.\n";
    }
    return text;
}

} // namespace tarvek
