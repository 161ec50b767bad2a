#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The request with which a later start hands its import file to the running copy
// (SingleInstance): the file's URL as QUrl::fromLocalFile() encodes it ("file:///home/x/Haus.cfg",
// "file:///C:/Spiele/Haus.cfg"; percent-encoded, so a line end or "%" in a name cannot break it),
// then a line end. Only Qt Core, so that the fuzz target fuzz_handover reaches the reader.
namespace HandOverRequest {

// The longest request read, line end included; a longer one is dropped unread.
constexpr qsizetype MaxSize = 64 * 1024;

// The request for fileName (an absolute path; on Windows with backslashes or slashes);
// empty when fileName cannot be sent (relative, too long, or one that read() would refuse).
QByteArray write(const QString& fileName);

// The bytes of a request, written by anyone: the local file name it names, or nothing. A request
// is taken only in the exact form write() gives: one line of printable ASCII up to MaxSize bytes
// with its line end, a "file" URL without host, port, user, query or fragment whose local file
// is an absolute path without NUL and without a leading "//". On Windows the path must begin with
// a drive ("C:/"), hold no backslash and no ":" after the drive (no alternate data stream), and no
// part of it may be a device name (CON, NUL, COM1, ...): no network share, no device.
std::optional<QString> read(QByteArrayView bytes);

} // namespace HandOverRequest
