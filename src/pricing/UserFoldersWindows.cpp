#include "pricing/UserFolders.h"

#include <cstdlib>

namespace tarvek {

// Fallback until the Windows layer reads the folders in wide characters: %APPDATA% for the
// settings and %LOCALAPPDATA% for the data, as the system's code page spells them.
UserFolders UserFolders::fromEnvironment()
{
    const auto folder = [](const char* variable) {
        const char* value = std::getenv(variable);
        std::string text = value != nullptr ? value : "";
        if (!text.empty() && text.back() != '\\' && text.back() != '/') {
            text += '/';
        }
        return text;
    };
    return UserFolders{folder("APPDATA"), folder("LOCALAPPDATA")};
}

} // namespace tarvek
