#include "app/WindowPlace.h"

#include "app/OptionsFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <exception>

namespace {

// How much of a window's top must lie on a screen to grab and move it.
constexpr int GripWidth = 100;
constexpr int GripHeight = 20;

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    return screens;
}

} // namespace

std::optional<QRect> WindowPlace::parse(const QString& text)
{
    const QStringList parts = text.trimmed().split(u',');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    if (numbers[2] <= 0 || numbers[3] <= 0) {
        return std::nullopt;
    }
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

QString WindowPlace::format(const QRect& place)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(place.x())
        .arg(place.y())
        .arg(place.width())
        .arg(place.height());
}

bool WindowPlace::onScreen(const QRect& place, const QList<QRect>& screens)
{
    const QRect top(place.topLeft(), QSize(place.width(), GripHeight));
    for (const QRect& screen : screens) {
        const QRect shared = screen.intersected(top);
        if (shared.width() >= std::min(GripWidth, place.width()) && shared.height() >= GripHeight) {
            return true;
        }
    }
    return false;
}

void WindowPlace::restore(QWidget& window, const OptionsFile& options)
{
    std::optional<QRect> place;
    bool maximised = false;
    try {
        place = parse(options.get(Options::Fenster));
        maximised = options.get(Options::FensterMaximiert);
    } catch (const std::exception&) {
        return; // the start-up reports an options file that cannot be read
    }
    if (place) {
        const QScreen* screen = window.screen();
        const QSize room = screen ? screen->availableGeometry().size() : place->size();
        const QSize size = place->size()
                               .boundedTo(room)
                               .expandedTo(window.minimumSizeHint())
                               .expandedTo(window.minimumSize());
        if (onScreen(*place, availableScreens())) {
            window.setGeometry(QRect(place->topLeft(), size));
        } else {
            window.resize(size);
            if (screen) {
                window.move(screen->availableGeometry().center() - window.rect().center());
            }
        }
    }
    if (maximised) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

void WindowPlace::remember(const QWidget& window, const OptionsFile& options)
{
    try {
        options.update(Options::Fenster, format(window.normalGeometry()));
        options.update(Options::FensterMaximiert, window.isMaximized());
    } catch (const std::exception&) {
        // Only the place is lost; the options' own message came at the start.
    }
}
