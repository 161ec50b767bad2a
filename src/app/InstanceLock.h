#pragma once

#include <QString>

#include <memory>

// The system-wide lock that tells whether a copy of the program runs: the platform's part of the
// single-instance check (SingleInstance). InstanceLockFile.cpp makes it a lock file in a folder
// of the user's own (see tarvek::InstanceFolder); InstanceLockWindows.cpp a named mutex "Tarvek"
// and a named pipe whose name carries the user's session and account. The lock is released when
// the object is destroyed, and by the system when the process ends in any way.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;

    // The folder of the lock when the caller names none (asked anew at each call); empty, with
    // the reason in *error (German), when there is no folder of the user's own for it.
    static QString defaultFolder(QString* error = nullptr);
    // The folder of the running copy's socket when the caller names none: empty for one beside
    // the lock (see tarvek::InstanceFolder::socketFolder).
    static QString defaultSocketFolder();
    // Takes the lock in `folder`. nullptr while another running copy holds it, *error then
    // empty; nullptr with *error set (German, naming the folder and the system's reason) when the
    // lock cannot be made at all (a folder without write permission, a full disk).
    static std::unique_ptr<InstanceLock> take(const QString& folder, QString* error);
    // The name of the local socket on which the running copy takes files of later starts: a
    // socket file in `folder` (on Windows, Qt makes a named pipe of the name).
    static QString serverName(const QString& folder);
    // The running copy tells later starts the name it listens on, whatever their environment:
    // the lock file holds it. Nothing to do on Windows, where the name is the same for all.
    virtual void announce(const QString& serverName) = 0;
    // The name that the running copy holding the lock in `folder` announced; serverName(folder)
    // while it has announced none (or on Windows).
    static QString announcedServer(const QString& folder);

    // The end of a connected local socket whose process is asked about.
    enum class Peer
    {
        Server, // this process connected to it
        Client  // it connected to this process's server
    };
    // True when the process at the other end of a connected local socket runs as this process's
    // user. descriptor: QLocalSocket::socketDescriptor(), a socket on Linux (asked through
    // SO_PEERCRED), a pipe's handle on Windows (asked through the pipe's process and its token).
    static bool peerIsOwnUser(qintptr descriptor, Peer peer);
    // A later start, connected to the running copy (descriptor as above), lets that copy bring
    // its window to the front: Windows hands the foreground on only from the process that holds
    // it, and would otherwise only flash the running copy's task bar button. Nothing to do
    // elsewhere.
    static void letServerTakeForeground(qintptr descriptor);
};
