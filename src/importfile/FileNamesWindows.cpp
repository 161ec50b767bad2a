#include "importfile/FileNames.h"

#include "importfile/SystemReason.h"
#include "importfile/WideText.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>

namespace tarvek {

std::wstring wideText(std::string_view utf8)
{
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string utf8Text(std::wstring_view wide)
{
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::wstring knownFolderPath(const GUID& folderId)
{
    PWSTR path = nullptr;
    std::wstring text;
    if (SUCCEEDED(SHGetKnownFolderPath(folderId, KF_FLAG_DEFAULT, nullptr, &path))) {
        text = path;
    }
    CoTaskMemFree(path);
    return text;
}

std::filesystem::path pathOf(std::string_view fileName)
{
    return std::filesystem::path(wideText(fileName));
}

std::string fileNameOf(const std::filesystem::path& path)
{
    return utf8Text(path.native());
}

std::FILE* openFile(const std::string& fileName, const char* mode)
{
    // "N": not inherited by child processes. The system's error code of a failure is kept in
    // _doserrno, which is cleared first so that a failure without one is told apart.
    _doserrno = 0;
    return _wfopen(wideText(fileName).c_str(), wideText(std::string(mode) + "N").c_str());
}

std::string openFailureReason(int errorNumber)
{
    const unsigned long code = _doserrno;
    return code != 0 ? windowsReason(code) : systemReason(errorNumber);
}

} // namespace tarvek
