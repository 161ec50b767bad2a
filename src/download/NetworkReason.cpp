#include "NetworkReason.h"

#include "base/SystemReason.h"

#include <QStringList>

#include <cerrno>

QString NetworkReason::text(QNetworkReply::NetworkError error, const QString& reported)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return QString::fromStdString(tarvek::systemReason(ECONNREFUSED));
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return QString::fromStdString(tarvek::systemReason(ETIMEDOUT));
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
        return QStringLiteral("Host nicht gefunden");
    default:
        return reported;
    }
}

#if QT_CONFIG(ssl)
namespace {

QString certificateReason(const QSslError& error)
{
    switch (error.error()) {
    case QSslError::SelfSignedCertificate:
        return QStringLiteral("das Zertifikat ist selbst ausgestellt");
    case QSslError::SelfSignedCertificateInChain:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral("sein Aussteller ist keine vertrauenswürdige Zertifizierungsstelle");
    case QSslError::CertificateExpired:
        return QStringLiteral("das Zertifikat ist abgelaufen");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("das Zertifikat ist noch nicht gültig");
    case QSslError::CertificateRevoked:
        return QStringLiteral("das Zertifikat wurde widerrufen");
    case QSslError::HostNameMismatch:
        return QStringLiteral("das Zertifikat gilt nicht für diesen Servernamen");
    default:
        return error.errorString();
    }
}

} // namespace

QString NetworkReason::certificate(const QList<QSslError>& errors)
{
    QStringList reasons;
    for (const QSslError& error : errors) {
        const QString reason = certificateReason(error);
        if (!reasons.contains(reason))
            reasons.append(reason);
    }
    return reasons.join(QStringLiteral("; "));
}
#endif
