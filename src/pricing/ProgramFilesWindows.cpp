#include "pricing/ProgramFiles.h"

#include "importfile/WideText.h"

#include <cstdlib>
#include <windows.h>

namespace tarvek {

std::string programFolder()
{
    // Paths may be longer than MAX_PATH: grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return ".\\";
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return ".\\";
    }
    return utf8Text(std::wstring_view(path).substr(0, separator + 1));
}

// %APPDATA% for the settings and %LOCALAPPDATA% for the data, read in wide characters so that a
// user name beyond the code page gives a folder that opens.
UserFolders UserFolders::fromEnvironment()
{
    const auto folder = [](const wchar_t* variable) {
        const wchar_t* value = _wgetenv(variable);
        std::string text = value != nullptr ? utf8Text(value) : std::string();
        if (!text.empty() && text.back() != '\\' && text.back() != '/') {
            text += '\\';
        }
        return text;
    };
    return UserFolders{folder(L"APPDATA"), folder(L"LOCALAPPDATA")};
}

} // namespace tarvek
