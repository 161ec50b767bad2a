#pragma once

#include <string>
#include <vector>

namespace tarvek {

// The program's arguments without the program name: UTF-8 on Windows (read from the system's
// wide command line, so that any file name arrives whole), the bytes as given elsewhere.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace tarvek
