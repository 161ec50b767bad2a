#pragma once

#include <QString>

#include <memory>

// The system-wide lock that tells whether a copy of the program runs: the platform's part of the
// single-instance check (SingleInstance). InstanceLockFile.cpp makes it a lock file in the user's
// runtime folder; InstanceLockWindows.cpp a named mutex "Tarvek", with the socket's folder in
// %LOCALAPPDATA%\Tarvek. The lock is released when the object is destroyed, and by the system when
// the process ends in any way.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;

    // The folder of the lock and of the running copy's socket when the caller names none.
    static QString defaultFolder();
    // Takes the lock in `folder`; nullptr while another running copy holds it.
    static std::unique_ptr<InstanceLock> take(const QString& folder);
    // The name of the local socket on which the running copy takes files of later starts: a
    // socket file beside the lock (on Windows, Qt makes a named pipe of the name).
    static QString serverName(const QString& folder);
};
