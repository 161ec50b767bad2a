#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

// The program's fonts. The Windows fonts of the layout are asked for by name first, followed by
// their metric-compatible Liberation fonts, so that the fixed layout and the bill's columns line
// up where the Windows fonts are missing. Windows copies ship the Liberation fonts and ask for
// them first.
class Fonts
{
public:
    // Makes the fonts shipped in the folder "fonts" beside the program known to Qt (a Windows
    // copy has them there; elsewhere the folder does not exist). Once the application exists.
    static void loadBundled();
    // Before the application exists: on Windows, Qt's FreeType font engine instead of GDI's,
    // unless the platform is chosen otherwise. GDI gives a font's regular and bold faces one
    // identity, so the PDF writer embeds one face for both, and a saved bill comes out bold
    // throughout; FreeType, which the exports use as well, keeps each face its own.
    static void chooseEngine();

    static QFont sansSerif(int pixelSize, bool bold = false);          // "MS Sans Serif"
    static QFont microsoftSansSerif(int pixelSize, bool bold = false); // "Microsoft Sans Serif"
    static QFont courierNew(int pixelSize, bool bold = false);         // "Courier New"

    // A window-system colour value (red in the lowest byte, 0x00BBGGRR) as a QColor.
    static QColor colour(std::uint32_t value);
};
