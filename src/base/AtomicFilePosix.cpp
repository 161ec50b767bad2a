#include "base/AtomicFile.h"

#include "base/SystemReason.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {
namespace {

bool fail(int error, std::string& reason)
{
    reason = systemReason(error != 0 ? error : EIO);
    return false;
}

// Writes all bytes, also when the system takes them in pieces (a pipe, a signal between).
bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Whether the name stands for something that is written to rather than replaced: anything that
// is not a regular file, and a regular file reached through a link under /dev (/dev/stdout of a
// program whose output goes to a file).
bool writtenStraight(const std::string& fileName)
{
    struct stat own
    {};
    if (::lstat(fileName.c_str(), &own) != 0) {
        return false; // a new file
    }
    if (!S_ISLNK(own.st_mode)) {
        return !S_ISREG(own.st_mode);
    }
    struct stat target
    {};
    if (::stat(fileName.c_str(), &target) != 0) {
        return false; // a dangling link: replaced by the file
    }
    return !S_ISREG(target.st_mode) || fileName.starts_with("/dev/");
}

bool writeStraight(const std::string& fileName, std::string_view bytes, std::string& reason)
{
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno, reason);
    }
    struct stat status
    {};
    // A file behind /dev/stdout gets the bytes after what the program or others wrote into it
    // before, as a pipe would; nothing in it is overwritten.
    const bool ready =
        ::fstat(fd, &status) == 0 && (!S_ISREG(status.st_mode) || ::lseek(fd, 0, SEEK_END) >= 0);
    bool written = ready && writeAll(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    return written || fail(error, reason);
}

// The folder of a file name, with its separator; empty for a name without a folder.
std::string folderOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

// Creates a new file of a random name in `folder`, exclusively and without following a link;
// -1 with errno set when none could be made.
int createTemporary(const std::string& folder, std::string& name)
{
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".tarvek-";
        for (int i = 0; i < 12; ++i) {
            name += kLetters[letter(random)];
        }
        name += ".tmp";
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Gives the new file the owner's group and the permissions of the file it replaces. The group
// may only be kept where the system allows it; the permissions always are.
bool keepPermissions(int fd, const std::string& fileName)
{
    struct stat old
    {};
    if (::lstat(fileName.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        return true; // a new file: the permissions the user's file mask gives
    }
    struct stat own
    {};
    if (::fstat(fd, &own) == 0 && own.st_gid != old.st_gid) {
        [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// The renaming is on the disk once the folder is: a failure here (a file system that cannot sync
// a folder) changes nothing about the file that is already there.
void syncFolder(const std::string& folder)
{
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeFileAtomically(const std::string& fileName, std::string_view bytes, std::string& reason)
{
    if (writtenStraight(fileName)) {
        return writeStraight(fileName, bytes, reason);
    }
    const std::string folder = folderOf(fileName);
    std::string temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        return fail(errno, reason);
    }
    bool written = keepPermissions(fd, fileName) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), fileName.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return fail(error, reason);
    }
    syncFolder(folder);
    return true;
}

} // namespace tarvek
