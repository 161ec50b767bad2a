#include "calc/Calculation.h"

#include "calc/CalculationRun.h"
#include "importfile/ImportFormat.h"

namespace tarvek {

void calculate(Calculation& calc, const std::string& importFile, const std::string& programDir,
               const std::string& priceListFile, FeeChoice fees, Answer nested)
{
    RecordingObserver& window = calc.window;
    window.setAnswer(nested);
    window.setFeeChoice(fees);
    std::string reason;
    auto lines = readImportLines(importFile, &reason);
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
    const RunOutcome result = run.execute(std::move(*lines));
    calc.reachedEnd = tarvek::reachedEnd(result);
    calc.outcome = result == RunOutcome::Complete  ? "complete"
                   : result == RunOutcome::Stopped ? "stopped"
                                                   : "aborted";
}

} // namespace tarvek
