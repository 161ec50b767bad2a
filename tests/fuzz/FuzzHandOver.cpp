// The reader of the requests with which a later start hands its file to the running copy
// (app/HandOverRequest), on arbitrary bytes, as anyone who can connect to the running copy may
// send them. Checked:
//   - the bytes as a request: what is taken is a plain absolute local path without NUL (no share,
//     no host, on Windows no device and no stream), and the bytes are exactly the request that
//     the sender writes for it;
//   - the bytes as a file name: its request, when one is written, is read back as that very name
//     (on Windows with slashes for backslashes)
//     and is not longer than a request may be; an absolute name of a few hundred characters
//     without NUL is always sendable, unless it holds a Unicode noncharacter (U+FFFE, U+FFFFF,
//     ...), which QUrl does not carry: such a start names the file as not handed over.
// A broken rule prints what broke and aborts, which the fuzzer reports as a crash.
#include "app/HandOverRequest.h"

#include <QDir>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: '%s'\n", what, text.toUtf8().constData());
    std::abort();
}

void require(bool condition, const char* what, const QString& text)
{
    if (!condition) {
        fail(what, text);
    }
}

// The rule for a taken name, stated apart from the reader's code.
bool isPlainAbsolute(const QString& name)
{
    if (name.isEmpty() || name.contains(QChar(0)) || name.startsWith(QStringLiteral("//"))) {
        return false;
    }
#ifdef _WIN32
    return name.size() >= 3 && name.at(1) == u':' && name.at(2) == u'/' && !name.contains(u'\\') &&
           name.indexOf(u':', 2) < 0;
#else
    return name.startsWith(u'/');
#endif
}

// What the sender does with a name: either no request, or one that reads back as the name.
void checkRoundTrip(const QString& name)
{
    const QByteArray request = HandOverRequest::write(name);
    if (request.isEmpty()) {
        return;
    }
    require(request.size() <= HandOverRequest::MaxSize, "request too long", name);
    const std::optional<QString> back = HandOverRequest::read(request);
    require(back.has_value(), "written request not read", name);
    require(*back == QDir::fromNativeSeparators(name), "request read as another name", name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const std::optional<QString> name = HandOverRequest::read(bytes)) {
        require(isPlainAbsolute(*name), "taken name not plain and absolute", *name);
        require(HandOverRequest::write(*name) == bytes, "taken request not in the sender's form",
                *name);
    }

    const QString name = QString::fromUtf8(bytes);
    checkRoundTrip(name);
#ifdef _WIN32
    const QString absolute = QStringLiteral("C:/") + name;
#else
    const QString absolute = u'/' + name;
#endif
    checkRoundTrip(absolute);
#ifndef _WIN32
    // Every absolute name of a reasonable length can be handed over.
    const QList<uint> points = name.toUcs4();
    const bool plain = std::none_of(points.begin(), points.end(), [](uint point) {
        return point == 0 || QChar::isNonCharacter(point);
    });
    if (plain && !name.startsWith(u'/') && name.size() < 400) {
        require(HandOverRequest::read(HandOverRequest::write(absolute)) == absolute,
                "absolute name not sendable", absolute);
    }
#endif
    return 0;
}
