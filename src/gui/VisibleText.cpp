#include "gui/VisibleText.h"

#include <QDir>

QString visibleText(const QString& text)
{
    constexpr char16_t kFirstPicture = 0x2400; // SYMBOL FOR NULL
    constexpr char16_t kDeletePicture = 0x2421;
    QString shown = text;
    for (QChar& c : shown) {
        const char16_t code = c.unicode();
        if (code < 0x20) {
            c = QChar(char16_t(kFirstPicture + code));
        } else if (code == 0x7F) {
            c = QChar(kDeletePicture);
        } else if (code >= 0x80 && code <= 0x9F) {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown;
}

QString shownPath(const QString& path)
{
    return visibleText(QDir::toNativeSeparators(path));
}
