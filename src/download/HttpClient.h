#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

class QNetworkReply;

// The HTTP client of the update check. Each request waits in a local event loop on the calling
// thread, so windows keep drawing while it runs; user input waits until the request is done, so
// that no click can start anything in the middle of the check. Every request carries the fixed
// Accept and User-Agent values, asks for the body uncompressed, and uses no cookies, no proxy and
// no authentication. A request that stays silent longer than the time-out is given up and counts
// as a connection failure.
//
// https:// addresses are encrypted (TLS); the server's certificate must be verifiable with the
// certificate authorities that the system trusts, otherwise nothing is loaded. Redirects are
// followed from http to https, never from https back to plain http.
class HttpClient
{
public:
    enum class Failure
    {
        None,       // an answer arrived (its status may still be an error, see Answer::status)
        Connection, // the connection itself failed: refused, host not found, closed, time-out
        Other,      // an HTTP error status, a certificate or redirect refused, or an answer
                    // the client could not take
    };

    struct Answer
    {
        Failure failure = Failure::None;
        QString errorText;         // German text for a failure
        int status = 0;            // HTTP status code, 0 when none arrived
        qint64 contentLength = -1; // -1 when absent or not a whole number
        QByteArray contentRange;   // raw Content-Range header, empty when absent
        QByteArray body;
    };

    static constexpr int DefaultTimeoutMs = 15000;

    explicit HttpClient(int timeoutMs = DefaultTimeoutMs);

    // The longest time a request may stay silent before it is given up.
    void setTimeout(int timeoutMs) { m_timeoutMs = timeoutMs; }
    int timeout() const { return m_timeoutMs; }

    // A size request (HEAD).
    Answer head(const QUrl& url);
    // A fetch (GET); a non-empty range is sent as "Range: bytes=" + range. A body longer than
    // maxBody bytes ends the request as a failure of the kind Other.
    Answer get(const QUrl& url, const QString& range, qint64 maxBody);

private:
    QNetworkRequest makeRequest(const QUrl& url, const QString& range) const;
    Answer wait(QNetworkReply* reply, qint64 maxBody);

    QNetworkAccessManager m_manager;
    int m_timeoutMs;
};
