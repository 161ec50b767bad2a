#include "base/AtomicFile.h"

#include "base/FileNames.h"
#include "base/SystemReason.h"
#include "base/WideText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <sys/stat.h>

#include <windows.h>

namespace tarvek {
namespace {

FileError fail(int error)
{
    error = error != 0 ? error : EIO;
    return FileError{FileErrorKind::System, error, openFailureReason(error)};
}

// The failure of a call that set the system's own error code, which is no errno.
FileError failWindows()
{
    const DWORD code = GetLastError();
    return code != 0 ? FileError{FileErrorKind::System, 0, windowsReason(code)} : fail(EIO);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto piece = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 20));
        const int written = _write(fd, bytes.data(), piece);
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name of the device namespace ("\\.\pipe\name", "\\.\COM1") or one of the reserved device
// names (CON, NUL, COM1, ... with any extension) stands for a device, which is written to
// straight.
bool isDevice(const std::wstring& name)
{
    if (name.starts_with(L"\\\\.\\")) {
        return true;
    }
    std::wstring stem = name.substr(name.find_last_of(L"\\/:") + 1);
    stem = stem.substr(0, stem.find(L'.'));
    CharUpperW(stem.data());
    static constexpr std::array<const wchar_t*, 4> kPlain{L"CON", L"NUL", L"PRN", L"AUX"};
    for (const wchar_t* device : kPlain) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

Result<void> writeStraight(const std::wstring& name, std::string_view bytes)
{
    _doserrno = 0;
    const int fd = _wopen(name.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        return fail(errno);
    }
    bool written = writeAll(fd, bytes);
    int error = errno;
    if (_close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        return fail(error);
    }
    return {};
}

// The folder of a file name, with its separator; empty for a name without a folder.
std::wstring folderOf(const std::wstring& name)
{
    const std::size_t end = name.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : name.substr(0, end + 1);
}

// Creates a new file of a random name in `folder`, exclusively; -1 with errno set when none could
// be made.
int createTemporary(const std::wstring& folder, std::wstring& name)
{
    static constexpr std::wstring_view kLetters =
        L"abcdefghijklmnopqrstuvwxyz0123456789"; // letter case does not count here
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + L".tarvek-";
        for (int i = 0; i < 16; ++i) {
            name += kLetters[letter(random)];
        }
        name += L".tmp";
        _doserrno = 0;
        const int fd =
            _wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

unsigned long replaceFile(const wchar_t* target, const wchar_t* replacement)
{
    // A file that another program holds open without letting others remove it cannot be
    // replaced: asked first, so that ReplaceFileW does not begin (Wine leaves a file of its own
    // behind when it fails then).
    SetLastError(0);
    const HANDLE held =
        CreateFileW(target, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
            return code;
        }
    } else {
        CloseHandle(held);
    }
    SetLastError(0);
    if (ReplaceFileW(target, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr) != 0) {
        return 0;
    }
    const DWORD code = GetLastError();
    return code != 0 ? code : ERROR_GEN_FAILURE;
}

detail::ReplaceCall replaceCallInUse = &replaceFile;

// Puts the temporary file in the place of the existing `target`, or says why not; the temporary
// file is gone then, unless it holds the only copy of the new content.
Result<void> replaceExisting(const std::wstring& target, const std::wstring& temporary)
{
    const DWORD code = replaceCallInUse(target.c_str(), temporary.c_str());
    if (code == 0) {
        return {};
    }
    if (code != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        DeleteFileW(temporary.c_str());
        return FileError{FileErrorKind::System, 0, windowsReason(code)};
    }
    // The old file has been removed, but the new one could not take its name: the new content
    // is only in the temporary file, which takes the name as a new file would. Deleting it
    // would lose both.
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
        return {};
    }
    const DWORD moveCode = GetLastError();
    return FileError{
        FileErrorKind::System, 0,
        windowsReason(moveCode != 0 ? moveCode : code) +
            ". Die alte Datei ist schon entfernt; der neue Inhalt steht in der Datei " +
            utf8Text(temporary)};
}

} // namespace

namespace detail {

void setReplaceCall(ReplaceCall call)
{
    replaceCallInUse = call != nullptr ? call : &replaceFile;
}

} // namespace detail

// Windows has no named pipes among its files (see WriteTarget): both targets are written alike.
Result<void> writeFileAtomically(const std::string& fileName, std::string_view bytes,
                                 [[maybe_unused]] WriteTarget target)
{
    std::wstring name = wideText(fileName);
    // Qt's names come with "/": the file calls take them, but ReplaceFileW refuses them (Wine says
    // "Directory name invalid"). A name given as it is ("\\?\...") is left as it is.
    if (!name.starts_with(LR"(\\?\)")) {
        std::replace(name.begin(), name.end(), L'/', L'\\');
    }
    if (isDevice(name)) {
        return writeStraight(name, bytes);
    }
    std::wstring temporary;
    const int fd = createTemporary(folderOf(name), temporary);
    if (fd < 0) {
        return fail(errno);
    }
    // _commit() flushes the file to the disk (FlushFileBuffers).
    bool written = writeAll(fd, bytes) && _commit(fd) == 0;
    int error = errno;
    if (_close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        DeleteFileW(temporary.c_str());
        return fail(error);
    }
    // An existing file is replaced keeping its attributes and permissions; a new one is moved into
    // place. Either way the file is on the disk when the call returns.
    if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return replaceExisting(name, temporary);
    }
    SetLastError(0);
    if (MoveFileExW(temporary.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH) == 0) {
        const DWORD code = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(code);
        return failWindows();
    }
    return {};
}

} // namespace tarvek
