#include "views/goto/WindowsGameClient.h"

#include "base/SystemReason.h"
#include "base/WideText.h"

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
    Denied,       // Windows refuses the messages for another reason (its code is kept)
    NotAnswering, // hung, or too busy to handle a message in time
    Gone,         // the client's window was closed before anything was typed
    Closed,       // the client's window was closed while the text was typed
};

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
// while Tarvek is not): its integrity level is above Tarvek's. When the levels cannot be read,
// nothing shows it.
bool runsWithHigherRights(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE const process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    HANDLE clientToken = nullptr;
    const bool opened = OpenProcessToken(process, TOKEN_QUERY, &clientToken) != 0;
    CloseHandle(process);
    if (!opened) {
        return false;
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

// One text for the client's window: the window and, after a refusal, the system's error code.
struct Typing
{
    HWND window;
    DWORD deniedCode = 0;
    bool typedAny = false; // a character has reached the client

    Reply SendTextToWindow(std::wstring_view text);
    Reply giveFocus(HWND& focus);

    // A window that is gone once typing has begun was closed during it.
    Reply closedIfTyped(Reply reply) const
    {
        return reply == Reply::Gone && typedAny ? Reply::Closed : reply;
    }

    // Sends one message to `target` (the window or a window inside it) and waits until the client
    // has handled it, or gives up. A client that ends meanwhile is reported at once instead of
    // after the time-out, and as closed rather than as refusing or not answering.
    Reply deliver(HWND target, UINT message, WPARAM w, LPARAM l)
    {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(target, message, w, l, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                                kAnswerTimeoutMs, &result) != 0) {
            return Reply::Done;
        }
        const DWORD error = GetLastError();
        if (IsWindow(window) == 0 || error == ERROR_INVALID_WINDOW_HANDLE) {
            return Reply::Gone;
        }
        if (error == ERROR_ACCESS_DENIED) {
            return refused(error);
        }
        return Reply::NotAnswering;
    }

    // Windows refuses Tarvek access to the client: because the client runs with higher rights
    // only when the integrity levels say so.
    Reply refused(DWORD error)
    {
        if (runsWithHigherRights(window)) {
            return Reply::Refused;
        }
        deniedCode = error;
        return Reply::Denied;
    }
};

// Gives the window the keyboard focus and sets `focus` to where it is then. The client activates
// its window and may pass the focus on to a window inside it (its chat line) in its own thread,
// and a first attempt can end before its window is active; so the focus is given again, and
// asked after a message that the client must answer first, until it is in the client or the time
// is up.
Reply Typing::giveFocus(HWND& focus)
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
// another window. Typing stops at the first message the client does not handle, and when the
// client's window is closed meanwhile.
Reply Typing::SendTextToWindow(std::wstring_view text)
{
    // Giving the focus waits for the client: a client that does not answer is not joined.
    Reply reply = deliver(window, WM_NULL, 0, 0);
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD own = GetCurrentThreadId();
    if (reply == Reply::Done && target != own && AttachThreadInput(own, target, TRUE) == 0) {
        const DWORD error = GetLastError();
        reply = IsWindow(window) == 0          ? Reply::Gone
                : error == ERROR_ACCESS_DENIED ? refused(error)
                                               : Reply::NoFocus;
        return closedIfTyped(reply);
    }
    if (reply != Reply::Done) {
        return closedIfTyped(reply);
    }
    HWND focus = nullptr;
    reply = giveFocus(focus);
    for (std::size_t i = 0; reply == Reply::Done && i < text.size(); ++i) {
        if (IsWindow(window) == 0) {
            reply = Reply::Gone;
            break;
        }
        reply = deliver(focus, WM_CHAR, static_cast<WPARAM>(text[i]), 1);
        typedAny = typedAny || reply == Reply::Done;
    }
    AttachThreadInput(own, target, FALSE);
    return closedIfTyped(reply);
}

} // namespace

std::string WindowsGameClient::deniedText(unsigned long code)
{
    return "Windows lässt keine Eingaben von Tarvek in den Client zu: " + windowsReason(code) + ".";
}

bool WindowsGameClient::SendToUO(const std::string& command)
{
    HWND window = FindWindowW(L"Ultima Online", nullptr);
    if (window == nullptr) {
        window = FindWindowW(L"Ultima Online Third Dawn", nullptr);
    }
    Typing typing{window};
    Reply reply = Reply::Gone;
    if (window != nullptr) {
        reply = runsWithHigherRights(window) ? Reply::Refused : typing.SendTextToWindow(L"\x1b");
    }
    if (reply == Reply::Done) {
        reply = typing.SendTextToWindow(L"\r" + wideText(command) + L"\r");
    }
    switch (reply) {
    case Reply::Refused:
        m_failure = kHigherRightsText;
        break;
    case Reply::Denied:
        m_failure = deniedText(typing.deniedCode);
        break;
    case Reply::NotAnswering:
        m_failure = kNotAnsweringText;
        break;
    case Reply::Closed:
        m_failure = kClosedText;
        break;
    default:
        m_failure.clear();
        break;
    }
    return reply == Reply::Done;
}

} // namespace tarvek::client
