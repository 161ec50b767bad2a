#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class OptionsFile;
class QWidget;

// The main window's size and place between two starts, in the options: Options::Fenster holds
// the normal (not maximised) place as "x,y,width,height", Options::FensterMaximiert the switch.
class WindowPlace
{
public:
    // Puts the window where it was, or leaves it where it is when the options name no usable
    // place. A place off every screen keeps only its size; no size goes below the window's
    // smallest or beyond its screen.
    static void restore(QWidget& window, const OptionsFile& options);
    // Stores the window's place when it differs from the stored one. An options file that cannot
    // be written has had its message already; the place is then forgotten without a word.
    static void remember(const QWidget& window, const OptionsFile& options);

    // "x,y,width,height" with a positive size; nothing for any other text.
    static std::optional<QRect> parse(const QString& text);
    static QString format(const QRect& place);
    // Whether a window at `place` could be grabbed by its top on one of the screens.
    static bool onScreen(const QRect& place, const QList<QRect>& screens);
};
