#include "base/FileNames.h"

#include "base/SystemReason.h"
#include "base/WideText.h"

#include <windows.h>

#include <shlobj.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

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

std::optional<std::pair<std::uint64_t, std::uint64_t>> fileIdentity(const std::string& fileName)
{
    // Opened only to read its attributes, whoever has it open; a folder needs the backup flag.
    const HANDLE file = CreateFileW(wideText(fileName).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint64_t>(info.dwVolumeSerialNumber),
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool folderIsWritable(const std::string& folder)
{
    std::wstring name(MAX_PATH, L'\0');
    if (GetTempFileNameW(wideText(folder.empty() ? std::string(".") : folder).c_str(), L"tvk", 0,
                         name.data()) == 0) {
        return false;
    }
    DeleteFileW(name.c_str());
    return true;
}

std::string openFailureReason(int errorNumber)
{
    const unsigned long code = _doserrno;
    return code != 0 ? windowsReason(code) : systemReason(errorNumber);
}

namespace {

using detail::FileRead;

FileRead kindOf(const struct _stat64& status)
{
    if ((status.st_mode & _S_IFMT) == _S_IFDIR) {
        return FileRead::Folder;
    }
    return (status.st_mode & _S_IFMT) == _S_IFREG ? FileRead::Read : FileRead::NotRegular;
}

} // namespace

FileRead detail::readInto(const std::string& fileName, std::uint64_t limit, std::string& bytes,
                          int& errorNumber)
{
    const std::wstring wide = wideText(fileName);
    struct _stat64 status
    {};
    // A pipe or a device ("\\.\pipe\...", "CON") is refused before it is opened. The runtime's
    // stat finds no folder named with a separator at its end ("C:\Temp\"), except a drive's top.
    std::wstring statName = wide;
    while (statName.size() > 3 && (statName.back() == L'\\' || statName.back() == L'/')) {
        statName.pop_back();
    }
    if (_wstat64(statName.c_str(), &status) == 0 && kindOf(status) != FileRead::Read) {
        return kindOf(status);
    }
    _doserrno = 0;
    const int fd = _wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        errorNumber = errno;
        return FileRead::Failed;
    }
    struct Closer
    {
        int fd;
        ~Closer() { _close(fd); }
    } closer{fd};
    if (_fstat64(fd, &status) != 0) {
        errorNumber = errno;
        return FileRead::Failed;
    }
    if (kindOf(status) != FileRead::Read) {
        return kindOf(status);
    }
    return detail::readOpenedFile(static_cast<std::uint64_t>(status.st_size), limit, bytes,
                                  [fd, &errorNumber](char* buffer, std::size_t size) {
                                      _doserrno = 0;
                                      const int got =
                                          _read(fd, buffer, static_cast<unsigned>(size));
                                      errorNumber = got < 0 ? errno : errorNumber;
                                      return std::int64_t(got);
                                  });
}

} // namespace tarvek
