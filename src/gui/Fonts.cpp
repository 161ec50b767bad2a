#include "gui/Fonts.h"

#include <QStringList>

namespace {

QFont makeFont(const QStringList& families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont Fonts::sansSerif(int pixelSize, bool bold)
{
    return makeFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")}, pixelSize,
                    bold);
}

QFont Fonts::microsoftSansSerif(int pixelSize, bool bold)
{
    return makeFont({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")},
                    pixelSize, bold);
}

QFont Fonts::courierNew(int pixelSize, bool bold)
{
    QFont font = makeFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
                          pixelSize, bold);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QColor Fonts::colour(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}
