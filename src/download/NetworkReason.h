#pragma once

#include <QList>
#include <QNetworkReply>
#include <QString>

#if QT_CONFIG(ssl)
#include <QSslError>
#endif

// The reason of a failed request, for the download's failure text: the common reasons
// (connection refused, time-out, host not found) in German, any other in Qt's words.
class NetworkReason
{
public:
    static QString text(QNetworkReply::NetworkError error, const QString& reported);

#if QT_CONFIG(ssl)
    // Why a server's certificate was not accepted, in German; the reasons joined by "; ".
    static QString certificate(const QList<QSslError>& errors);
#endif
};
