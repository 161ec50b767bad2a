#pragma once

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>

namespace tarvek::hardening {

// While it lives, no regular file of this process can grow beyond `bytes`: a write past the
// limit fails with "File too large", as a full disk fails a write. This makes writes fail for
// root too, for whom permissions are no obstacle. The signal that the kernel sends with the
// failure is ignored meanwhile. Windows has no such limit: there it is never active.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the test should then be skipped).
    bool active() const { return m_active; }
    // Whether this system has such a limit at all.
    static constexpr bool available()
    {
#ifdef _WIN32
        return false;
#else
        return true;
#endif
    }

private:
#ifndef _WIN32
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
#endif
    bool m_active = false;
};

} // namespace tarvek::hardening

// Ends the running test as skipped where no file size limit exists: without it a full disk
// cannot be imitated.
#define SKIP_WITHOUT_FILE_SIZE_LIMIT()                                                             \
    do {                                                                                           \
        if (!::tarvek::hardening::FileSizeLimit::available()) {                                    \
            GTEST_SKIP() << "this system has no file size limit, so a full disk cannot be "        \
                            "imitated";                                                            \
        }                                                                                          \
    } while (false)
