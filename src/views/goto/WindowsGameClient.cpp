#include "views/goto/WindowsGameClient.h"

#include "importfile/WideText.h"

#include <string>

#include <windows.h>

namespace tarvek::client {

namespace {

// How long the client may take to handle one message. A client that takes longer is given up,
// and one that Windows already counts as hung at once, so that Tarvek never waits for it.
constexpr UINT kAnswerTimeoutMs = 2000;
// How long the client may take to report that it has the keyboard focus.
constexpr ULONGLONG kFocusTimeoutMs = 1000;

// What became of a message (or a whole text) for the client.
enum class Reply
{
    Done,
    NoFocus,      // the focus did not reach the client's window
    Refused,      // Windows refuses the messages: the client runs with higher rights
    NotAnswering, // hung, or too busy to handle a message in time
    Gone,         // the client's window was closed meanwhile
};

// Sends one message and waits until the client has handled it, or gives up.
Reply deliver(HWND window, UINT message, WPARAM w, LPARAM l)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) !=
        0) {
        return Reply::Done;
    }
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
        return Reply::Refused;
    case ERROR_INVALID_WINDOW_HANDLE:
        return Reply::Gone;
    default:
        return Reply::NotAnswering;
    }
}

// The mandatory integrity level of a token (its label's last sub-authority); 0 when unknown.
DWORD integrityLevel(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 ||
        GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size) == 0) {
        return 0;
    }
    PSID const sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    return count == 0 ? 0 : *GetSidSubAuthority(sid, count - 1u);
}

// Whether the client's process runs with higher rights than Tarvek (started as administrator
// while Tarvek is not). Windows then refuses every message that Tarvek sends it; it shows in that
// the process, or its rights, may not even be looked at, or in an integrity level above Tarvek's.
bool runsWithHigherRights(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE const process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    HANDLE clientToken = nullptr;
    const bool opened = OpenProcessToken(process, TOKEN_QUERY, &clientToken) != 0;
    const DWORD error = GetLastError();
    CloseHandle(process);
    if (!opened) {
        return error == ERROR_ACCESS_DENIED;
    }
    HANDLE ownToken = nullptr;
    DWORD own = 0;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &ownToken) != 0) {
        own = integrityLevel(ownToken);
        CloseHandle(ownToken);
    }
    const DWORD client = integrityLevel(clientToken);
    CloseHandle(clientToken);
    return own != 0 && client > own;
}

// True when `focus` is the window or lies inside it.
bool focusIsIn(HWND focus, HWND window)
{
    return focus != nullptr && (focus == window || IsChild(window, focus) != 0);
}

// Gives the window the keyboard focus and sets `focus` to where it is then. The client activates
// its window and may pass the focus on to a window inside it (its chat line) in its own thread,
// and a first attempt can end before its window is active; so the focus is given again, and
// asked after a message that the client must answer first, until it is in the client or the time
// is up.
Reply giveFocus(HWND window, HWND& focus)
{
    const ULONGLONG deadline = GetTickCount64() + kFocusTimeoutMs;
    for (;;) {
        SetFocus(window);
        if (const Reply reply = deliver(window, WM_NULL, 0, 0); reply != Reply::Done) {
            return reply;
        }
        focus = GetFocus();
        if (focusIsIn(focus, window)) {
            return Reply::Done;
        }
        if (GetTickCount64() >= deadline) {
            return Reply::NoFocus;
        }
        Sleep(10);
    }
}

// SendTextToWindow: joins the client thread's input, gives the window the keyboard focus and
// types the text as Unicode character messages (each returns when the client has handled it).
// Only when the focus really is in the client window afterwards: a client that passes the focus
// on to another program, or a focus that cannot be taken, gets nothing typed, so no keys land in
// another window. Typing stops at the first message the client does not handle.
Reply SendTextToWindow(HWND window, std::wstring_view text)
{
    // Giving the focus waits for the client: a client that does not answer is not joined.
    if (const Reply reply = deliver(window, WM_NULL, 0, 0); reply != Reply::Done) {
        return reply;
    }
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD own = GetCurrentThreadId();
    if (target != own && AttachThreadInput(own, target, TRUE) == 0) {
        return GetLastError() == ERROR_ACCESS_DENIED ? Reply::Refused : Reply::NoFocus;
    }
    HWND focus = nullptr;
    Reply reply = giveFocus(window, focus);
    for (std::size_t i = 0; reply == Reply::Done && i < text.size(); ++i) {
        reply = deliver(focus, WM_CHAR, static_cast<WPARAM>(text[i]), 1);
    }
    AttachThreadInput(own, target, FALSE);
    return reply;
}

} // namespace

bool WindowsGameClient::SendToUO(const std::string& command)
{
    HWND window = FindWindowW(L"Ultima Online", nullptr);
    if (window == nullptr) {
        window = FindWindowW(L"Ultima Online Third Dawn", nullptr);
    }
    Reply reply = Reply::Gone;
    if (window != nullptr) {
        reply = runsWithHigherRights(window) ? Reply::Refused : SendTextToWindow(window, L"\x1b");
    }
    if (reply == Reply::Done) {
        reply = SendTextToWindow(window, L"\r" + wideText(command) + L"\r");
    }
    m_failure = reply == Reply::Refused        ? kHigherRightsText
                : reply == Reply::NotAnswering ? kNotAnsweringText
                                               : "";
    return reply == Reply::Done;
}

} // namespace tarvek::client
