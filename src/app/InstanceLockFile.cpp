#include "app/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// A lock file named "Tarvek". A lock left behind by a copy that crashed is taken over, because
// its process no longer exists; a live lock is never taken over, however old it is.
class LockFile final : public InstanceLock
{
public:
    explicit LockFile(const QString& path) : m_file(path)
    {
        // A stale time of 0 means: a lock is stale only when its owner no longer runs.
        m_file.setStaleLockTime(0);
    }
    bool tryLock() { return m_file.tryLock(0); }

private:
    QLockFile m_file;
};

} // namespace

QString InstanceLock::defaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

std::unique_ptr<InstanceLock> InstanceLock::take(const QString& folder)
{
    auto lock = std::make_unique<LockFile>(QDir(folder).filePath(QStringLiteral("Tarvek")));
    if (!lock->tryLock()) {
        return nullptr;
    }
    return lock;
}

QString InstanceLock::serverName(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Tarvek.socket"));
}
