#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

// The program's fonts. The Windows fonts of the layout are asked for by name first, followed by
// their metric-compatible Liberation fonts, so that the fixed layout and the bill's columns line
// up where the Windows fonts are missing.
class Fonts
{
public:
    static QFont sansSerif(int pixelSize, bool bold = false);          // "MS Sans Serif"
    static QFont microsoftSansSerif(int pixelSize, bool bold = false); // "Microsoft Sans Serif"
    static QFont courierNew(int pixelSize, bool bold = false);         // "Courier New"

    // A window-system colour value (red in the lowest byte, 0x00BBGGRR) as a QColor.
    static QColor colour(std::uint32_t value);
};
