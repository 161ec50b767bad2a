#pragma once

#include "views/goto/GameClient.h"

#include <string>

namespace tarvek::client {

// The client on Windows: found by its window class ("Ultima Online", then "Ultima Online Third
// Dawn"); the text is typed as Unicode character messages after joining the client thread's
// input, and only while the focus is in the client window. Every message waits for the client a
// short time only, so that a hung client never freezes Tarvek, and a client that is closed midway
// ends the typing at once.
class WindowsGameClient : public GameClient
{
public:
    bool SendToUO(const std::string& command) override;
    std::string failureText() const override { return m_failure; }

    // A client started as administrator while Tarvek is not (its integrity level is above
    // Tarvek's): Windows refuses Tarvek's messages.
    static constexpr const char* kHigherRightsText =
        "Der Client läuft mit Administratorrechten, Tarvek nicht; Windows lässt deshalb keine "
        "Eingaben von Tarvek in den Client zu.\n"
        "Bitte den Client ohne Administratorrechte starten oder Tarvek ebenfalls als "
        "Administrator ausführen.";
    static constexpr const char* kClosedText =
        "Der Client wurde während der Eingabe geschlossen.\n"
        "Bitte den Client wieder starten und dann noch einmal \"Hingehen\" drücken.";
    // Windows refuses Tarvek's messages for another reason, named by the system's error code.
    static std::string deniedText(unsigned long code);
    static constexpr const char* kNotAnsweringText =
        "Der Client antwortet nicht.\n"
        "Bitte warten, bis er wieder reagiert, und dann noch einmal \"Hingehen\" drücken.";

private:
    std::string m_failure;
};

} // namespace tarvek::client
