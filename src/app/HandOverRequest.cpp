#include "app/HandOverRequest.h"

#include <QDir>
#include <QStringList>
#include <QUrl>

namespace HandOverRequest {

namespace {

QByteArray encoded(const QString& fileName)
{
    return QUrl::fromLocalFile(fileName).toEncoded() + '\n';
}

#ifdef Q_OS_WIN
// A part of a path that Windows takes for a device whatever the folder: "CON", "nul.txt",
// "COM1 .cfg", "CONIN$" (the letter case, an extension and trailing spaces or dots do not count).
bool isDeviceName(QStringView part)
{
    QStringView stem = part.left(part.indexOf(u'.') < 0 ? part.size() : part.indexOf(u'.'));
    while (!stem.isEmpty() && (stem.back() == u' ' || stem.back() == u'.')) {
        stem.chop(1);
    }
    static const QStringList devices{QStringLiteral("CON"),    QStringLiteral("PRN"),
                                     QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                     QStringLiteral("CONIN$"), QStringLiteral("CONOUT$"),
                                     QStringLiteral("CLOCK$")};
    for (const QString& device : devices) {
        if (stem.compare(device, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    if (stem.size() == 4 && (stem.left(3).compare(u"COM", Qt::CaseInsensitive) == 0 ||
                             stem.left(3).compare(u"LPT", Qt::CaseInsensitive) == 0)) {
        // COM0 to COM9 and the superscript digits ¹, ² and ³ that Windows also takes.
        const char16_t digit = stem.at(3).unicode();
        return (digit >= u'0' && digit <= u'9') || digit == u'\u00b9' || digit == u'\u00b2' ||
               digit == u'\u00b3';
    }
    return false;
}

// A path on a local drive: "C:/" and then no ":", no backslash and no device.
bool isPlainDrivePath(const QString& path)
{
    if (path.size() < 3 || !path.at(0).isLetter() || path.at(0).unicode() > 0x7f ||
        path.at(1) != u':' || path.at(2) != u'/') {
        return false;
    }
    if (path.indexOf(u':', 2) >= 0 || path.contains(u'\\')) {
        return false;
    }
    for (const QStringView part : QStringView(path).mid(3).split(u'/')) {
        if (isDeviceName(part)) {
            return false;
        }
    }
    return true;
}
#endif

// The local file that the request may name: an absolute path with nothing in it that leads
// anywhere but to a file of this computer.
bool isPlainLocalPath(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0))) {
        return false;
    }
#ifdef Q_OS_WIN
    return isPlainDrivePath(path);
#else
    return path.startsWith(u'/') && !path.startsWith(QStringLiteral("//"));
#endif
}

} // namespace

QByteArray write(const QString& fileName)
{
    // Windows' backslashes arrive as slashes, as Qt writes every path.
    const QByteArray request = encoded(fileName);
    return read(request) == QDir::fromNativeSeparators(fileName) ? request : QByteArray();
}

std::optional<QString> read(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes.size() > MaxSize || bytes.back() != '\n') {
        return std::nullopt;
    }
    const QByteArrayView line = bytes.chopped(1);
    for (const char byte : line) {
        if (byte < 0x21 || byte > 0x7e) {
            return std::nullopt;
        }
    }
    const QUrl url = QUrl::fromEncoded(line.toByteArray(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QStringLiteral("file") || !url.host().isEmpty() ||
        url.port() != -1 || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment()) {
        return std::nullopt;
    }
    const QString path = url.toLocalFile();
    // Only the very form that the sender writes: no other spelling of the same URL.
    if (!isPlainLocalPath(path) || encoded(path) != bytes) {
        return std::nullopt;
    }
    return path;
}

} // namespace HandOverRequest
