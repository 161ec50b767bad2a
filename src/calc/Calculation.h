#pragma once

#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

#include <string>

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
};

// The load command (read, validity test, Resetten) and the start: the price list is
// `priceListFile` when given, else the one in `programDir`.
void calculate(Calculation& calc, const std::string& importFile, const std::string& programDir,
               const std::string& priceListFile, FeeChoice fees, Answer nested);

} // namespace tarvek
