#pragma once

#include "base/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Text files of the program are single-byte Windows-1252 text; a player's import file may also be
// UTF-8. These helpers turn their bytes into Qt text and back, so that every byte value of
// Windows-1252 survives a round trip.
class TextCodec
{
public:
    static QString toText(const QByteArray& bytes,
                          tarvek::TextEncoding encoding = tarvek::TextEncoding::Windows1252);
    static QByteArray toBytes(const QString& text,
                              tarvek::TextEncoding encoding = tarvek::TextEncoding::Windows1252);
    // Splits file content into lines at CR LF, LF or CR; a line end at the very end does not
    // start another line.
    static QList<QByteArray> splitLines(const QByteArray& content);
};
