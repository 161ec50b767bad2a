#include "pricing/UserFolders.h"

#include "importfile/WideText.h"

#include <cstdlib>

namespace tarvek {

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
