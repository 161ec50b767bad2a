#include "gui/VisibleText.h"

#include "base/TextEncoding.h"

#include <QDir>

QString visibleText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return QString::fromStdString(tarvek::displayText(
        std::string_view(utf8.constData(), std::size_t(utf8.size())), tarvek::TextEncoding::Utf8));
}

QString shownPath(const QString& path)
{
    return visibleText(QDir::toNativeSeparators(path));
}
