#include "base/StandardStreams.h"

#include "base/WideText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <streambuf>
#include <string>

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

namespace {

// The length of the text without a UTF-8 sequence that its end cuts short.
std::size_t completeLength(std::string_view text)
{
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto c = static_cast<unsigned char>(text[text.size() - back]);
        if ((c & 0xC0) == 0x80) {
            continue; // a continuation byte: its lead byte comes before
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

// Writes to a console as characters. `pending` keeps the start of a character that the next
// write completes.
bool writeConsole(HANDLE console, std::string& pending, std::string_view text)
{
    pending += text;
    const std::size_t complete = completeLength(pending);
    const std::wstring wide = wideText(std::string_view(pending).substr(0, complete));
    pending.erase(0, complete);
    // The console takes a limited piece at a time; a piece never ends inside a surrogate pair.
    constexpr std::size_t kPiece = 8192;
    for (std::size_t done = 0; done < wide.size();) {
        std::size_t piece = std::min(kPiece, wide.size() - done);
        if (done + piece < wide.size() && IS_HIGH_SURROGATE(wide[done + piece - 1])) {
            --piece;
        }
        DWORD written = 0;
        if (WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(piece), &written,
                          nullptr) == 0 ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

bool writeBytes(HANDLE file, std::string_view text)
{
    while (!text.empty()) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 20));
        DWORD written = 0;
        if (WriteFile(file, text.data(), piece, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

// std::cout and std::cerr: collect what is written and pass it on to writeStandard().
class StandardBuffer : public std::streambuf
{
public:
    explicit StandardBuffer(StandardStream stream) : m_stream(stream) { restart(); }

protected:
    int_type overflow(int_type c) override
    {
        if (sync() != 0) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override
    {
        const std::string_view text(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        const bool written = text.empty() || writeStandard(m_stream, text);
        restart();
        return written ? 0 : -1;
    }

private:
    void restart() { setp(m_buffer.data(), m_buffer.data() + m_buffer.size()); }

    const StandardStream m_stream;
    std::array<char, 4096> m_buffer{};
};

} // namespace

bool writeStandard(StandardStream stream, std::string_view text)
{
    const bool output = stream == StandardStream::Output;
    HANDLE const handle = GetStdHandle(output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
        static std::string pending[2];
        return writeConsole(handle, pending[output ? 0 : 1], text);
    }
    return writeBytes(handle, text);
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> standardOutputFile()
{
    HANDLE const handle = GetStdHandle(STD_OUTPUT_HANDLE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        GetFileType(handle) != FILE_TYPE_DISK || GetFileInformationByHandle(handle, &info) == 0) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint64_t>(info.dwVolumeSerialNumber),
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool isTerminal(StandardStream stream)
{
    HANDLE const handle =
        GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetConsoleMode(handle, &mode) != 0;
}

void useBinaryOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Never destroyed: the streams are flushed once more when the program ends.
    static auto* const output = new StandardBuffer(StandardStream::Output);
    static auto* const error = new StandardBuffer(StandardStream::Error);
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(output);
    std::cerr.rdbuf(error);
}

void attachParentConsole()
{
    const auto usable = [](DWORD which) {
        HANDLE const handle = GetStdHandle(which);
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    };
    if (usable(STD_OUTPUT_HANDLE) && usable(STD_ERROR_HANDLE)) {
        return; // redirected, or a console program
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
        return; // started without a console (from the Start menu): nothing to show it on
    }
    // The console's own handles, for the streams that were not redirected; the C library's
    // streams follow, for what is written with printf.
    if (!usable(STD_OUTPUT_HANDLE) || GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == 0) {
        if (std::freopen("CONOUT$", "w", stdout) != nullptr) {
            SetStdHandle(STD_OUTPUT_HANDLE,
                         reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout))));
        }
    }
    if (!usable(STD_ERROR_HANDLE) || GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == 0) {
        if (std::freopen("CONOUT$", "w", stderr) != nullptr) {
            SetStdHandle(STD_ERROR_HANDLE,
                         reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stderr))));
        }
    }
}

void releaseConsole()
{
    FreeConsole();
}

} // namespace tarvek
