#include "base/AtomicFile.h"

#include "base/SystemReason.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {
namespace {

FileError fail(int error)
{
    error = error != 0 ? error : EIO;
    return FileError{FileErrorKind::System, error, systemReason(error)};
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

// Whether a name may stand for something that is written to rather than replaced: it exists and
// is neither a regular file nor a link to one. What it is, is then asked of the opened file.
bool mayBeNoFile(const std::string& fileName)
{
    struct stat own
    {};
    if (::lstat(fileName.c_str(), &own) != 0) {
        return false; // a new file
    }
    struct stat target
    {};
    return !S_ISREG(own.st_mode) &&
           (!S_ISLNK(own.st_mode) ||
            (::stat(fileName.c_str(), &target) == 0 && !S_ISREG(target.st_mode)));
}

// Whether a document replaces the name like a file although it is none: a named pipe, which
// would keep a window waiting for its reader, or a socket, as the windows' saves always did.
bool replacedAsDocument(const std::string& fileName)
{
    struct stat status
    {};
    return ::stat(fileName.c_str(), &status) == 0 &&
           (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}

// Whether `status` is the file that the program's standard output or standard error goes to:
// what it writes there would take the place of the result, or the result its place.
bool isOwnStandardStream(const struct stat& status)
{
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat own
        {};
        if (::fstat(stream, &own) == 0 && S_ISREG(own.st_mode) && own.st_dev == status.st_dev &&
            own.st_ino == status.st_ino) {
            return true;
        }
    }
    return false;
}

// Writes into the opened `fd` and closes it.
Result<void> writeInto(int fd, std::string_view bytes)
{
    bool written = writeAll(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        return fail(error);
    }
    return {};
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

Result<void> writeFileAtomically(const std::string& fileName, std::string_view bytes,
                                 WriteTarget target)
{
    const bool document = target == WriteTarget::Document;
    // A named pipe, a device or the terminal is written into, as it cannot be replaced. That is
    // what the system says of the opened file, never what its name looks like: a regular file
    // reached through a link (also one under /dev) is replaced like any other. A document opens
    // without waiting, should a pipe take the name meanwhile, and then writes as any other.
    if (!(document && replacedAsDocument(fileName)) && mayBeNoFile(fileName)) {
        const int fd =
            ::open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (document ? O_NONBLOCK : 0));
        struct stat status
        {};
        if (fd < 0 || ::fstat(fd, &status) != 0) {
            const int error = errno;
            if (fd >= 0) {
                ::close(fd);
            }
            return fail(error);
        }
        if (!S_ISREG(status.st_mode)) {
            if (document) {
                ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            }
            return writeInto(fd, bytes);
        }
        ::close(fd); // it became a regular file meanwhile
    }
    if (struct stat status{};
        !document && ::stat(fileName.c_str(), &status) == 0 && isOwnStandardStream(status)) {
        return FileError{
            FileErrorKind::StandardStream, 0,
            "Die Datei nimmt schon die Standardausgabe oder die Standardfehlerausgabe auf."};
    }
    const std::string folder = folderOf(fileName);
    std::string temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        return fail(errno);
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
        return fail(error);
    }
    syncFolder(folder);
    return {};
}

} // namespace tarvek
