#include "views/goto/WindowsGameClient.h"

#include <string>

#include <windows.h>

namespace tarvek::client {

namespace {

// The command arrives as UTF-8; the client reads characters of the system's code page.
std::string toCodePage(const std::string& utf8)
{
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        wideLength);
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

// Types the text into the window as character messages; each message returns when the client
// has handled it. False when the input could not be joined with the client's thread.
bool SendTextToWindow(HWND window, const std::string& text)
{
    bool result = true;
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD own = GetCurrentThreadId();
    if (target != own) {
        result = AttachThreadInput(own, target, TRUE) != 0;
    }
    if (result) {
        SetFocus(window);
        HWND const focus = GetFocus();
        for (const char c : text) {
            SendMessageA(focus, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
        }
        AttachThreadInput(own, target, FALSE);
    }
    return result;
}

} // namespace

bool WindowsGameClient::SendToUO(const std::string& command)
{
    HWND window = FindWindowA("Ultima Online", nullptr);
    if (window == nullptr) {
        window = FindWindowA("Ultima Online Third Dawn", nullptr);
    }
    if (window == nullptr) {
        return false;
    }
    SendTextToWindow(window, "\x1b");
    SendTextToWindow(window, "\r" + toCodePage(command) + "\r");
    return true;
}

} // namespace tarvek::client
