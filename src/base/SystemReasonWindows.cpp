#include "base/SystemReason.h"

#include "base/WideText.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace tarvek {

namespace {

struct GermanReason
{
    unsigned long code;
    std::string_view text;
};

constexpr std::string_view kNotFound = "Datei oder Ordner nicht gefunden";
constexpr std::string_view kNoPermission = "Keine Berechtigung";
constexpr std::string_view kInUse = "Datei wird von einem anderen Programm verwendet";
constexpr std::string_view kDiskFull = "Kein Speicherplatz mehr auf dem Datenträger";
constexpr std::string_view kInputOutput = "Ein-/Ausgabefehler";

constexpr std::array kGermanReasons{
    GermanReason{ERROR_FILE_NOT_FOUND, kNotFound},
    GermanReason{ERROR_PATH_NOT_FOUND, kNotFound},
    GermanReason{ERROR_INVALID_DRIVE, kNotFound},
    GermanReason{ERROR_BAD_NETPATH, kNotFound},
    GermanReason{ERROR_BAD_NET_NAME, kNotFound},
    GermanReason{ERROR_ACCESS_DENIED, kNoPermission},
    GermanReason{ERROR_NETWORK_ACCESS_DENIED, kNoPermission},
    GermanReason{ERROR_SHARING_VIOLATION, kInUse},
    GermanReason{ERROR_LOCK_VIOLATION, kInUse},
    GermanReason{ERROR_USER_MAPPED_FILE, kInUse},
    GermanReason{ERROR_DISK_FULL, kDiskFull},
    GermanReason{ERROR_HANDLE_DISK_FULL, kDiskFull},
    GermanReason{ERROR_WRITE_PROTECT, "Datenträger ist schreibgeschützt"},
    GermanReason{ERROR_INVALID_NAME, "Ungültiger Datei- oder Ordnername"},
    GermanReason{ERROR_FILENAME_EXCED_RANGE, "Datei- oder Ordnername zu lang"},
    GermanReason{ERROR_NOT_READY, "Datenträger nicht bereit"},
    GermanReason{ERROR_FILE_TOO_LARGE, "Datei zu groß"},
    GermanReason{ERROR_WRITE_FAULT, kInputOutput},
    GermanReason{ERROR_READ_FAULT, kInputOutput},
    GermanReason{ERROR_CRC, kInputOutput},
    GermanReason{ERROR_IO_DEVICE, kInputOutput},
};

constexpr auto kGermanCodes = [] {
    std::array<unsigned long, kGermanReasons.size()> codes{};
    std::ranges::transform(kGermanReasons, codes.begin(), &GermanReason::code);
    return codes;
}();

// The system's message for `code` in the language of the Windows, without line end and closing
// full stop; empty when it has none.
std::string systemWords(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text),
        0, nullptr);
    std::wstring_view words(text, text != nullptr ? length : 0);
    while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' ||
                              words.back() == L' ' || words.back() == L'.')) {
        words.remove_suffix(1);
    }
    std::string result = utf8Text(words);
    LocalFree(text);
    return result;
}

} // namespace

std::string windowsReason(unsigned long code)
{
    const auto german = std::ranges::find(kGermanReasons, code, &GermanReason::code);
    if (german != kGermanReasons.end()) {
        return std::string(german->text);
    }
    std::string words = systemWords(code);
    return words.empty() ? "Systemfehler " + std::to_string(code) : words;
}

std::span<const unsigned long> germanWindowsCodes()
{
    return kGermanCodes;
}

} // namespace tarvek
