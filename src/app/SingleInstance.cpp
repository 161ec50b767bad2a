#include "app/SingleInstance.h"

#include "app/HandOverRequest.h"
#include "gui/VisibleText.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// The running copy's answers, each one line.
const QByteArray Taken = QByteArrayLiteral("ok\n");
const QByteArray Refused = QByteArrayLiteral("no\n");
const QByteArray Running = QByteArrayLiteral("run\n");
const QByteArray DialogOpen = QByteArrayLiteral("open\n");
// The longest answer a later start reads.
constexpr qsizetype MaxAnswer = 8;
// The pause before a later start tries to connect again.
constexpr int RetryMs = 50;

} // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& socketFolder)
    : m_folder(folder), m_socketFolder(socketFolder)
{
    if (m_folder.isEmpty()) {
        m_folder = InstanceLock::defaultFolder(&m_error);
        m_socketFolder = InstanceLock::defaultSocketFolder();
    }
    if (m_socketFolder.isEmpty()) {
        m_socketFolder = m_folder;
    }
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Lock SingleInstance::acquire()
{
    if (m_lock) {
        return Lock::Taken;
    }
    if (m_folder.isEmpty()) {
        return Lock::Failed; // m_error says why there is no folder
    }
    m_lock = InstanceLock::take(m_folder, &m_error);
    if (!m_lock) {
        return m_error.isEmpty() ? Lock::Busy : Lock::Failed;
    }
    listen();
    return Lock::Taken;
}

void SingleInstance::listen()
{
    const QString name = InstanceLock::serverName(m_socketFolder);
    // A socket left by a copy that crashed is in the way; no running copy uses it, since this
    // process holds the lock.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket a later start's file is not opened, and that start says so.
    if (!m_server->listen(name)) {
        return;
    }
    m_lock->announce(m_server->fullServerName());
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            accept(socket);
        }
    });
}

void SingleInstance::accept(QLocalSocket* socket)
{
    const auto drop = [socket] {
        socket->abort();
        socket->deleteLater();
    };
    if (m_connections >= MaxConnections ||
        !m_peerCheck(socket->socketDescriptor(), InstanceLock::Peer::Client)) {
        drop();
        return;
    }
    ++m_connections;
    connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Nothing is read beyond the longest request.
    socket->setReadBufferSize(HandOverRequest::MaxSize + 1);
    // Whoever sends no complete request in time is dropped, and so is the connection whose answer
    // has not gone out by then.
    QTimer::singleShot(ReadTimeoutMs, socket, drop);

    // The connection's state: the bytes read so far, and whether it was answered.
    struct State
    {
        QByteArray request;
        bool answered = false;
        QString file;
        bool fileSent = false;
    };
    const auto state = std::make_shared<State>();
    // The file is taken once the answer is out without error: the socket still connected and
    // nothing of the answer left to write.
    const auto answerWritten = [this, socket, state] {
        if (state->fileSent || state->file.isEmpty() ||
            socket->state() != QLocalSocket::ConnectedState || socket->bytesToWrite() > 0) {
            return;
        }
        state->fileSent = true;
        // The client closes the connection once it has read the answer. Closing it here could
        // take the unread answer with it (a Windows pipe discards it), and a client without its
        // answer would send the file again.
        // The file is handled once this socket's handler has returned: loading it may show a
        // message box, which must not hold up the answer.
        QMetaObject::invokeMethod(
            this, [this, file = state->file] { emit fileReceived(file); }, Qt::QueuedConnection);
    };
    connect(socket, &QLocalSocket::bytesWritten, this, answerWritten);
    const auto readRequest = [this, socket, state, drop, answerWritten] {
        if (state->answered) {
            return; // a client says nothing after its request
        }
        state->request += socket->readAll();
        const qsizetype end = state->request.indexOf('\n');
        if (end < 0) {
            if (state->request.size() >= HandOverRequest::MaxSize) {
                drop();
            }
            return;
        }
        state->answered = true;
        const std::optional<QString> file = HandOverRequest::read(state->request);
        // A folder, a device or a pipe would keep the window reading forever or fail in it.
        if (!file || (QFileInfo::exists(*file) && !QFileInfo(*file).isFile())) {
            socket->write(Refused);
            return;
        }
        // A file the window would not load now is refused here, so that the later start says so
        // and fails.
        switch (m_readiness()) {
        case Readiness::Running:
            socket->write(Running);
            return;
        case Readiness::DialogOpen:
            socket->write(DialogOpen);
            return;
        case Readiness::Ready:
            break;
        }
        state->file = *file;
        socket->write(Taken);
        socket->flush();
        answerWritten();
    };
    connect(socket, &QLocalSocket::readyRead, this, readRequest);
    readRequest();
}

