// "Hingehen" against real X windows: the test runs its own Xvfb and xterms that stand in for
// the game client and record every byte typed into them.
#include "RecordingTerminal.h"
#include "X11Focus.h"
#include "XvfbServer.h"
#include "support/CraftedImport.h"
#include "support/RecordingClient.h"
#include "support/RecordingPrompts.h"
#include "support/ViewsTestSupport.h"

#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"
#include "views/goto/X11GameClient.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

// Last: its macros (Bool, None, Status) would change the headers above.
#include <X11/Xlib.h>

namespace {

// ESC, then CR, the 18 characters of the command, CR.
const std::string kExpected = std::string("\x1b\r") + ".go  1000, 2000, 5" + "\r";
const QString kLine = QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:5");

class GoToX11Test : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_missing = XvfbServer::missingPrograms();
        if (!s_missing.empty()) {
            return;
        }
        // An X error (a step on a window that did not come up) fails the test instead of ending
        // the program, which would leave the test's X server running.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        s_server = new XvfbServer;
        s_started = s_server->start();
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        if (!s_missing.empty()) {
            GTEST_SKIP() << "the go-to test needs " << s_missing
                         << " (Debian: xvfb, xterm); scripts/deps.sh installs them";
        }
        ASSERT_TRUE(s_started) << s_server->error();
        ensureApplication();
        m_prompts->whileShown = [](QDialog& shown) { clickButton(shown, "BitBtn1"); };
    }

    std::unique_ptr<RecordingTerminal>
    terminal(const std::string& name, const std::string& windowClass, const std::string& title = {})
    {
        auto recorder = std::make_unique<RecordingTerminal>(
            m_folder.path().toStdString(), name, windowClass, title, int(kExpected.size()));
        EXPECT_TRUE(recorder->waitReady()) << name << " did not start";
        return recorder;
    }

    // "Anzeigen" and "Hingehen" in the view of an item that may not be imported, with the
    // platform's game client unless another is given.
    void goThere(std::shared_ptr<tarvek::client::GameClient> client = nullptr)
    {
        TAnsichtbeweglich dialog(nullptr, ItemViewDialog::Services{m_prompts, std::move(client)});
        ASSERT_TRUE(dialog.showLine(kLine));
    }

    static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(300)); }

    static inline std::string s_missing;
    static inline XvfbServer* s_server = nullptr;
    static inline bool s_started = false;
    QTemporaryDir m_folder;
    std::shared_ptr<RecordingPrompts> m_prompts = std::make_shared<RecordingPrompts>();
};

TEST_F(GoToX11Test, ClassicClassWinsOverThirdDawn)
{
    // The Third Dawn window comes first in the window tree.
    const auto thirdDawn = terminal("thirddawn", "Ultima Online Third Dawn");
    const auto classic = terminal("classic", "Ultima Online");
    goThere();

    EXPECT_EQ(classic->waitForBytes(kExpected.size()), kExpected);
    settle();
    EXPECT_EQ(thirdDawn->received(), "");
    EXPECT_TRUE(m_prompts->informations.empty());
}

TEST_F(GoToX11Test, ThirdDawnWhenNoClassicClientRuns)
{
    const auto thirdDawn = terminal("thirddawn", "Ultima Online Third Dawn");
    goThere();
    EXPECT_EQ(thirdDawn->waitForBytes(kExpected.size()), kExpected);
}

TEST_F(GoToX11Test, TitleCountsOnlyForTheClientsOwnPrograms)
{
    // A web page about the game, and Wine programs that are not the client: a launcher, Wine's
    // explorer showing a folder of the client's name, a console running a start script. The
    // title alone never makes a window the client.
    const auto browser = terminal("browser", "firefox", "Ultima Online - Wikipedia");
    const auto launcher = terminal("launcher", "launcher.exe", "Ultima Online Launcher");
    const auto explorer = terminal("explorer", "explorer.exe", "Ultima Online");
    const auto console = terminal("console", "wineconsole.exe", "ClassicUO - start.bat");
    goThere();
    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].text, "Bitte zuerst einen entsprechenden Client starten.");

    // The classic client under Wine: WM_CLASS is its program file.
    const auto wine = terminal("wine", "client.exe", "Ultima Online - Velmar");
    goThere();
    EXPECT_EQ(wine->waitForBytes(kExpected.size()), kExpected);
    settle();
    for (const auto* other : {browser.get(), launcher.get(), explorer.get(), console.get()}) {
        EXPECT_EQ(other->received(), "");
    }
}

TEST_F(GoToX11Test, AHiddenClientWindowDoesNotHideAShownOne)
{
    // The hidden window comes first in the window tree.
    const auto hidden = terminal("hidden", "Ultima Online");
    ASSERT_TRUE(X11Focus::hide(X11Focus::windowOfClass("Ultima Online")));
    const auto shown = terminal("shown", "Ultima Online");
    goThere();
    EXPECT_EQ(shown->waitForBytes(kExpected.size()), kExpected);
    EXPECT_EQ(hidden->received(), "");
    EXPECT_TRUE(m_prompts->informations.empty());
}

