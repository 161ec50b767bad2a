#pragma once

#include "calc/RunObserver.h"

#include <string>
#include <vector>

namespace tarvek {

// The options of tarvek-calc as parsed.
struct CalcOptions
{
    std::string priceList;
    bool water = false;
    bool basement = false;
    Answer nested = Answer::Yes;
    bool json = false;
    std::string csvFile;   // empty: no CSV; "-": standard output
    std::string cleanFile; // --clean: the copy to write
    bool nestedCopies = false;
    std::string compareFile; // --compare: the old file
    std::string importFile;
    bool help = false;
    bool version = false;
    // --batch: the files and folders; --jobs (0: one per core); the second table's CSV file.
    bool batch = false;
    std::vector<std::string> paths;
    unsigned jobs = 0;
    std::string csvUnpriced;
};

} // namespace tarvek
