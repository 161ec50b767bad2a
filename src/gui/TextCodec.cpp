#include "gui/TextCodec.h"

#include "importfile/Cp1252.h"
#include "importfile/ImportLines.h"

#include <string_view>

QString TextCodec::toText(const QByteArray& bytes)
{
    return QString::fromStdString(
        tarvek::cp1252ToUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
}

QByteArray TextCodec::toBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return QByteArray::fromStdString(
        tarvek::utf8ToCp1252(std::string_view(utf8.constData(), std::size_t(utf8.size()))));
}

QList<QByteArray> TextCodec::splitLines(const QByteArray& content)
{
    QList<QByteArray> lines;
    for (const std::string& line :
         tarvek::splitLines(std::string_view(content.constData(), std::size_t(content.size())))) {
        lines.append(QByteArray::fromStdString(line));
    }
    return lines;
}
