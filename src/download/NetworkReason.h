#pragma once

#include <QNetworkReply>
#include <QString>

// The reason of a failed request, for the download's failure text: the common reasons
// (connection refused, time-out, host not found) in German, any other in Qt's words.
class NetworkReason
{
public:
    static QString text(QNetworkReply::NetworkError error, const QString& reported);
};
