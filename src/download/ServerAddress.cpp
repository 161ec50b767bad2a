#include "ServerAddress.h"

QString ServerAddress::normalized(const QString& text)
{
    return url(text, QStringLiteral("/")).authority();
}

QUrl ServerAddress::url(const QString& text, const QString& path)
{
    QString server = text.trimmed();
    static const QString scheme = QStringLiteral("http://");
    if (server.startsWith(scheme, Qt::CaseInsensitive))
        server.remove(0, scheme.size());
    while (server.endsWith(u'/'))
        server.chop(1);
    if (server.isEmpty())
        return QUrl();
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setAuthority(server, QUrl::StrictMode);
    url.setPath(path);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.port() == 0)
        return QUrl();
    return url;
}
