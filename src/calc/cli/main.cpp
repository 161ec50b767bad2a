#include "calc/cli/CalcCommand.h"
#include "pricing/ProgramFiles.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The folder of the program file.
std::string programDir(const char* argv0)
{
    std::string path;
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        path.assign(buffer, static_cast<std::size_t>(n));
    } else if (argv0 != nullptr) {
        path = argv0;
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "./";
    }
    return path.substr(0, slash + 1);
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The price list is found where the desktop program finds it: beside a portable copy, in
    // the user's data folder for an installed one.
    const tarvek::ProgramFiles files =
        tarvek::ProgramFiles::locate(programDir(argc > 0 ? argv[0] : nullptr));
    return tarvek::runCalcCommand(args, files.priceListFolder, std::cout, std::cerr);
}
