#pragma once

#include "calc/CalculationRun.h"
#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// What one calculation without a window is given.
struct CalculationRequest
{
    std::string importFile{};
    // The folder of Preisliste.txt, ending in a separator.
    std::string programDir{};
    // When not empty: the price list to use instead of the one in programDir.
    std::string priceListFile{};
    // When set, replaces both: one list read once for many calculations (see RunSettings).
    std::shared_ptr<const PriceList> priceList{};
    // When set: the regional separators, looked up once for many calculations.
    std::optional<LocaleSeparators> separators{};
    FeeChoice fees{};
    // The answer to the run's question about the nested items.
    Answer nested = Answer::Yes;
    // Keep the items of the run, the plan of the building (Calculation::items).
    bool recordItems = false;
};

// How a calculation ended.
struct CalculationOutcome
{
    // The run's outcome (Unreadable also when the file could not be read for the validity test);
    // nothing when the validity test refused the import file and no run started.
    std::optional<RunOutcome> run;

    // A run that reached its end: a breakdown and a bill (tarvek-calc's exit status 0).
    bool reachedEnd() const { return run && tarvek::reachedEnd(*run); }
    // "complete", "stopped", "aborted" or "invalid": the word the reports of tarvek-calc use.
    std::string_view name() const;
};

// One calculation as the main window runs it after loading a file, without a window.
struct Calculation
{
    RecordingObserver window;
    RunState state;
    CalculationOutcome outcome;
    ItemRecord items; // when recorded
    // After a run that found no price list: the file it looked for (the one given, else
    // Preisliste.txt in the program's folder).
    std::string missingPriceList;
};

// The load command (read, validity test, Resetten) and the start, into `calc`; returns
// calc.outcome.
CalculationOutcome calculate(Calculation& calc, const CalculationRequest& request);

// The errors of a calculation for the standard error of the programs without a window, one line
// each, beginning with `program` and ": ": the file that is no import file, a missing price list
// by the file that was looked for, the run's error messages (a bundle without pieces is one that
// does not stop the run). A run that did not reach its end always says why.
std::string errorText(const Calculation& calc, const std::string& importFile,
                      std::string_view program);

} // namespace tarvek
