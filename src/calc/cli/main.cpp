#include "calc/cli/CalcCommand.h"
#include "calc/cli/CommandLine.h"
#include "pricing/ProgramFiles.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    tarvek::useBinaryOutput();
    // The price list is found where the desktop program finds it: beside a portable copy, in
    // the user's data folder for an installed one.
    const tarvek::ProgramFiles files = tarvek::ProgramFiles::locate(tarvek::programFolder());
    return tarvek::runCalcCommand(tarvek::commandLineArguments(argc, argv), files.priceListFolder,
                                  std::cout, std::cerr);
}
