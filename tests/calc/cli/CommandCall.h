#pragma once
// tarvek-calc's command run inside the test: its exit status and what it wrote.

#include "calc/cli/CalcCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace tarvek::testing {

struct CommandCall
{
    int status = -1;
    std::string out;
    std::string err;
};

inline CommandCall callCommand(const std::vector<std::string>& args, const std::string& programDir,
                               bool errIsTerminal = false)
{
    std::ostringstream out;
    std::ostringstream err;
    CommandCall call;
    call.status = runCalcCommand(args, programDir, out, err, errIsTerminal);
    call.out = out.str();
    call.err = err.str();
    return call;
}

} // namespace tarvek::testing
