#pragma once

#include "pricing/Breakdown.h"

#include <cstdint>

namespace tarvek {

// The run state that the main window keeps and that survives a run. The
// window owns one RunState, zero-initialised at creation, and hands it by reference to every
// CalculationRun and to rechnungsermittlung()/refreshBill(). RunActive, CancelRequested and
// CloseAllowed stay in the window (see CalculationRun.h for who sets them).
//
// Money is 64-bit here (32-bit sums would wrap around); prices and
// piece counts are still read as 32-bit numbers.
struct RunState
{
    // A run reached its end since the last load: set by a complete run and by the answer No to
    // the nested-items question; the window's load command sets it to false (step 9 of loading).
    bool billReady = false;
    // Spawns found by phase 5 (set to 0 when phase 5 starts).
    std::int32_t spawnCount = 0;
    // Nested items found by phase 7 (set to 0 when phase 7 starts).
    std::int64_t nestedCount = 0;
    // Item sums: cleared at the end of phase 7, summed in phase 8.
    std::int64_t itemSumHZ = 0;
    std::int64_t itemSumNHZ = 0;
    // What phase 8 made of each graphic; cleared with the item sums.
    Breakdown breakdown;
    // Bill fields written by rechnungsermittlung.
    std::int64_t waterFlatFee = 0;
    std::int64_t basementFlatFee = 0;
    std::int64_t squareStepFee = 0;
    std::int64_t grandTotal = 0;
    // The bill fields are those of the bill that ListBox4 shows: set by rechnungsermittlung,
    // false again whenever Resetten empties the list (a load, a run's start, a cancelled run).
    // A run that ends without a bill (the answer No, "Stopp") leaves the fields of an older bill
    // behind; the bill's document and the CSV write a bill only while this is true.
    bool billShown = false;
};

} // namespace tarvek
