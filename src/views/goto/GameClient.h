#pragma once

#include <memory>
#include <string>

namespace tarvek::client {

// The running game client, as far as the item views need it: a window that takes a chat command.
class GameClient
{
public:
    virtual ~GameClient() = default;

    // SendToUO: types the Escape key (closes an open chat line), then the Return key, the
    // command and the Return key into the game client's window. The command is UTF-8 text.
    // Returns false when nothing was typed: no client window was found (or there is no window
    // system to look in), or the client's window could not be given the keyboard focus. Keys are
    // typed only while the client window (or a window inside it) has the focus, so that they
    // never land in another program.
    virtual bool SendToUO(const std::string& command) = 0;

    // Why the last SendToUO typed nothing, as a German message that says what the user can do;
    // empty when there was simply no client to type into (the caller then asks the user to start
    // one).
    virtual std::string failureText() const { return {}; }

    // What became of a command.
    enum class Delivery
    {
        Typed,    // every key went to the client
        NoClient, // nothing typed: no client window, or it could not be given the focus
        FocusLost // another window took the focus while the keys were typed: the rest was not
    };
    // SendToUO, telling why not all was typed. A client that cannot tell says NoClient.
    virtual Delivery deliver(const std::string& command)
    {
        return SendToUO(command) ? Delivery::Typed : Delivery::NoClient;
    }
};

// The platform's way to reach the client: X11 through libxdo, or the window messages of Windows.
// A build without either gets a client that is never found.
std::unique_ptr<GameClient> makePlatformGameClient();

} // namespace tarvek::client
