#include "support/TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

#if QT_CONFIG(ssl)
#include <QSslSocket>

void TlsTcpServer::incomingConnection(qintptr descriptor)
{
    if (m_certificate.isNull()) {
        QTcpServer::incomingConnection(descriptor);
        return;
    }
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(m_certificate);
    socket->setPrivateKey(m_key);
    addPendingConnection(socket);
    socket->startServerEncryption();
}
#endif

TestHttpServer::TestHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

TestHttpServer::~TestHttpServer()
{
    m_server.close();
}

QByteArray TestHttpServer::authority() const
{
    return "127.0.0.1:" + QByteArray::number(port());
}

QByteArray TestHttpServer::base() const
{
    return (m_tls ? "https://" : "http://") + authority();
}

#if QT_CONFIG(ssl)
void TestHttpServer::useTls(const QSslCertificate& certificate, const QSslKey& key)
{
    m_server.setIdentity(certificate, key);
    m_tls = true;
}
#endif

void TestHttpServer::setBehaviour(const QByteArray& method, Behaviour behaviour, int fromIndex)
{
    m_behaviours.insert(method, {behaviour, fromIndex});
}

QList<TestHttpServer::Request> TestHttpServer::requests(const QByteArray& method) const
{
    QList<Request> matching;
    for (const Request& request : m_requests) {
        if (request.method == method)
            matching.append(request);
    }
    return matching;
}

void TestHttpServer::onConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void TestHttpServer::onReadyRead(QTcpSocket* socket)
{
    // Every answer closes its connection, so a connection carries one request.
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    m_buffers.remove(socket);

    Request request;
    const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
    request.method = start.value(0);
    request.path = start.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    m_requests.append(request);
    answer(socket, request);
}

TestHttpServer::Behaviour TestHttpServer::behaviourFor(const Request& request) const
{
    const auto found = m_behaviours.constFind(request.method);
    if (found == m_behaviours.cend())
        return Behaviour::Normal;
    const qsizetype index = requests(request.method).size() - 1;
    return index >= found->second ? found->first : Behaviour::Normal;
}

void TestHttpServer::send(QTcpSocket* socket, const QByteArray& head, const QByteArray& body)
{
    socket->write(head + "Set-Cookie: session=1; Path=/\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

void TestHttpServer::answer(QTcpSocket* socket, const Request& request)
{
    const Behaviour behaviour = behaviourFor(request);
    const qint64 size = m_file.size();
    const QByteArray length = "Content-Length: " + QByteArray::number(size) + "\r\n";
    const bool head = request.method == "HEAD";

    if (!m_redirect.isEmpty()) {
        send(socket,
             "HTTP/1.1 301 Moved Permanently\r\nLocation: " + m_redirect + request.path +
                 "\r\nContent-Length: 0\r\n",
             QByteArray());
        return;
    }
    switch (behaviour) {
    case Behaviour::Silent:
        return;
    case Behaviour::CloseAtOnce:
        socket->abort();
        return;
    case Behaviour::NotFound:
        send(socket, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n", head ? "" : "not found");
        return;
    case Behaviour::NoContentLength:
        send(socket, "HTTP/1.1 200 OK\r\n", head ? QByteArray() : m_file);
        return;
    default:
        break;
    }
    if (head) {
        send(socket, "HTTP/1.1 200 OK\r\nAccept-Ranges: bytes\r\n" + length, QByteArray());
        return;
    }

    const QByteArray range = request.header("range");
    if (range.isEmpty() || behaviour == Behaviour::IgnoreRange) {
        send(socket, "HTTP/1.1 200 OK\r\n" + length, m_file);
        return;
    }
    const QByteArray rangeText = range.mid(range.indexOf('=') + 1);
    const qsizetype dash = rangeText.indexOf('-');
    qint64 first = rangeText.left(dash).toLongLong();
    const QByteArray lastText = rangeText.mid(dash + 1);
    qint64 last = lastText.isEmpty() ? size - 1 : std::min(lastText.toLongLong(), size - 1);
    if (first >= size) {
        send(socket, "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Length: 0\r\n", "");
        return;
    }
    if (behaviour == Behaviour::WrongRangeStart && first + 1 <= last)
        ++first;
    const QByteArray body = m_file.mid(first, last - first + 1);
    const QByteArray partial = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " +
                               QByteArray::number(first) + "-" + QByteArray::number(last) + "/" +
                               QByteArray::number(size) +
                               "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (behaviour == Behaviour::CloseMidBody) {
        socket->write(partial + "\r\n" + body.left(body.size() / 2));
        socket->flush();
        socket->disconnectFromHost();
        return;
    }
    send(socket, partial, body);
}
