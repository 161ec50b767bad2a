#pragma once

#include "views/goto/GameClient.h"

#include <string>

namespace tarvek::client {

// The client on Windows: found by its window class ("Ultima Online", then "Ultima Online Third
// Dawn"); the text is typed as Unicode character messages after joining the client thread's
// input, and only while the focus is in the client window.
class WindowsGameClient : public GameClient
{
public:
    bool SendToUO(const std::string& command) override;
};

} // namespace tarvek::client
