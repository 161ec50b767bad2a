// Stands in for the game client: a top-level window of the class given as the first argument
// with an edit field that takes the keyboard focus. Every character message that reaches the
// field is appended to the file given as the second argument (UTF-8). With a third argument
// "refuse", the window passes the focus on to a second window of another class whenever it gets
// it, and that window's characters go to the file given as the fourth argument.
#include <cstdio>
#include <string>

#include <windows.h>

namespace {

HWND g_field = nullptr;
HWND g_elsewhere = nullptr;
bool g_refuse = false;

struct Recorder
{
    WNDPROC original = nullptr;
    std::FILE* file = nullptr;
};
Recorder g_fieldRecorder;
Recorder g_elsewhereRecorder;

void record(std::FILE* file, wchar_t c)
{
    char bytes[8] = {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
    std::fwrite(bytes, 1, static_cast<std::size_t>(n > 0 ? n : 0), file);
    std::fflush(file);
}

LRESULT CALLBACK recordingField(HWND window, UINT message, WPARAM w, LPARAM l)
{
    Recorder& recorder = window == g_field ? g_fieldRecorder : g_elsewhereRecorder;
    if (message == WM_CHAR) {
        record(recorder.file, static_cast<wchar_t>(w));
    }
    return CallWindowProcW(recorder.original, window, message, w, l);
}

LRESULT CALLBACK clientWindow(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_SETFOCUS:
        SetFocus(g_refuse ? g_elsewhere : g_field);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

HWND makeWindow(const wchar_t* className, HWND* field, Recorder& recorder, const wchar_t* file)
{
    recorder.file = _wfopen(file, L"wb");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = clientWindow;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    HWND const window = CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    *field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 4, 4, 300, 24, window, nullptr,
                             windowClass.hInstance, nullptr);
    recorder.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(*field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordingField)));
    return window;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        return 2;
    }
    g_refuse = argc >= 5 && std::wstring(argv[3]) == L"refuse";
    if (g_refuse) {
        makeWindow(L"Tarvek Elsewhere", &g_elsewhere, g_elsewhereRecorder, argv[4]);
    }
    makeWindow(argv[1], &g_field, g_fieldRecorder, argv[2]);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
