#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& folder)
{
    QString dir = folder;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    m_path = QDir(dir).filePath(QStringLiteral("Tarvek"));
}

bool SingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked()) {
        return true;
    }
    m_lock = std::make_unique<QLockFile>(m_path);
    // A stale time of 0 means: a lock is stale only when its owner no longer runs.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
