#pragma once

#include "calc/cli/CalcOptions.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace tarvek {

// tarvek-calc --batch: prices every file of the paths against one price list on --jobs workers
// and writes both tables (text, --json, or the two CSV files). `output` writes to the standard
// output and reports a failure itself. Returns 0 when every file ran to its end, else 1.
int runBatchCommand(const CalcOptions& options, const std::string& programDir,
                    const std::function<bool(const std::string&)>& output, std::ostream& err,
                    bool errIsTerminal);

} // namespace tarvek
