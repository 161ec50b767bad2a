#include "app/InstanceLock.h"

#include "base/ProgramFiles.h"
#include "base/SystemReason.h"
#include "gui/FileNameText.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the lock file holds: the name of the running copy's socket and a line end.
constexpr std::size_t kAnnouncementMax = 4096;
const std::string kSocketFileName = "/Tarvek.socket";

// A lock file named "Tarvek", locked with flock(): the system releases the lock with the process
// however it ends, so a file left by a copy that crashed is taken over at once, and a live lock
// is never taken over, however old it is. The file stays when the lock is released: removing it
// could let two processes lock two files of the same name.
class LockFile final : public InstanceLock
{
public:
    explicit LockFile(int descriptor) : m_descriptor(descriptor) {}
    ~LockFile() override { ::close(m_descriptor); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    void announce(const QString& serverName) override
    {
        const std::string line = engineFileName(serverName) + '\n';
        // A name that does not fit leaves the file empty: later starts look beside the lock.
        if (::ftruncate(m_descriptor, 0) != 0 || line.size() > kAnnouncementMax) {
            return;
        }
        [[maybe_unused]] const ssize_t written =
            ::pwrite(m_descriptor, line.data(), line.size(), 0);
    }

private:
    int m_descriptor;
};

QString lockFileName(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Tarvek"));
}

QString cannotCreate(const QString& folder, const QString& reason)
{
    return QStringLiteral("Die Sperrdatei von Tarvek kann im Ordner %1 nicht angelegt werden. %2.")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)), reason);
}

} // namespace

QString InstanceLock::defaultFolder(QString* error)
{
    const tarvek::InstanceFolder folder = tarvek::InstanceFolder::ofUser();
    if (error != nullptr) {
        *error = QString::fromStdString(folder.error);
    }
    return qtFileName(folder.folder);
}

std::unique_ptr<InstanceLock> InstanceLock::take(const QString& folder, QString* error)
{
    error->clear();
    const std::string path = engineFileName(lockFileName(folder));
    // Not through a symbolic link, and only for this user.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        *error = cannotCreate(folder, QString::fromStdString(tarvek::systemReason(errno)));
        return nullptr;
    }
    auto lock = std::make_unique<LockFile>(descriptor);
    struct stat status
    {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid()) {
        *error = cannotCreate(folder, QStringLiteral("Eine Datei dieses Namens gehört einem "
                                                     "anderen Benutzer oder ist keine Datei"));
        return nullptr;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            *error = cannotCreate(folder, QString::fromStdString(tarvek::systemReason(errno)));
        }
        return nullptr;
    }
    return lock;
}

QString InstanceLock::serverName(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Tarvek.socket"));
}

QString InstanceLock::defaultSocketFolder()
{
    return qtFileName(tarvek::InstanceFolder::ofUser().socketFolder);
}

QString InstanceLock::announcedServer(const QString& folder)
{
    // The lock file of this user, read as a stranger's: a regular file, a bounded read, one line
    // with an absolute name of a socket called as the running copy calls it. Whatever listens
    // there is asked for its user before it gets a file.
    const std::string path = engineFileName(lockFileName(folder));
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0) {
        return serverName(folder);
    }
    std::string text(kAnnouncementMax, '\0');
    struct stat status
    {};
    ssize_t size = -1;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_uid == ::geteuid()) {
        size = ::pread(descriptor, text.data(), text.size(), 0);
    }
    ::close(descriptor);
    text.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    const std::size_t end = text.find('\n');
    if (end == std::string::npos) {
        return serverName(folder); // none announced yet
    }
    text.resize(end);
    if (!text.starts_with('/') || !text.ends_with(kSocketFileName) ||
        text.find('\0') != std::string::npos) {
        return serverName(folder);
    }
    return qtFileName(text);
}

bool InstanceLock::peerIsOwnUser(qintptr descriptor, Peer /*peer*/)
{
#ifdef SO_PEERCRED
    // The user of the process that connected, or that listened, when the connection was made.
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) !=
            0 ||
        size != sizeof credentials) {
        return false;
    }
    return credentials.uid == ::geteuid();
#else
    uid_t user = 0;
    gid_t group = 0;
    return ::getpeereid(static_cast<int>(descriptor), &user, &group) == 0 && user == ::geteuid();
#endif
}

void InstanceLock::letServerTakeForeground(qintptr /*descriptor*/) {}