TEST_F(GoToX11Test, TypingStopsWhenAnotherWindowTakesTheFocusMidway)
{
    const auto classic = terminal("classic", "Ultima Online");
    const auto popup = terminal("popup", "Benachrichtigung");
    const unsigned long popupWindow = X11Focus::windowOfClass("Benachrichtigung");
    ASSERT_NE(popupWindow, 0u);
    // A window takes the focus once the first keys have arrived; 100 ms a key leave it the time.
    std::thread intruder([&] {
        classic->waitForBytes(3);
        X11Focus::focus(popupWindow);
    });
    goThere(std::make_shared<tarvek::client::X11GameClient>(100000));
    intruder.join();
    settle();

    const std::string typed = classic->received();
    EXPECT_GE(typed.size(), 3u);
    EXPECT_LT(typed.size(), kExpected.size());
    EXPECT_EQ(typed, kExpected.substr(0, typed.size()));
    EXPECT_EQ(popup->received(), "");
    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].text, QString::fromUtf8(ItemViewDialog::kFocusLostText));
    // The window that took the focus keeps it.
    EXPECT_TRUE(X11Focus::isFocused(popupWindow));
}

TEST_F(GoToX11Test, OpenSourceClientIsFoundByItsClass)
{
    const auto shell = terminal("shell", "", "ClassicUO - ~/src");
    const auto open = terminal("open", "ClassicUO", "ClassicUO 1.0 - Tester");
    goThere();
    EXPECT_EQ(open->waitForBytes(kExpected.size()), kExpected);
    settle();
    EXPECT_EQ(shell->received(), "");
}

TEST_F(GoToX11Test, NamesMatchExactlyAndNoWindowGivesTheMessage)
{
    const auto lowerCase = terminal("lower", "ultima online", "ultima online");
    const auto longer = terminal("longer", "Ultima Online 2", "Ultima Online Launcher");
    goThere();
    settle();
    EXPECT_EQ(lowerCase->received(), "");
    EXPECT_EQ(longer->received(), "");
    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].title, "Info");
    EXPECT_EQ(m_prompts->informations[0].text, "Bitte zuerst einen entsprechenden Client starten.");
}

TEST_F(GoToX11Test, FocusGoesBackToWhereItWasAndNothingLandsThere)
{
    // A terminal standing in for Tarvek's dialog has the focus when "Hingehen" is pressed.
    const auto desk = terminal("desk", "Tarvek Stand-in");
    const auto classic = terminal("classic", "Ultima Online");
    const unsigned long deskWindow = X11Focus::windowOfClass("Tarvek Stand-in");
    ASSERT_NE(deskWindow, 0u);
    ASSERT_TRUE(X11Focus::focus(deskWindow));

    goThere();
    EXPECT_EQ(classic->waitForBytes(kExpected.size()), kExpected);
    EXPECT_TRUE(X11Focus::isFocused(deskWindow));
    settle();
    EXPECT_EQ(desk->received(), "");
}

TEST_F(GoToX11Test, NoDisplayGivesTheMessage)
{
    const std::string display = qEnvironmentVariable("DISPLAY").toStdString();
    setenv("DISPLAY", ":65000", 1);
    goThere();
    setenv("DISPLAY", display.c_str(), 1);
    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].text, "Bitte zuerst einen entsprechenden Client starten.");
}

// A player's file whose z lines carry an Escape and a chat command behind a number: the view of
// the item that may not be imported refuses to go there, and the view of the nested items types
// the go-to built from the numbers, nothing else.
TEST_F(GoToX11Test, ACraftedFileGetsNothingButAGoToBuiltFromNumbersTyped)
{
    const CraftedImport crafted = CraftedImport::run(QDir(m_folder.path()));
    ASSERT_FALSE(crafted.movableLine.isEmpty() || crafted.nestedLine.isEmpty());
    const auto client = terminal("classic", "Ultima Online");

    TAnsichtbeweglich movable(nullptr, ItemViewDialog::Services{m_prompts, nullptr});
    ASSERT_TRUE(movable.showLine(crafted.movableLine));
    ASSERT_EQ(m_prompts->errors.size(), 1u);
    EXPECT_TRUE(m_prompts->errors[0].text.contains(QStringLiteral("„Z“")));
    settle();
    EXPECT_EQ(client->received(), "");

    TAnsichtinein nested(nullptr, ItemViewDialog::Services{m_prompts, nullptr});
    ASSERT_TRUE(nested.showLine(crafted.nestedLine));
    const std::string expected = CraftedImport::kNestedKeys;
    EXPECT_EQ(client->waitForBytes(expected.size()), expected);
    settle();
    EXPECT_EQ(client->received(), expected);
}

} // namespace
