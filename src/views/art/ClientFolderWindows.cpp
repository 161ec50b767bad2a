#include "views/art/ClientFolder.h"

#include "base/FileNames.h"
#include "base/WideText.h"

#include <algorithm>
#include <cstdlib>

#include <windows.h>

#include <knownfolders.h>

namespace tarvek::art {

namespace {

// Where the client's setup programs record the install folder (under HKEY_LOCAL_MACHINE), newest
// first. `program`: the value names the client's program file, not its folder.
struct InstallRecord
{
    const wchar_t* key;
    const wchar_t* value;
    bool program;
};
constexpr InstallRecord kInstallRecords[] = {
    {L"SOFTWARE\\Electronic Arts\\EA Games\\Ultima Online Classic", L"InstallDir", false},
    {L"SOFTWARE\\Electronic Arts\\EA Games\\Ultima Online Stygian Abyss Classic", L"InstallDir",
     false},
    {L"SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0", L"ExePath", true},
    {L"SOFTWARE\\Origin Worlds Online\\Ultima Online Third Dawn\\1.0", L"ExePath", true},
};

// A text value of the registry in its 32-bit or 64-bit view; empty when there is none.
std::wstring registryText(const InstallRecord& record, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, record.key, 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    constexpr DWORD kText = RRF_RT_REG_SZ; // REG_EXPAND_SZ too, expanded
    std::wstring text;
    DWORD size = 0;
    if (RegGetValueW(key, nullptr, record.value, kText, nullptr, nullptr, &size) == ERROR_SUCCESS &&
        size >= sizeof(wchar_t)) {
        text.resize(size / sizeof(wchar_t));
        if (RegGetValueW(key, nullptr, record.value, kText, nullptr, text.data(), &size) !=
            ERROR_SUCCESS) {
            text.clear();
        }
    }
    RegCloseKey(key);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

std::filesystem::path ClientFolder::optionFolder(const std::string& value,
                                                 const std::filesystem::path&)
{
    return pathOf(value);
}

std::vector<std::filesystem::path> ClientFolder::installFolders(const std::filesystem::path&)
{
    std::vector<std::filesystem::path> folders;
    // The setups are 32-bit programs: their records are in the 32-bit view first.
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        for (const InstallRecord& record : kInstallRecords) {
            const std::wstring text = registryText(record, view);
            if (!text.empty()) {
                const std::filesystem::path path(text);
                folders.push_back(record.program ? path.parent_path() : path);
            }
        }
    }
    // The program files folders as the system names them (not every Windows spells them in
    // English), the 32-bit one first; in a 64-bit program the plain one is the 64-bit one.
    std::vector<std::filesystem::path> programFiles;
    for (const GUID& id :
         {FOLDERID_ProgramFilesX86, FOLDERID_ProgramFilesX64, FOLDERID_ProgramFiles}) {
        const std::filesystem::path folder = knownFolderPath(id);
        if (!folder.empty() &&
            std::find(programFiles.begin(), programFiles.end(), folder) == programFiles.end()) {
            programFiles.push_back(folder);
        }
    }
    const wchar_t* const drive = _wgetenv(L"SystemDrive");
    const std::filesystem::path root = std::wstring(drive != nullptr ? drive : L"C:") + L"\\";
    for (auto& folder : usualFolders(programFiles, root)) {
        folders.push_back(std::move(folder));
    }
    return folders;
}

std::filesystem::path ClientFolder::homeFolder()
{
    return {};
}

} // namespace tarvek::art
