#include "base/FileNames.h"

#include "base/SystemReason.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

std::filesystem::path pathOf(std::string_view fileName)
{
    return std::filesystem::path(std::string(fileName));
}

std::string fileNameOf(const std::filesystem::path& path)
{
    return path.string();
}

std::FILE* openFile(const std::string& fileName, const char* mode)
{
    // "e": close-on-exec.
    return std::fopen(fileName.c_str(), (std::string(mode) + "e").c_str());
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> fileIdentity(const std::string& fileName)
{
    struct stat status
    {};
    if (::stat(fileName.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino)};
}

bool folderIsWritable(const std::string& folder)
{
    std::string name = (folder.empty() ? std::string(".") : folder) + "/.tarvek-XXXXXX";
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        return false;
    }
    ::close(descriptor);
    ::unlink(name.c_str());
    return true;
}

std::string openFailureReason(int errorNumber)
{
    return systemReason(errorNumber);
}

namespace {

using detail::FileRead;

FileRead kindOf(const struct stat& status)
{
    if (S_ISDIR(status.st_mode)) {
        return FileRead::Folder;
    }
    return S_ISREG(status.st_mode) ? FileRead::Read : FileRead::NotRegular;
}

} // namespace

FileRead detail::readInto(const std::string& fileName, std::uint64_t limit, std::string& bytes,
                          int& errorNumber)
{
    struct stat status
    {};
    // A named pipe is known before it is opened; O_NONBLOCK keeps one that appears meanwhile
    // from blocking the opening.
    if (::stat(fileName.c_str(), &status) == 0 && kindOf(status) != FileRead::Read) {
        return kindOf(status);
    }
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        errorNumber = errno;
        return FileRead::Failed;
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &status) != 0) {
        errorNumber = errno;
        return FileRead::Failed;
    }
    if (kindOf(status) != FileRead::Read) {
        return kindOf(status);
    }
    return detail::readOpenedFile(
        static_cast<std::uint64_t>(status.st_size), limit, bytes,
        [fd, &errorNumber](char* buffer, std::size_t size) -> std::int64_t {
            for (;;) {
                const ::ssize_t got = ::read(fd, buffer, size);
                if (got >= 0 || errno != EINTR) {
                    errorNumber = got < 0 ? errno : errorNumber;
                    return got;
                }
            }
        });
}

} // namespace tarvek
