#pragma once

#include <string>

namespace tarvek {

// ProgramDir: the folder of the running program file, ending in its separator ("\" on Windows,
// "/" elsewhere), as a file name text (UTF-8 on Windows). "./" when the system does not tell.
std::string programFolder();

} // namespace tarvek
