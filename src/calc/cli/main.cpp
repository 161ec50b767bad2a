#include "calc/ProgramFolder.h"
#include "calc/cli/CalcCommand.h"
#include "calc/cli/CommandLine.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    tarvek::useBinaryOutput();
    return tarvek::runCalcCommand(tarvek::commandLineArguments(argc, argv), tarvek::programFolder(),
                                  std::cout, std::cerr);
}
