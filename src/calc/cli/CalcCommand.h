#pragma once

#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

#include <iosfwd>
#include <string>
#include <vector>

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

// tarvek-calc [--price-list FILE] [--water] [--basement] [--nested continue|stop] [--json]
//             IMPORTFILE
// Runs one calculation like the main window (load command, then start) and prints what the
// window would show at the end. `programDir` is where the price list is found by default.
// Returns the exit status: 0 when the run reached its end (complete or stopped), 1 when it did
// not (invalid, aborted, unreadable file), 2 for a usage error.
int runCalcCommand(const std::vector<std::string>& args, const std::string& programDir,
                   std::ostream& out, std::ostream& err);

} // namespace tarvek
