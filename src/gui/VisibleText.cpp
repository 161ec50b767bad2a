#include "gui/VisibleText.h"

#include "base/FileNames.h"
#include "base/TextEncoding.h"

#include <QTextDocument>

namespace {

std::string_view bytesOf(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace

QString visibleText(const QString& text)
{
    return QString::fromStdString(
        tarvek::displayText(bytesOf(text.toUtf8()), tarvek::TextEncoding::Utf8));
}

QString shownPath(const QString& path)
{
    return QString::fromStdString(tarvek::shownFileName(bytesOf(path.toUtf8())));
}

QString plainToolTip(const QString& text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}
