#include "gui/Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
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

#ifdef Q_OS_WIN
// Windows copies ship the Liberation fonts, and the fixed layouts are measured with them: they
// come first. Windows' own "MS Sans Serif" is a bitmap font that Qt does not draw.
const QStringList kSans = {QStringLiteral("Liberation Sans"),
                           QStringLiteral("Microsoft Sans Serif")};
const QStringList kMicrosoftSans = kSans;
const QStringList kMono = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")};
#else
const QStringList kSans = {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")};
const QStringList kMicrosoftSans = {QStringLiteral("Microsoft Sans Serif"),
                                    QStringLiteral("Liberation Sans")};
const QStringList kMono = {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")};
#endif

} // namespace

void Fonts::loadBundled()
{
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file :
         folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files)) {
        QFontDatabase::addApplicationFont(folder.filePath(file));
    }
}

void Fonts::chooseEngine()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    }
#endif
}

QFont Fonts::sansSerif(int pixelSize, bool bold)
{
    return makeFont(kSans, pixelSize, bold);
}

QFont Fonts::microsoftSansSerif(int pixelSize, bool bold)
{
    return makeFont(kMicrosoftSans, pixelSize, bold);
}

QFont Fonts::courierNew(int pixelSize, bool bold)
{
    QFont font = makeFont(kMono, pixelSize, bold);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QColor Fonts::colour(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}
