#include "app/SingleInstance.h"

#include "app/InstanceLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

namespace {

// One request is the file's URL (percent-encoded, so a line end in a name cannot break it) and a
// line end; the answer is "ok" and a line end. Longer requests are not read.
constexpr qint64 MaxRequest = 64 * 1024;
const QByteArray Taken = QByteArrayLiteral("ok\n");

} // namespace

SingleInstance::SingleInstance(const QString& folder)
    : m_folder(folder.isEmpty() ? InstanceLock::defaultFolder() : folder)
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock) {
        return true;
    }
    m_lock = InstanceLock::take(m_folder);
    if (m_lock) {
        listen();
    }
    return m_lock != nullptr;
}

void SingleInstance::listen()
{
    const QString name = InstanceLock::serverName(m_folder);
    // A socket left by a copy that crashed is in the way; no running copy uses it, since this
    // process holds the lock.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket a later start says that Tarvek runs, as without a file.
    if (!m_server->listen(name)) {
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
            readFrom(socket);
        }
    });
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxRequest) {
            socket->abort();
        }
        return;
    }
    const QUrl url = QUrl::fromEncoded(socket->readLine(MaxRequest).trimmed(), QUrl::StrictMode);
    if (!url.isLocalFile()) {
        socket->abort();
        return;
    }
    socket->write(Taken);
    socket->flush();
    socket->disconnectFromServer();
    // The file is handled once this socket's handler has returned: loading it may show a
    // message box, which must not hold up the answer.
    QMetaObject::invokeMethod(
        this, [this, file = url.toLocalFile()] { emit fileReceived(file); }, Qt::QueuedConnection);
}

bool SingleInstance::handOver(const QString& fileName, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(InstanceLock::serverName(m_folder));
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        return false;
    }
    socket.write(QUrl::fromLocalFile(fileName).toEncoded() + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) {
        return false;
    }
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    return socket.readLine(Taken.size() + 1) == Taken;
}
