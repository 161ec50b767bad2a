#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarvek {

// tarvek-calc [--price-list FILE] [--water] [--basement] [--nested continue|stop] [--json]
//             IMPORTFILE
// tarvek-calc --batch [--jobs N] [...] PATH...
// Runs one calculation like the main window (load command, then start) and prints what the
// window would show at the end. `programDir` is where the price list is found by default.
// Returns the exit status: 0 when the run reached its end (complete or stopped), 1 when it did
// not (invalid, aborted, unreadable file), 2 for a usage error. A batch returns 0 when every file
// ran to its end. `errIsTerminal`: a batch writes its progress line on `err`.
int runCalcCommand(const std::vector<std::string>& args, const std::string& programDir,
                   std::ostream& out, std::ostream& err, bool errIsTerminal = false);

} // namespace tarvek
