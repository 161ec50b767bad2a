#include "X11Session.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;
constexpr auto kStartTimeout = 15s;
constexpr auto kPoll = 20ms;

pid_t spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

bool onPath(const std::string& program)
{
    const char* const path = std::getenv("PATH");
    std::stringstream folders(path == nullptr ? "" : path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

template <typename Done> bool waitFor(Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

// Quotes a path for sh.
std::string quoted(const std::filesystem::path& path)
{
    std::string text = "'";
    for (const char c : path.string()) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

} // namespace

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        stop();
        m_pid = other.m_pid;
        other.m_pid = -1;
    }
    return *this;
}

void ChildProcess::stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
}

std::string XvfbServer::missingPrograms()
{
    std::string missing;
    for (const char* program : {"Xvfb", "xterm"}) {
        if (!onPath(program)) {
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
    m_server = ChildProcess(spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp",
                                   "-screen", "0", "1024x768x24"}));
    close(fds[1]);
    std::string number;
    pollfd readable{fds[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
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

void XvfbServer::stop()
{
    m_server.stop();
}

RecordingTerminal::RecordingTerminal(const std::filesystem::path& folder, const std::string& name,
                                     const std::string& windowClass, const std::string& title,
                                     int count)
    : m_ready(folder / (name + ".ready")), m_output(folder / (name + ".bytes"))
{
    std::vector<std::string> arguments{"xterm"};
    if (!windowClass.empty()) {
        arguments.insert(arguments.end(), {"-class", windowClass});
    }
    if (!title.empty()) {
        arguments.insert(arguments.end(), {"-T", title});
    }
    const std::string script = "stty raw -echo && : > " + quoted(m_output) + " && touch " +
                               quoted(m_ready) + " && exec head -c " + std::to_string(count) +
                               " >> " + quoted(m_output);
    arguments.insert(arguments.end(), {"-e", "sh", "-c", script});
    m_terminal = ChildProcess(spawn(arguments));
}

bool RecordingTerminal::waitReady() const
{
    return m_terminal.running() && waitFor([this] { return std::filesystem::exists(m_ready); });
}

std::string RecordingTerminal::received() const
{
    std::ifstream file(m_output, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string RecordingTerminal::waitForBytes(std::size_t count) const
{
    waitFor([&] { return received().size() >= count; });
    return received();
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvek-x11-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        m_path = pattern;
    }
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    if (!m_path.empty()) {
        std::filesystem::remove_all(m_path, ignored);
    }
}
