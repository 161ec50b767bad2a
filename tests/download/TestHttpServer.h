#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for the download tests. It serves one file with byte
// ranges, records every request, and can be told to misbehave in the ways real servers do.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray header(const QByteArray& name) const { return headers.value(name); }
    };

    enum class Behaviour
    {
        Normal,          // HEAD: size; GET: 206 for a range, 200 without one
        NoContentLength, // the answer carries no Content-Length
        NotFound,        // 404
        IgnoreRange,     // 200 with the whole file, whatever the Range says
        WrongRangeStart, // 206 with a piece that starts one byte later than asked
        CloseMidBody,    // half of the body, then the connection is dropped
        CloseAtOnce,     // the connection is dropped without an answer
        Silent,          // the request is read and never answered
    };

    TestHttpServer();
    ~TestHttpServer() override;

    quint16 port() const { return m_server.serverPort(); }
    QByteArray authority() const;

    void setFile(const QByteArray& content) { m_file = content; }
    // Misbehaves for requests of this method ("HEAD" or "GET") from the index-th on (counted
    // from 0 per method); earlier requests are answered normally.
    void setBehaviour(const QByteArray& method, Behaviour behaviour, int fromIndex = 0);

    const QList<Request>& requests() const { return m_requests; }
    QList<Request> requests(const QByteArray& method) const;

private:
    void onConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Request& request);
    Behaviour behaviourFor(const Request& request) const;
    static void send(QTcpSocket* socket, const QByteArray& head, const QByteArray& body);

    QTcpServer m_server;
    QByteArray m_file;
    QMap<QByteArray, QPair<Behaviour, int>> m_behaviours;
    QList<Request> m_requests;
    QMap<QTcpSocket*, QByteArray> m_buffers;
};
