#pragma once

#include "ChildProcess.h"

#include <filesystem>
#include <string>

// An xterm that records the raw bytes typed into it (terminal in raw mode, no echo) into a file,
// each as it arrives, until it has `count` of them.
class RecordingTerminal
{
public:
    // windowClass / title: empty for xterm's own.
    RecordingTerminal(const std::filesystem::path& folder, const std::string& name,
                      const std::string& windowClass, const std::string& title, int count);

    // Waits until the terminal is in raw mode and reading, and its window is on screen (a busy
    // X server may map it after the program inside has started).
    bool waitReady() const;
    // Waits until `count` bytes have arrived (or the time is up) and returns what arrived.
    std::string waitForBytes(std::size_t count) const;
    std::string received() const;

private:
    std::filesystem::path m_ready;
    std::filesystem::path m_output;
    std::string m_windowClass;
    std::string m_title;
    ChildProcess m_terminal;
};
