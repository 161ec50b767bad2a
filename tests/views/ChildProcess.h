#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A process the test started itself; ended (and reaped) when the object goes.
class ChildProcess
{
public:
    ChildProcess() = default;
    // Starts the program (looked up on PATH) with its arguments; arguments[0] is the program.
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess() { stop(); }
    ChildProcess(ChildProcess&& other) noexcept : m_pid(other.m_pid) { other.m_pid = -1; }
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running() const { return m_pid > 0; }
    void stop();

    // True when the program can be found on PATH.
    static bool onPath(const std::string& program);

private:
    pid_t m_pid = -1;
};
