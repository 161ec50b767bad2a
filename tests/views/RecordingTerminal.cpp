#include "RecordingTerminal.h"

#include "X11Focus.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

template <typename Done> bool waitFor(Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
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

RecordingTerminal::RecordingTerminal(const std::filesystem::path& folder, const std::string& name,
                                     const std::string& windowClass, const std::string& title,
                                     int count)
    : m_ready(folder / (name + ".ready")), m_output(folder / (name + ".bytes")),
      m_windowClass(windowClass.empty() ? "XTerm" : windowClass), m_title(title)
{
    std::vector<std::string> arguments{"xterm"};
    if (!windowClass.empty()) {
        arguments.insert(arguments.end(), {"-class", windowClass});
    }
    if (!title.empty()) {
        arguments.insert(arguments.end(), {"-T", title});
    }
    const std::string script = "stty raw -echo && : > " + quoted(m_output) + " && touch " +
                               quoted(m_ready) + " && exec dd bs=1 count=" + std::to_string(count) +
                               " status=none >> " + quoted(m_output);
    arguments.insert(arguments.end(), {"-e", "sh", "-c", script});
    m_terminal = ChildProcess(arguments);
}

bool RecordingTerminal::waitReady() const
{
    return m_terminal.running() && waitFor([this] { return std::filesystem::exists(m_ready); }) &&
           waitFor([this] { return X11Focus::viewableWindow(m_windowClass, m_title) != 0; });
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
