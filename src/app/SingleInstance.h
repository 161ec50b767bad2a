#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Makes sure that only one copy of the program runs: a lock file named "Tarvek" in the user's
// runtime folder, held for the life of the process. A lock left behind by a copy that crashed is
// taken over, because its process no longer exists; a live lock is never taken over, however
// old it is.
class SingleInstance
{
public:
    // folder: where the lock lives; empty means the user's runtime folder.
    explicit SingleInstance(const QString& folder = QString());

    // True when this process now holds the lock (or already held it).
    bool acquire();
    QString lockPath() const { return m_path; }

    static QString message()
    {
        return QStringLiteral("Tarvek läuft bereits und kann nur einmal gestartet werden");
    }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
