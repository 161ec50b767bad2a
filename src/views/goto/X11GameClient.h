#pragma once

#include "views/goto/GameClient.h"

#include <string>

namespace tarvek::client {

// Finds the game client's top-level window on the X display named by DISPLAY and types into it
// as real key presses (XTEST), after giving the window the keyboard focus. Search order, the
// first shown window found per rule winning (hidden windows never count):
//   1. WM_CLASS class "Ultima Online";
//   2. WM_CLASS class "Ultima Online Third Dawn";
//   3. a client run by Wine: WM_CLASS class "client.exe" or "ClassicUO.exe" (Wine names a
//      program's windows after its program file), titled as a client titles its window:
//      "Ultima Online", "Ultima Online - ...", "ClassicUO" or "ClassicUO ...";
//   4. WM_CLASS class "ClassicUO" (the open-source client).
// A window of any other program is never typed into, whatever its title. The focus is checked
// before every key; when another window has taken it, the rest is not typed.
// The display is opened for each command and closed again, so a client started or ended in
// between is seen, and no connection outlives the command.
class X11GameClient : public GameClient
{
public:
    // keyDelayMicroseconds: pause after every key.
    explicit X11GameClient(unsigned keyDelayMicroseconds = 12000);

    bool SendToUO(const std::string& command) override;
    Delivery deliver(const std::string& command) override;

private:
    const unsigned m_keyDelay;
};

} // namespace tarvek::client
