#include "ServerAddress.h"

namespace {

const QString Http = QStringLiteral("http");
const QString Https = QStringLiteral("https");
const QString SchemeEnd = QStringLiteral("://");

} // namespace

QString ServerAddress::normalized(const QString& text)
{
    const QUrl address = url(text, QStringLiteral("/"));
    if (address.scheme() == Https)
        return Https + SchemeEnd + address.authority();
    return address.authority();
}

QUrl ServerAddress::url(const QString& text, const QString& path)
{
    QString server = text.trimmed();
    QString scheme = Http;
    for (const QString& known : {Http, Https}) {
        if (server.startsWith(known + SchemeEnd, Qt::CaseInsensitive)) {
            scheme = known;
            server.remove(0, known.size() + SchemeEnd.size());
            break;
        }
    }
    while (server.endsWith(u'/'))
        server.chop(1);
    if (server.isEmpty())
        return QUrl();
    QUrl url;
    url.setScheme(scheme);
    url.setAuthority(server, QUrl::StrictMode);
    url.setPath(path);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.port() == 0)
        return QUrl();
    return url;
}
