// Starts a window program the way a console would (same console, no redirected streams), waits
// for its main window, and says whether the program holds a console.
//
// console_probe PROGRAM WINDOW_TITLE_END [ARGUMENT...]
// Prints "keine Konsole" (exit 0) or "Konsole" (exit 1); other failures exit 2. Closes the
// program's window in the end and waits for it.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search
{
    DWORD pid;
    const wchar_t* titleEnd;
    HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    const size_t length = wcslen(title);
    const size_t end = wcslen(search->titleEnd);
    if (pid == search->pid && IsWindowVisible(window) && length >= end &&
        wcscmp(title + length - end, search->titleEnd) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring quoted(const wchar_t* argument)
{
    return L"\"" + std::wstring(argument) + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fputs("console_probe PROGRAM WINDOW_TITLE_END [ARGUMENT...]\n", stderr);
        return 2;
    }
    // A console of its own, as cmd has one (Wine may give a program started from a pipe a
    // console handle that no process list knows).
    DWORD self = 0;
    if (GetConsoleProcessList(&self, 1) == 0) {
        FreeConsole();
        if (AllocConsole() == 0) {
            std::printf("keine eigene Konsole: %lu\n", GetLastError());
            return 2;
        }
    }
    std::wstring line = quoted(argv[1]);
    for (int i = 3; i < argc; ++i) {
        line += L" " + quoted(argv[i]);
    }
    // As from cmd: the console is the parent's, and no stream is redirected.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process) == 0) {
        std::printf("nicht gestartet: %lu\n", GetLastError());
        return 2;
    }
    Search search{process.dwProcessId, argv[2], nullptr};
    for (int i = 0; i < 300 && search.found == nullptr; ++i) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            std::printf("beendet ohne Fenster\n");
            return 2;
        }
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found == nullptr) {
        std::printf("kein Fenster\n");
        TerminateProcess(process.hProcess, 1);
        return 2;
    }
    std::vector<DWORD> attached(64);
    const DWORD count = GetConsoleProcessList(attached.data(), DWORD(attached.size()));
    bool holds = false;
    for (DWORD i = 0; i < count && i < attached.size(); ++i) {
        holds = holds || attached[i] == process.dwProcessId;
    }
    std::printf("%s (%lu Prozesse an der Konsole)\n", holds ? "Konsole" : "keine Konsole", count);
    // Closed as a user closes it; a window still starting up refuses, so it is asked again.
    bool ended = false;
    for (int i = 0; i < 60 && !ended; ++i) {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
        ended = WaitForSingleObject(process.hProcess, 500) == WAIT_OBJECT_0;
    }
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    return holds ? 1 : 0;
}
