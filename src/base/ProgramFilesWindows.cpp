#include "base/ProgramFiles.h"

#include "base/WideText.h"

#include <windows.h>

#include <knownfolders.h>

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

namespace {

// A known folder as a file name text ending in "\"; empty when the system has none.
std::string userFolder(const GUID& folderId)
{
    std::string text = utf8Text(knownFolderPath(folderId));
    if (!text.empty() && text.back() != '\\' && text.back() != '/') {
        text += '\\';
    }
    return text;
}

} // namespace

// The setup's uninstaller keeps the roaming folder, so the options and the price list that the
// user downloaded survive an update; the single-instance lock belongs to this computer only.
UserFolders UserFolders::fromEnvironment()
{
    const std::string roaming = userFolder(FOLDERID_RoamingAppData);
    return UserFolders{roaming, roaming, userFolder(FOLDERID_LocalAppData)};
}

// The lock is a named mutex and the socket a named pipe; the folder only stands for the user's copy
// in their names, so nothing is made there.
InstanceFolder InstanceFolder::of(const UserFolders& user)
{
    if (user.local.empty()) {
        return {{},
                "Tarvek findet keinen Ordner für seine Sperre: Windows nennt keinen lokalen "
                "Anwendungsdatenordner des Benutzers."};
    }
    return {user.local + ProgramFiles::SubFolder, {}};
}

} // namespace tarvek
