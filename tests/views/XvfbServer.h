#pragma once

#include "ChildProcess.h"

#include <string>

// An Xvfb of the test's own, on a display number that the server picks free itself.
class XvfbServer
{
public:
    // Empty when the programs the X tests need are installed, else their names.
    static std::string missingPrograms();

    // Starts the server and points DISPLAY at it; false (with the reason in error()) on failure.
    bool start();
    const std::string& display() const { return m_display; }
    const std::string& error() const { return m_error; }

private:
    ChildProcess m_server;
    std::string m_display;
    std::string m_error;
};