SingleInstance::HandOver SingleInstance::handOver(const QString& fileName, int timeoutMs) const
{
    const QByteArray request = HandOverRequest::write(fileName);
    if (request.isEmpty()) {
        return HandOver::Unsendable;
    }
    const QDeadlineTimer deadline(timeoutMs);
    const auto remaining = [&deadline] { return int(deadline.remainingTime()); };
    for (bool first = true; !deadline.hasExpired(); first = false) {
        if (!first) {
            QThread::msleep(std::min<qint64>(RetryMs, deadline.remainingTime()));
        }
        QLocalSocket socket;
        // Asked anew each time: the running copy names its socket once it listens.
        socket.connectToServer(InstanceLock::announcedServer(m_folder));
        if (!socket.waitForConnected(remaining())) {
            // No copy listens (yet): the first copy may be between its lock and its socket, or
            // the socket is one that a crashed copy left.
            continue;
        }
        // Nothing goes to a process of another user, whatever the socket's name.
        if (!m_peerCheck(socket.socketDescriptor(), InstanceLock::Peer::Server)) {
            socket.abort();
            return HandOver::ForeignServer;
        }
        InstanceLock::letServerTakeForeground(socket.socketDescriptor());
        socket.write(request);
        if (!socket.waitForBytesWritten(remaining())) {
            continue;
        }
        const QDeadlineTimer answerDeadline(std::min<qint64>(AnswerWaitMs, remaining()));
        QByteArray answer;
        while (!answer.endsWith('\n') && answer.size() < MaxAnswer) {
            if (socket.bytesAvailable() == 0 &&
                !socket.waitForReadyRead(int(answerDeadline.remainingTime()))) {
                break;
            }
            answer += socket.read(MaxAnswer - answer.size());
        }
        for (const auto& [text, result] :
             {std::pair{Taken, HandOver::Taken}, std::pair{Refused, HandOver::Refused},
              std::pair{Running, HandOver::Running}, std::pair{DialogOpen, HandOver::DialogOpen}}) {
            if (answer == text) {
                return result;
            }
        }
        // Closed without an answer (a copy that drops connections while too many are open), or
        // silent: the next connection, while there is time. The silent one is closed first, so
        // that a copy that finds it later cannot deliver its answer, and so takes no file twice.
        socket.abort();
    }
    return HandOver::NoAnswer;
}

SingleInstance::LaterStart SingleInstance::laterStart(const QString& importFile,
                                                      int timeoutMs) const
{
    if (importFile.isEmpty()) {
        return {message(), 0};
    }
    const HandOver result = handOver(importFile, timeoutMs);
    if (result == HandOver::Taken) {
        return {QString(), 0};
    }
    return {handOverFailed(importFile, result), 1};
}

QString SingleInstance::handOverFailed(const QString& fileName, HandOver result)
{
    QString why;
    switch (result) {
    case HandOver::Taken:
        return QString();
    case HandOver::Refused:
        why = QStringLiteral("Tarvek läuft bereits und nimmt diese Datei nicht an, denn sie ist "
                             "keine gewöhnliche Datei.");
        break;
    case HandOver::Running:
        why = QStringLiteral("Tarvek läuft bereits und berechnet gerade eine Importdatei. Bitte "
                             "die Datei nach dem Ende der Berechnung erneut öffnen.");
        break;
    case HandOver::DialogOpen:
        why = QStringLiteral("Tarvek läuft bereits, und eines seiner Fenster ist noch offen. "
                             "Bitte die Datei erneut öffnen, wenn es geschlossen ist.");
        break;
    case HandOver::NoAnswer:
        why = QStringLiteral("Tarvek läuft bereits, antwortet aber nicht.");
        break;
    case HandOver::ForeignServer:
        why = QStringLiteral("An der Stelle von Tarvek antwortet ein Programm eines anderen "
                             "Benutzers; ihm wurde die Datei nicht übergeben.");
        break;
    case HandOver::Unsendable:
        why = QStringLiteral("Tarvek läuft bereits, und dieser Dateiname lässt sich ihm nicht "
                             "übergeben.");
        break;
    }
    return QStringLiteral("Die Importdatei %1 wurde nicht geöffnet. %2")
        .arg(shownPath(fileName), why);
}
