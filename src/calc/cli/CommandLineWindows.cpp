#include "calc/cli/CommandLine.h"

#include "importfile/WideText.h"

#include <windows.h>

#include <shellapi.h>

namespace tarvek {

std::vector<std::string> commandLineArguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.push_back(utf8Text(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace tarvek
