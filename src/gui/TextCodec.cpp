#include "gui/TextCodec.h"

#include "importfile/ImportLines.h"

#include <string_view>

QString TextCodec::toText(const QByteArray& bytes, tarvek::TextEncoding encoding)
{
    return QString::fromStdString(tarvek::editableText(
        std::string_view(bytes.constData(), std::size_t(bytes.size())), encoding));
}

QByteArray TextCodec::toBytes(const QString& text, tarvek::TextEncoding encoding)
{
    const QByteArray utf8 = text.toUtf8();
    return QByteArray::fromStdString(tarvek::encodedText(
        std::string_view(utf8.constData(), std::size_t(utf8.size())), encoding));
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
