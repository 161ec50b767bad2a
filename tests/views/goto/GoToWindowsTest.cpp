// "Hingehen" on Windows against a stand-in client window in a process of its own (under Wine
// without a display: its null graphics driver).
#include "StandIn.h"

#include "views/goto/WindowsGameClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include <windows.h>

using namespace tarvek;

namespace {

const std::string kCommand = ".go  1435, 1613, 6";
const std::string kExpected = "\x1b\r" + kCommand + "\r";

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
    client::WindowsGameClient none;
    EXPECT_FALSE(none.SendToUO(kCommand)); // no client at all, and nothing else to say
    EXPECT_EQ(none.failureText(), "");
    const StandIn thirdDawn(L"Ultima Online Third Dawn");
    ASSERT_TRUE(thirdDawn.ready());
    EXPECT_TRUE(sendToUO(kCommand));
    EXPECT_EQ(thirdDawn.typed(), kExpected);
}

TEST(GoToWindows, NothingIsTypedWhenTheFocusCannotBeTaken)
{
    const StandIn classic(L"Ultima Online", L"refuse");
    ASSERT_TRUE(classic.ready());
    EXPECT_FALSE(sendToUO(kCommand));
    EXPECT_EQ(classic.typed(), "");
}

// The client stops answering after the first character: the go-to gives up instead of waiting for
// it, and says so. The bound below only catches a go-to that would wait for ever; ending the
// stand-in then frees it.
TEST(GoToWindows, AHungClientIsGivenUpAndNamed)
{
    auto hung = std::make_unique<StandIn>(L"Ultima Online", L"hang");
    ASSERT_TRUE(hung->ready());
    client::WindowsGameClient client;
    auto sent = std::async(std::launch::async, [&] { return client.SendToUO(kCommand); });
    const bool returned = sent.wait_for(std::chrono::minutes(2)) == std::future_status::ready;
    const std::string typed = hung->typed();
    if (!returned) {
        hung.reset();
    }
    ASSERT_TRUE(returned);
    EXPECT_FALSE(sent.get());
    EXPECT_EQ(client.failureText(), client::WindowsGameClient::kNotAnsweringText);
    EXPECT_EQ(typed, "\x1b");
}

// A client that is closed while the command is typed ends the typing at once, and is named as
// closed: neither as not answering (two seconds a character) nor as refusing.
TEST(GoToWindows, AClientClosedMidwayIsNamedAtOnce)
{
    const StandIn closing(L"Ultima Online", L"close");
    ASSERT_TRUE(closing.ready());
    client::WindowsGameClient client;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.SendToUO(kCommand));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(client.failureText(), client::WindowsGameClient::kClosedText);
    EXPECT_EQ(closing.typed(), "\x1b");
}

// A process that Tarvek may not look into is not called a client with administrator rights:
// nothing shows that, and Windows takes the keys.
TEST(GoToWindows, AClientWhoseProcessIsLockedIsNotCalledAdministrator)
{
    const StandIn locked(L"Ultima Online", L"locked");
    ASSERT_TRUE(locked.ready());
    client::WindowsGameClient client;
    EXPECT_TRUE(client.SendToUO(kCommand));
    EXPECT_EQ(client.failureText(), "");
    EXPECT_EQ(locked.typed(), kExpected);
    EXPECT_EQ(client::WindowsGameClient::deniedText(ERROR_ACCESS_DENIED),
              "Windows lässt keine Eingaben von Tarvek in den Client zu: Keine Berechtigung.");
}

} // namespace
