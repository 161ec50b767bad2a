#include "XvfbServer.h"

#include <chrono>
#include <cstdlib>

#include <poll.h>
#include <unistd.h>

std::string XvfbServer::missingPrograms()
{
    std::string missing;
    for (const char* program : {"Xvfb", "xterm"}) {
        if (!ChildProcess::onPath(program)) {
            missing += missing.empty() ? program : std::string(" and ") + program;
        }
    }
    return missing;
}

bool XvfbServer::start()
{
    // -displayfd: the server takes the first free display number and writes it to the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = "no pipe";
        return false;
    }
    m_server = ChildProcess({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp",
                             "-screen", "0", "1024x768x24"});
    close(fds[1]);
    std::string number;
    pollfd readable{fds[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (m_server.running() && std::chrono::steady_clock::now() < deadline) {
        if (poll(&readable, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        m_error = "Xvfb did not report a display";
        m_server.stop();
        return false;
    }
    m_display = ":" + number;
    setenv("DISPLAY", m_display.c_str(), 1);
    return true;
}
