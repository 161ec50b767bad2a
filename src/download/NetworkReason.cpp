#include "NetworkReason.h"

#include "importfile/SystemReason.h"

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
