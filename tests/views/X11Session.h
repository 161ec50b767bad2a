#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// A process the test started itself; ended (and reaped) when the object goes.
class ChildProcess
{
public:
    ChildProcess() = default;
    explicit ChildProcess(pid_t pid) : m_pid(pid) {}
    ~ChildProcess() { stop(); }
    ChildProcess(ChildProcess&& other) noexcept : m_pid(other.m_pid) { other.m_pid = -1; }
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running() const { return m_pid > 0; }
    void stop();

private:
    pid_t m_pid = -1;
};

// An Xvfb of the test's own, on a display number that the server picks free itself.
class XvfbServer
{
public:
    // Empty when the programs the X tests need are not installed.
    static std::string missingPrograms();

    // Starts the server and points DISPLAY at it; false (with the reason in error()) on failure.
    bool start();
    void stop();
    const std::string& display() const { return m_display; }
    const std::string& error() const { return m_error; }

private:
    ChildProcess m_server;
    std::string m_display;
    std::string m_error;
};

// An xterm that records the raw bytes typed into it (terminal in raw mode, no echo) into a file
// until it has `count` of them.
class RecordingTerminal
{
public:
    // windowClass / title: empty for xterm's own.
    RecordingTerminal(const std::filesystem::path& folder, const std::string& name,
                      const std::string& windowClass, const std::string& title, int count);

    // Waits until the terminal is in raw mode and reading.
    bool waitReady() const;
    // Waits until `count` bytes have arrived (or the time is up) and returns what arrived.
    std::string waitForBytes(std::size_t count) const;
    std::string received() const;

private:
    std::filesystem::path m_ready;
    std::filesystem::path m_output;
    ChildProcess m_terminal;
};

// A private folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
