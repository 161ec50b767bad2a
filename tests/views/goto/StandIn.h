#pragma once
// A running stand-in client: a process of its own whose window records what is typed into it.

#include "base/FileNames.h"
#include "base/ProgramFiles.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <windows.h>

// A running stand-in whose window of class `windowClass` records what is typed into it; `mode`
// is one of the stand-in's ways to be hard to reach ("refuse", "hang", "higher").
class StandIn
{
public:
    explicit StandIn(const std::wstring& windowClass, const std::wstring& mode = L"")
        : m_typed(std::filesystem::temp_directory_path() /
                  (L"tarvek-typed-" + std::to_wstring(GetCurrentProcessId()) + windowClass))
    {
        std::wstring line =
            L"\"" + tarvek::pathOf(tarvek::programFolder() + "goto_client_stand_in.exe").wstring() +
            L"\" \"" + windowClass + L"\" \"" + m_typed.wstring() + L"\" " + mode;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &m_process) == 0) {
            return;
        }
        for (int i = 0; i < 1000 && m_window == nullptr; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            m_window = FindWindowW(windowClass.c_str(), nullptr);
        }
    }
    ~StandIn()
    {
        if (m_process.hProcess != nullptr) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 5000);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
        std::error_code ignored;
        std::filesystem::remove(m_typed, ignored);
    }

    bool ready() const { return m_window != nullptr; }
    std::string typed() const
    {
        std::ifstream in(m_typed, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path m_typed;
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};
