#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Text files of the program are single-byte Windows-1252 text. These helpers turn their bytes
// into Qt text and back, so that every byte value survives a round trip.
class TextCodec
{
public:
    static QString toText(const QByteArray& bytes);
    static QByteArray toBytes(const QString& text);
    // Splits file content into lines at CR LF, LF or CR; a line end at the very end does not
    // start another line.
    static QList<QByteArray> splitLines(const QByteArray& content);
};
