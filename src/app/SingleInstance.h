#pragma once

#include "app/InstanceLock.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Makes sure that only one copy of the program runs, and lets a later start hand its import file
// to that copy. The lock (InstanceLock: a lock file named "Tarvek" in a folder of the user's own,
// on Windows a named mutex) is held for the life of the process. Its holder listens on a local
// socket, for the user alone, beside the lock or in the socket folder, and names it in the lock
// (InstanceLock::announce) for later starts.
//
// A later start with a file sends the request of HandOverRequest; the running copy answers "ok"
// and a line end once it has taken the file, and loads the file only after that answer was
// written without error, from its event loop, so the later start never waits for a message box
// of the running copy. It answers "no" to a request it refuses (one that HandOverRequest::read()
// does not take, or a file that exists but is no plain file: a folder, a device, a pipe), and
// "run" or "open" when it takes no file now (see Readiness): the later start then names the file
// and the reason, and ends with exit code 1. Either side talks only to a process of the same
// user. A client that sends no complete request within ReadTimeoutMs, or more than
// HandOverRequest::MaxSize bytes, is dropped; it holds up neither the window nor the next
// hand-over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Lock
    {
        Taken, // this process holds the lock now and listens for the files of later starts
        Busy,  // another running copy holds it
        Failed // the lock cannot be made: errorText() says why
    };
    enum class HandOver
    {
        Taken,         // the running copy took the file and loads it
        Refused,       // it answered that it does not take this file
        Running,       // it takes no file during a run or a load
        DialogOpen,    // it takes no file while one of its dialogs is open
        NoAnswer,      // no copy listened, or none answered, until the deadline
        ForeignServer, // what listens runs as another user: the file was not sent to it
        Unsendable     // the file's name cannot be sent (see HandOverRequest::write)
    };
    // What a later start does: the message it shows (empty: none) and its exit code.
    struct LaterStart
    {
        QString message;
        int exitCode = 0;
    };

    // How long the running copy waits for a connection's complete request.
    static constexpr int ReadTimeoutMs = 2000;
    // How many connections it reads from at once; any more are dropped at once.
    static constexpr int MaxConnections = 16;

    // Whether the running copy takes a file now.
    enum class Readiness
    {
        Ready,
        Running,   // a run or a load is under way
        DialogOpen // a dialog is open (perhaps the editor of the loaded file)
    };

    // folder: where the lock lives; empty means InstanceLock::defaultFolder() (and the socket in
    // InstanceLock::defaultSocketFolder()). socketFolder: where this process's socket goes when
    // it holds the lock; empty: in `folder`.
    explicit SingleInstance(const QString& folder = QString(),
                            const QString& socketFolder = QString());
    ~SingleInstance() override;

    // Takes the lock (again true when this process already holds it); with it this process
    // listens for the files of later starts.
    Lock acquire();
    // Why acquire() failed: German, with the folder and the system's reason.
    QString errorText() const { return m_error; }

    // How long a later start waits for the answer on one connection: longer than the running
    // copy keeps a connection open. A connection that stays silent beyond it was never seen by
    // the running copy (Wine's pipes can lose the notice of a client that connects while the
    // socket is being set up), and the next one is.
    static constexpr int AnswerWaitMs = ReadTimeoutMs + 1000;

    // A later start: hands fileName (an absolute path) to the running copy. Until the deadline
    // it tries again while no copy listens yet (the moment between the running copy's lock and
    // its socket, a socket left by a copy that crashed), or one closes the connection unanswered
    // or leaves it silent for AnswerWaitMs.
    HandOver handOver(const QString& fileName, int timeoutMs = 5000) const;
    // A start that found the lock busy: hands importFile over when there is one. Without a file
    // it says that Tarvek runs (exit code 0); a file that was not handed over is named in the
    // message, and the exit code is 1.
    LaterStart laterStart(const QString& importFile, int timeoutMs = 5000) const;

    static QString message()
    {
        return QStringLiteral("Tarvek läuft bereits und kann nur einmal gestartet werden");
    }
    // Why fileName was not opened.
    static QString handOverFailed(const QString& fileName, HandOver result);

    // Whether the process at the other end of a connection runs as this user;
    // InstanceLock::peerIsOwnUser unless a test puts a stand-in for another user's process here.
    using PeerCheck = std::function<bool(qintptr descriptor, InstanceLock::Peer peer)>;
    void setPeerCheck(PeerCheck check) { m_peerCheck = std::move(check); }
    // Asked when a request comes in; the window answers. Ready until one is set.
    void setReadiness(std::function<Readiness()> readiness) { m_readiness = std::move(readiness); }

signals:
    // A later start handed over this file. Emitted from the event loop, after the answer.
    void fileReceived(const QString& fileName);

private:
    void listen();
    void accept(QLocalSocket* socket);

    QString m_folder;
    QString m_socketFolder;
    QString m_error;
    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer* m_server = nullptr;
    int m_connections = 0;
    PeerCheck m_peerCheck = &InstanceLock::peerIsOwnUser;
    std::function<Readiness()> m_readiness = [] { return Readiness::Ready; };
};
