#pragma once

#include "views/goto/GameClient.h"

#include <string>
#include <vector>

// A game client that records the commands it is given.
class RecordingClient : public tarvek::client::GameClient
{
public:
    bool SendToUO(const std::string& command) override
    {
        commands.push_back(command);
        return running;
    }
    std::string failureText() const override { return failure; }

    bool running = true;
    std::string failure; // why a client that runs took nothing
    std::vector<std::string> commands;
};
