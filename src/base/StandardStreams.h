#pragma once
// The program's arguments and its standard output and error, the same on every system.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvek {

// What both programs get from and give to the system beside files: their arguments, standard
// output and standard error.

// The program's arguments without the program name: UTF-8 on Windows (read from the system's
// wide command line, so that any file name arrives whole), the bytes as given elsewhere.
std::vector<std::string> commandLineArguments(int argc, char** argv);

enum class StandardStream
{
    Output,
    Error,
};

// Writes UTF-8 text to standard output or standard error, and false when not all of it arrived.
// A file or a pipe gets the bytes as they are. On Windows a console gets the characters (it would
// otherwise show the bytes in its own code page, such as 850), also when a character is split
// between two writes. Output of std::cout and std::cerr goes the same way once useBinaryOutput()
// has run, so both may be used side by side.
bool writeStandard(StandardStream stream, std::string_view text);

// Whether an output's name means the standard output: "-", "/dev/stdout" or "/dev/fd/1", on
// every system. Such an output is written through the program's own standard output, never by
// opening the name: a file behind the name would be opened a second time with a position of its
// own, and what one output wrote there the other would overwrite.
inline bool namesStandardOutput(std::string_view name)
{
    return name == "-" || name == "/dev/stdout" || name == "/dev/fd/1";
}

// What tells the file that the standard output goes to from every other (as fileIdentity() gives
// it for a name); nothing when the output is no regular file (a terminal, a pipe, a device). A
// result written to a file of this identity would overwrite the output, or the output it.
std::optional<std::pair<std::uint64_t, std::uint64_t>> standardOutputFile();

// Whether the stream is a terminal (a console on Windows) and not a file or a pipe: progress
// lines are for a person watching, never for what reads the output.
bool isTerminal(StandardStream stream);

// Call once at start: standard output and error write bytes as they are (Windows would otherwise
// add CR before every LF), and on Windows std::cout and std::cerr write through writeStandard().
void useBinaryOutput();

// Windows: a program of the window system (tarvek.exe) has no console of its own. Started from a
// console, its standard output and error go to that console (unless they are already redirected
// to a file or a pipe), so that --help and the messages of an export show where they were asked
// for. Call it only for such output: a program attached to a console ends with it (when the
// console is closed, or with Ctrl+C in it). Does nothing elsewhere.
void attachParentConsole();

// Windows: lets go of any console, so that the window program lives on when the console it was
// started from closes or is interrupted. Does nothing elsewhere.
void releaseConsole();

} // namespace tarvek
