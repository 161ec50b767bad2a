#include "HttpClient.h"

#include "NetworkReason.h"
#include "gui/VisibleText.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

#if QT_CONFIG(ssl)
#include <QSslError>
#endif

namespace {

// Failures of the network connection itself, as opposed to HTTP errors and protocol faults.
bool isConnectionFailure(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return true;
    default:
        return false;
    }
}

QString connectionFailureText(QNetworkReply::NetworkError error, const QUrl& url)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Der Server %1 hat die Verbindung abgelehnt.").arg(url.authority());
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Der Server %1 wurde nicht gefunden.").arg(url.host());
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Der Server %1 hat die Verbindung vorzeitig beendet.")
            .arg(url.authority());
    default:
        return QStringLiteral("Die Verbindung zum Server %1 ist gestört.").arg(url.authority());
    }
}

// Failures of an encrypted connection and of its address, in German, naming the server.
QString secureFailureText(QNetworkReply::NetworkError error, const QUrl& url,
                          const QString& certificateReason, const QString& reported)
{
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
        if (!certificateReason.isEmpty())
            return QStringLiteral("Das Zertifikat des Servers %1 kann nicht bestätigt werden: %2. "
                                  "Tarvek lädt nichts von diesem Server.")
                .arg(url.host(), certificateReason);
        return QStringLiteral(
                   "Die verschlüsselte Verbindung zum Server %1 ist fehlgeschlagen (%2).")
            .arg(url.authority(), reported);
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral(
                   "Der Server %1 leitet auf eine unverschlüsselte Adresse (http://) um. "
                   "Dieser Umleitung folgt Tarvek nicht.")
            .arg(url.authority());
    case QNetworkReply::ProtocolUnknownError:
        if (url.scheme() == QLatin1String("https"))
            return QStringLiteral("Verschlüsselte Verbindungen (https://) sind hier nicht möglich: "
                                  "Qt findet keine TLS-Unterstützung.");
        return QString();
    default:
        return QString();
    }
}

qint64 parseContentLength(const QByteArray& header)
{
    const QByteArray text = header.trimmed();
    if (text.isEmpty())
        return -1;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : -1;
}

} // namespace

HttpClient::HttpClient(int timeoutMs) : m_timeoutMs(timeoutMs)
{
    m_manager.setProxy(QNetworkProxy::NoProxy);
    m_manager.setAutoDeleteReplies(false);
}

QNetworkRequest HttpClient::makeRequest(const QUrl& url, const QString& range) const
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    // Byte ranges of a compressed answer are not byte ranges of the file.
    request.setRawHeader("Accept-Encoding", "identity");
    if (!range.isEmpty())
        request.setRawHeader("Range", "bytes=" + range.toLatin1());
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // Redirects are followed from http to https, never from https back to plain http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    return request;
}

HttpClient::Answer HttpClient::head(const QUrl& url)
{
    return wait(m_manager.head(makeRequest(url, QString())), 0);
}

HttpClient::Answer HttpClient::get(const QUrl& url, const QString& range, qint64 maxBody)
{
    return wait(m_manager.get(makeRequest(url, range)), maxBody);
}

HttpClient::Answer HttpClient::wait(QNetworkReply* rawReply, qint64 maxBody)
{
    const std::unique_ptr<QNetworkReply> reply(rawReply);
    Answer answer;
    bool timedOut = false;
    bool tooLarge = false;

    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    QObject::connect(&silence, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // Every sign of life restarts the time-out: a slow line is not a dead one.
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &silence,
                     [&] { silence.start(m_timeoutMs); });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        silence.start(m_timeoutMs);
        answer.body += reply->readAll();
        if (answer.body.size() > maxBody && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    // Certificates are checked against the system's store; one that cannot be verified ends the
    // request. Its reasons are kept for the message.
    QString certificateReason;
#if QT_CONFIG(ssl)
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, &loop,
                     [&](const QList<QSslError>& errors) {
                         certificateReason = NetworkReason::certificate(errors);
                     });
#endif
    silence.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    silence.stop();
    if (!tooLarge && reply->isOpen())
        answer.body += reply->readAll();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.status = status.isValid() ? status.toInt() : 0;
    answer.contentLength = parseContentLength(reply->rawHeader("Content-Length"));
    answer.contentRange = reply->rawHeader("Content-Range");

    const QNetworkReply::NetworkError error = reply->error();
    const QUrl& url = reply->url();
    // Qt's words for a failure may quote the server's answer, as its reason phrase does.
    const QString reported = visibleText(reply->errorString());
    if (timedOut) {
        answer.failure = Failure::Connection;
        answer.errorText = QStringLiteral("Der Server %1 antwortet nicht (Zeitüberschreitung).")
                               .arg(url.authority());
    } else if (tooLarge) {
        answer.failure = Failure::Other;
        answer.errorText = QStringLiteral("Die Antwort des Servers ist länger als erwartet.");
    } else if (isConnectionFailure(error)) {
        answer.failure = Failure::Connection;
        answer.errorText = connectionFailureText(error, url);
    } else if (answer.status >= 400) {
        const QString reason =
            visibleText(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        answer.failure = Failure::Other;
        answer.errorText =
            QStringLiteral("HTTP/1.1 %1 %2").arg(answer.status).arg(reason).trimmed();
    } else if (const QString secure = secureFailureText(error, url, certificateReason, reported);
               !secure.isEmpty()) {
        answer.failure = Failure::Other;
        answer.errorText = secure;
    } else if (error != QNetworkReply::NoError) {
        answer.failure = Failure::Other;
        answer.errorText = NetworkReason::text(error, reported);
    } else if (reply->operation() == QNetworkAccessManager::GetOperation &&
               answer.contentLength >= 0 && answer.body.size() < answer.contentLength) {
        // A connection closed before the announced length is not always reported as such.
        answer.failure = Failure::Connection;
        answer.errorText = connectionFailureText(QNetworkReply::RemoteHostClosedError, url);
    }
    return answer;
}
