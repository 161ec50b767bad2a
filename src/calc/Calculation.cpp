#include "calc/Calculation.h"

#include "calc/CalculationRun.h"
#include "importfile/ImportFormat.h"
#include "importfile/ImportLines.h"
#include "pricing/PriceList.h"

namespace tarvek {

void calculate(Calculation& calc, const std::string& importFile, const std::string& programDir,
               const std::string& priceListFile, FeeChoice fees, Answer nested)
{
    RecordingObserver& window = calc.window;
    window.setAnswer(nested);
    window.setFeeChoice(fees);
    std::string reason;
    TextEncoding encoding = TextEncoding::Windows1252;
    auto lines = readImportLines(importFile, &reason, &encoding);
    if (!lines) {
        window.showMessage(MessageKind::Error, "Fehler", fileOpenErrorText(importFile, reason));
        calc.outcome = "aborted";
        return;
    }
    window.Resetten();
    if (!pruefeimportdatei(*lines)) {
        calc.outcome = "invalid";
        return;
    }
    RunSettings settings;
    settings.importFileName = importFile;
    settings.programDir = programDir;
    settings.priceListFile = priceListFile;
    settings.separators = systemLocaleSeparators();
    SystemClock clock;
    settings.clock = &clock;
    settings.items = calc.recordItems ? &calc.items : nullptr;
    CalculationRun run(std::move(settings), calc.state, window);
    const RunOutcome result = run.execute(std::move(*lines), encoding);
    if (result == RunOutcome::PriceListMissing) {
        const auto found = priceListFile.empty() ? findPriceList(programDir)
                                                 : std::optional<std::string>(priceListFile);
        calc.missingPriceList = found ? *found : programDir;
        if (!found) {
            calc.missingPriceList.append(kPriceListName);
        }
    }
    calc.reachedEnd = tarvek::reachedEnd(result);
    calc.outcome = result == RunOutcome::Complete  ? "complete"
                   : result == RunOutcome::Stopped ? "stopped"
                                                   : "aborted";
}

std::string errorText(const Calculation& calc, const std::string& importFile,
                      std::string_view program)
{
    const std::string prefix = std::string(program) + ": ";
    if (calc.outcome == "invalid") {
        return prefix + "Die Datei " + importFile + " ist keine gültige Importdatei.\n";
    }
    if (!calc.missingPriceList.empty()) {
        // The window's message names only Preisliste.txt; here the file that was looked for.
        std::string reason;
        readPriceListFile(calc.missingPriceList, &reason);
        return prefix + "Preisliste " + calc.missingPriceList + " kann nicht gelesen werden" +
               (reason.empty() ? std::string() : ": " + reason) + "\n";
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
    if (text.empty() && !calc.reachedEnd) {
        text = prefix + "Die Berechnung ist nicht zu Ende gelaufen.\n";
    }
    return text;
}

} // namespace tarvek
