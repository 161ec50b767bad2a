#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpServer>

#if QT_CONFIG(ssl)
#include <QSslCertificate>
#include <QSslKey>
#endif

class QTcpSocket;

// Takes connections as QTcpServer does; with a certificate and key, each connection is a
// QSslSocket that encrypts as a server before anything is read.
class TlsTcpServer : public QTcpServer
{
public:
#if QT_CONFIG(ssl)
    void setIdentity(const QSslCertificate& certificate, const QSslKey& key)
    {
        m_certificate = certificate;
        m_key = key;
    }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
#endif
};

// A small HTTP/1.1 server on 127.0.0.1 for the download tests. It serves one file with byte
// ranges, records every request, and can be told to misbehave in the ways real servers do. With
// a certificate it speaks HTTPS; told so, it sends every request on to another address.
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
    // "http://" or "https://" and the authority.
    QByteArray base() const;

#if QT_CONFIG(ssl)
    // Answers over TLS from now on, with this certificate.
    void useTls(const QSslCertificate& certificate, const QSslKey& key);
#endif
    // Answers every request with "301 Moved Permanently" to the same path at `base` (empty: no
    // more redirects).
    void redirectTo(const QByteArray& base)
    {
        m_redirect = base;
    }

    void setFile(const QByteArray& content)
    {
        m_file = content;
    }
    // Misbehaves for requests of this method ("HEAD" or "GET") from the index-th on (counted
    // from 0 per method); earlier requests are answered normally.
    void setBehaviour(const QByteArray& method, Behaviour behaviour, int fromIndex = 0);

    const QList<Request>& requests() const
    {
        return m_requests;
    }
    QList<Request> requests(const QByteArray& method) const;

private:
    void onConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Request& request);
    Behaviour behaviourFor(const Request& request) const;
    static void send(QTcpSocket* socket, const QByteArray& head, const QByteArray& body);

    TlsTcpServer m_server;
    bool m_tls = false;
    QByteArray m_redirect;
    QByteArray m_file;
    QMap<QByteArray, QPair<Behaviour, int>> m_behaviours;
    QList<Request> m_requests;
    QMap<QTcpSocket*, QByteArray> m_buffers;
};
