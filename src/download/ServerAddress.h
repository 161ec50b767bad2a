#pragma once

#include <QString>
#include <QUrl>

// The price-list server as the option "Server" names it: a host, optionally with ":port", for
// plain HTTP; or "https://" with host and optional port for an encrypted connection. A
// hand-written "http://" in front and "/" at the end are tolerated.
class ServerAddress
{
public:
    // The address in the form it is stored in: host or host:port for HTTP, https://host or
    // https://host:port for HTTPS; empty when the text names no usable server (no host, a user
    // name, a path, a port outside 1 to 65535, another scheme).
    static QString normalized(const QString& text);
    // The address of `path` on that server; empty when the text names no usable server.
    static QUrl url(const QString& text, const QString& path);
};
