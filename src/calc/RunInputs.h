#pragma once
// The files a calculation without a window reads, and the check that no output is one of them.

#include "calc/Calculation.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// A file a command reads, with what its messages call it ("die Importdatei").
struct ReadFile
{
    std::string file;
    std::string_view what;
};

// The files a calculation of `request` reads: its import file and its price list (the one given,
// else the one found in request.programDir, when there is one).
std::vector<ReadFile> filesRead(const CalculationRequest& request);

// "OPTION würde WHAT überschreiben: OUTPUT" when the output is one of `inputs`, also by another
// spelling or a hard link; empty when it is none of them, and for the standard output ("-").
// tarvek-calc and the exports of the window program both ask here before they run.
std::string overwrittenInput(std::string_view option, const std::string& output,
                             const std::vector<ReadFile>& inputs);

} // namespace tarvek
