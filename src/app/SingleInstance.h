#pragma once

#include <QObject>
#include <QString>

#include <memory>

class InstanceLock;
class QLocalServer;
class QLocalSocket;

// Makes sure that only one copy of the program runs, and lets a later start hand its import file
// to that copy. The lock (InstanceLock: a lock file named "Tarvek" in the user's runtime folder)
// is held for the life of the process. Its holder listens on a local socket beside it; a later
// start with a file sends the file's address there, the running copy answers at once that it
// has taken the file and only then loads it (or says why not), so the later start never waits
// for a message box of the running copy.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: where the lock and the socket live; empty means InstanceLock::defaultFolder().
    explicit SingleInstance(const QString& folder = QString());
    ~SingleInstance() override;

    // True when this process now holds the lock (or already held it); it then listens for the
    // files of later starts.
    bool acquire();
    // A later start: hands fileName (an absolute path) to the running copy. True once that copy
    // has taken it; false when none answered within timeoutMs.
    bool handOver(const QString& fileName, int timeoutMs = 5000) const;

    static QString message()
    {
        return QStringLiteral("Tarvek läuft bereits und kann nur einmal gestartet werden");
    }

signals:
    // A later start handed over this file. Emitted from the event loop, after the answer.
    void fileReceived(const QString& fileName);

private:
    void listen();
    void readFrom(QLocalSocket* socket);

    QString m_folder;
    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer* m_server = nullptr;
};
