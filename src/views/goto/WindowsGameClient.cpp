#include "views/goto/WindowsGameClient.h"

#include "importfile/WideText.h"

#include <string>

#include <windows.h>

namespace tarvek::client {

namespace {

// How long the client may take to report that it has the keyboard focus.
constexpr ULONGLONG kFocusTimeoutMs = 1000;

// True when `focus` is the window or lies inside it.
bool focusIsIn(HWND focus, HWND window)
{
    return focus != nullptr && (focus == window || IsChild(window, focus) != 0);
}

// Gives the window the keyboard focus and returns where the focus is then. The client activates
// its window and may pass the focus on to a window inside it (its chat line) in its own thread,
// and a first attempt can end before its window is active; so the focus is given again, and
// asked after a message that the client must answer first, until it is in the client or the time
// is up.
HWND giveFocus(HWND window)
{
    const ULONGLONG deadline = GetTickCount64() + kFocusTimeoutMs;
    for (;;) {
        SetFocus(window);
        SendMessageW(window, WM_NULL, 0, 0);
        HWND const focus = GetFocus();
        if (focusIsIn(focus, window) || GetTickCount64() >= deadline) {
            return focus;
        }
        Sleep(10);
    }
}

// SendTextToWindow: joins the client thread's input, gives the window the keyboard focus and
// types the text as Unicode character messages (each returns when the client has handled it).
// Only when the focus really is in the client window afterwards: a client that passes the focus
// on to another program, or a focus that cannot be taken, gets nothing typed, so no keys land in
// another window. True when the text was typed.
bool SendTextToWindow(HWND window, std::wstring_view text)
{
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD own = GetCurrentThreadId();
    if (target != own && AttachThreadInput(own, target, TRUE) == 0) {
        return false;
    }
    const HWND focus = giveFocus(window);
    const bool focused = focusIsIn(focus, window);
    if (focused) {
        for (const wchar_t c : text) {
            SendMessageW(focus, WM_CHAR, static_cast<WPARAM>(c), 1);
        }
    }
    AttachThreadInput(own, target, FALSE);
    return focused;
}

} // namespace

bool WindowsGameClient::SendToUO(const std::string& command)
{
    HWND window = FindWindowW(L"Ultima Online", nullptr);
    if (window == nullptr) {
        window = FindWindowW(L"Ultima Online Third Dawn", nullptr);
    }
    if (window == nullptr) {
        return false;
    }
    return SendTextToWindow(window, L"\x1b") &&
           SendTextToWindow(window, L"\r" + wideText(command) + L"\r");
}

} // namespace tarvek::client
