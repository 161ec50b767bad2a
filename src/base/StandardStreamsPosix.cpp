#include "base/StandardStreams.h"

#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

bool writeStandard(StandardStream stream, std::string_view text)
{
    std::ostream& out = stream == StandardStream::Output ? std::cout : std::cerr;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return out.good();
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> standardOutputFile()
{
    struct stat status
    {};
    if (::fstat(STDOUT_FILENO, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino)};
}

bool isTerminal(StandardStream stream)
{
    return isatty(stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

void useBinaryOutput() {}

void attachParentConsole() {}

void releaseConsole() {}

} // namespace tarvek
