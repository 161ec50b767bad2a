// "Hingehen" on Windows against a stand-in client window in a process of its own (under Wine
// without a display: its null graphics driver).
#include "calc/ProgramFolder.h"
#include "importfile/FileNames.h"
#include "importfile/WideText.h"
#include "views/goto/GameClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <windows.h>

using namespace tarvek;

namespace {

const std::string kCommand = ".go  1435, 1613, 6";
const std::string kExpected = "\x1b\r" + kCommand + "\r";

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A running stand-in whose window of class `windowClass` records what is typed into it.
class StandIn
{
public:
    StandIn(const std::wstring& windowClass, bool refuseFocus = false)
    {
        const std::filesystem::path folder = std::filesystem::temp_directory_path();
        const std::wstring tag =
            std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(s_count++);
        m_typed = folder / (L"tarvek-typed-" + tag);
        m_elsewhere = folder / (L"tarvek-elsewhere-" + tag);
        std::wstring line = L"\"" + pathOf(programFolder() + "goto_client_stand_in.exe").wstring() +
                            L"\" \"" + windowClass + L"\" \"" + m_typed.wstring() + L"\"";
        if (refuseFocus) {
            line += L" refuse \"" + m_elsewhere.wstring() + L"\"";
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        m_started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_process) != 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (m_started && !findOwnWindow(windowClass) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~StandIn()
    {
        if (m_window != nullptr) {
            PostMessageW(m_window, WM_CLOSE, 0, 0);
        }
        if (m_started) {
            if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0) {
                TerminateProcess(m_process.hProcess, 1);
            }
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
        std::error_code ignored;
        std::filesystem::remove(m_typed, ignored);
        std::filesystem::remove(m_elsewhere, ignored);
    }

    bool ready() const { return m_window != nullptr; }
    std::string typed() const { return contents(m_typed); }
    std::string typedElsewhere() const { return contents(m_elsewhere); }

private:
    bool findOwnWindow(const std::wstring& windowClass)
    {
        for (HWND w = FindWindowExW(nullptr, nullptr, windowClass.c_str(), nullptr); w != nullptr;
             w = FindWindowExW(nullptr, w, windowClass.c_str(), nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == m_process.dwProcessId) {
                m_window = w;
            }
        }
        return m_window != nullptr && std::filesystem::exists(m_typed);
    }

    static inline int s_count = 0;
    PROCESS_INFORMATION m_process{};
    bool m_started = false;
    HWND m_window = nullptr;
    std::filesystem::path m_typed;
    std::filesystem::path m_elsewhere;
};

bool sendToUO(const std::string& command)
{
    return client::makePlatformGameClient()->SendToUO(command);
}

TEST(GoToWindows, ClassicClientGetsTheExactKeysBeforeThirdDawn)
{
    const StandIn thirdDawn(L"Ultima Online Third Dawn");
    const StandIn classic(L"Ultima Online");
    ASSERT_TRUE(thirdDawn.ready() && classic.ready());

    EXPECT_TRUE(sendToUO(kCommand));
    EXPECT_EQ(classic.typed(), kExpected);
    // Characters as Unicode, whatever the code page.
    EXPECT_TRUE(sendToUO("Größe Ω"));
    EXPECT_EQ(classic.typed(), kExpected + "\x1b\rGröße Ω\r");
    EXPECT_EQ(thirdDawn.typed(), "");
}

TEST(GoToWindows, ThirdDawnWhenItIsTheOnlyClient)
{
    EXPECT_FALSE(sendToUO(kCommand)); // no client at all
    const StandIn thirdDawn(L"Ultima Online Third Dawn");
    ASSERT_TRUE(thirdDawn.ready());
    EXPECT_TRUE(sendToUO(kCommand));
    EXPECT_EQ(thirdDawn.typed(), kExpected);
}

TEST(GoToWindows, NothingIsTypedWhenTheFocusCannotBeTaken)
{
    const StandIn classic(L"Ultima Online", true);
    ASSERT_TRUE(classic.ready());
    EXPECT_FALSE(sendToUO(kCommand));
    EXPECT_EQ(classic.typed(), "");
    EXPECT_EQ(classic.typedElsewhere(), "");
}

} // namespace
