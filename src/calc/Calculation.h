#pragma once

#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

#include <string>
#include <string_view>

namespace tarvek {

// One calculation as the main window runs it after loading a file, without a window.
struct Calculation
{
    RecordingObserver window;
    RunState state;
    std::string outcome; // "complete", "stopped", "aborted" or "invalid"
    bool reachedEnd = false;
    bool recordItems = false; // keep `items`, the plan of the building
    ItemRecord items;
    // After a run that found no price list: the file it looked for (the one given, else
    // Preisliste.txt in the program's folder).
    std::string missingPriceList;
};

// The load command (read, validity test, Resetten) and the start: the price list is
// `priceListFile` when given, else the one in `programDir`.
void calculate(Calculation& calc, const std::string& importFile, const std::string& programDir,
               const std::string& priceListFile, FeeChoice fees, Answer nested);

// The errors of a calculation for the standard error of the programs without a window, one line
// each, beginning with `program` and ": ": the file that is no import file, a missing price list
// by the file that was looked for, the run's error messages (a bundle without pieces is one that
// does not stop the run). A run that did not reach its end always says why.
std::string errorText(const Calculation& calc, const std::string& importFile,
                      std::string_view program);

} // namespace tarvek
