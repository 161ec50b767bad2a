#include "support/engine/FileSizeLimit.h"

namespace tarvek::hardening {

#ifdef _WIN32

FileSizeLimit::FileSizeLimit(std::size_t) {}

FileSizeLimit::~FileSizeLimit() = default;

#else

FileSizeLimit::FileSizeLimit(std::size_t bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_old) != 0) {
        return;
    }
    rlimit limited = m_old;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    if (m_old.rlim_max != RLIM_INFINITY && limited.rlim_cur > m_old.rlim_max) {
        limited.rlim_cur = m_old.rlim_max;
    }
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_active) {
        setrlimit(RLIMIT_FSIZE, &m_old);
    }
    std::signal(SIGXFSZ, m_oldHandler);
}

#endif

} // namespace tarvek::hardening
