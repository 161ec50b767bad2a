#include "base/ProgramFiles.h"
#include "base/StandardStreams.h"
#include "base/SystemReason.h"
#include "calc/cli/CalcCommand.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    tarvek::useBinaryOutput();
    // The price list is found where the desktop program finds it: beside a portable copy, in
    // the user's data folder for an installed one.
    const int status = tarvek::runCalcCommand(
        tarvek::commandLineArguments(argc, argv),
        tarvek::ProgramFiles::locate(tarvek::programFolder()).priceListFolderToRead(), std::cout,
        std::cerr, tarvek::isTerminal(tarvek::StandardStream::Error));
    // The command has flushed what it wrote; closing the standard output may still fail (a file
    // on a network drive reports a full disk only here).
    errno = 0;
    if (std::fclose(stdout) != 0) {
        std::cerr << "tarvek-calc: Standardausgabe kann nicht geschrieben werden: "
                  << tarvek::systemReason(errno != 0 ? errno : EIO) << "\n";
        return status != 0 ? status : 1;
    }
    return status;
}
