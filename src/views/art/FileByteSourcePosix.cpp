#include "views/art/FileByteSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek::art {

FileByteSource::FileByteSource(int descriptor, std::uint64_t size)
    : m_descriptor(descriptor), m_size(size)
{}

std::unique_ptr<FileByteSource> FileByteSource::open(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status
    {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(
        new FileByteSource(descriptor, static_cast<std::uint64_t>(status.st_size)));
}

FileByteSource::~FileByteSource()
{
    ::close(m_descriptor);
}

bool FileByteSource::read(std::uint64_t offset, std::size_t length,
                          std::vector<std::uint8_t>& out) const
{
    if (!contains(offset, length)) {
        return false;
    }
    out.resize(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_descriptor, out.data() + done, length - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false; // read error, or the file became shorter since it was opened
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace tarvek::art
