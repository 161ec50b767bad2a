#pragma once

#include "views/goto/GameClient.h"

#include <string>

namespace tarvek::client {

// Finds the game client's top-level window on the X display named by DISPLAY and types into it
// as real key presses (XTEST), after giving the window the keyboard focus. Search order, the
// first window found per rule winning:
//   1. WM_CLASS class "Ultima Online";
//   2. WM_CLASS class "Ultima Online Third Dawn";
//   3. title "Ultima Online" or beginning with "Ultima Online - ", of a Wine program (WM_CLASS
//      class or instance ending in ".exe": the classic client under Wine is named after its
//      program file);
//   4. WM_CLASS "ClassicUO" (the open-source client), or a Wine program whose title contains
//      "ClassicUO".
// A window of any other program is never typed into, whatever its title.
// The display is opened for each command and closed again, so a client started or ended in
// between is seen, and no connection outlives the command.
class X11GameClient : public GameClient
{
public:
    // keyDelayMicroseconds: pause after every key press and release.
    explicit X11GameClient(unsigned keyDelayMicroseconds = 12000);

    bool SendToUO(const std::string& command) override;

private:
    const unsigned m_keyDelay;
};

} // namespace tarvek::client
