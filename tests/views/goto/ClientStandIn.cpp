// Stands in for the game client: a top-level window of the class given as the first argument
// with an edit field that takes the keyboard focus; every character that reaches the field is
// appended to the file given as the second argument (UTF-8). A third argument plays a client
// that is hard to reach: "refuse" lets go of the focus whenever it gets it, "hang" stops answering
// after the first character it records, "close" closes its window after the first character and
// ends, and "locked" is a process that others may not open (as a program of another user).
#include <cstdio>
#include <string>

#include <windows.h>

#include <aclapi.h>

namespace {

HWND g_field = nullptr;
WNDPROC g_editProc = nullptr;
std::FILE* g_typed = nullptr;
bool g_refuse = false;
bool g_hang = false;
bool g_close = false;
HWND g_window = nullptr;

LRESULT CALLBACK recordingField(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_CHAR) {
        const auto c = static_cast<wchar_t>(w);
        char bytes[8] = {};
        const int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
        std::fwrite(bytes, 1, static_cast<std::size_t>(n > 0 ? n : 0), g_typed);
        std::fflush(g_typed);
        if (g_hang) {
            Sleep(INFINITE);
        }
        if (g_close) {
            DestroyWindow(g_window);
            return 0;
        }
    }
    return CallWindowProcW(g_editProc, window, message, w, l);
}

LRESULT CALLBACK clientWindow(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_SETFOCUS) {
        SetFocus(g_refuse ? nullptr : g_field);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3 || (g_typed = _wfopen(argv[2], L"wb")) == nullptr) {
        return 2;
    }
    const std::wstring mode = argc > 3 ? argv[3] : L"";
    g_refuse = mode == L"refuse";
    g_hang = mode == L"hang";
    g_close = mode == L"close";
    if (mode == L"locked") {
        // An empty access list: nobody else may open the process.
        ACL nobody;
        InitializeAcl(&nobody, sizeof nobody, ACL_REVISION);
        if (SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, &nobody, nullptr) != ERROR_SUCCESS) {
            return 3;
        }
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = clientWindow;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = argv[1];
    RegisterClassW(&windowClass);
    HWND const window = g_window =
        CreateWindowExW(0, argv[1], L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 200, nullptr,
                        nullptr, windowClass.hInstance, nullptr);
    g_field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 4, 4, 300, 24, window,
                              nullptr, windowClass.hInstance, nullptr);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordingField)));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
