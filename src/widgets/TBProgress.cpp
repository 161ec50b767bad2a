#include "TBProgress.h"

#include "PixelCanvas.h"
#include "StoreIfChanged.h"
#include "StripeGradient.h"
#include "WidgetAccessibility.h"

#include <QPainter>

#include <algorithm>

TBProgress::TBProgress(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(MinExtent, MinExtent);
    resize(sizeHint());
    WidgetAccessibility::install();
}

QSize TBProgress::sizeHint() const
{
    return {220, 21};
}

QSize TBProgress::minimumSizeHint() const
{
    return {MinExtent, MinExtent};
}

int TBProgress::barLength(int percent) const
{
    // The channel leaves 20 pixels at either end; an upright bar may also cover the frame's
    // bottom line, so it has one pixel more.
    const int span = m_ausrichtung == tausricht::Horizontal ? width() - 40 : height() - 39;
    return static_cast<int>(
        StripeGradient::roundHalfEven(static_cast<long long>(percent) * span, 100));
}

QRect TBProgress::channelRect() const
{
    const int w = width();
    const int h = height();
    if (m_ausrichtung == tausricht::Horizontal) {
        return QRect(QPoint(20, 3), QPoint(w - 21, h - 4));
    }
    return QRect(QPoint(3, 20), QPoint(w - 4, h - 20));
}

void TBProgress::setAusrichtung(tausricht direction)
{
    if (storeIfChanged(m_ausrichtung, direction)) {
        update();
    }
}

void TBProgress::setColour(QColor& field, const QColor& colour)
{
    if (storeIfChanged(field, colour)) {
        update();
    }
}

void TBProgress::setPanel_Licht(const QColor& colour)
{
    setColour(m_panelLicht, colour);
}

void TBProgress::setPanel_Schatten(const QColor& colour)
{
    setColour(m_panelSchatten, colour);
}

void TBProgress::setLED_Licht(const QColor& colour)
{
    setColour(m_ledLicht, colour);
}

void TBProgress::setLED_Schatten(const QColor& colour)
{
    setColour(m_ledSchatten, colour);
}

void TBProgress::setWert(int percent)
{
    // Only the channel changes; the panel and the frame stay.
    if (storeIfChanged(m_wert, std::clamp(percent, 0, 100))) {
        update(channelRect());
        WidgetAccessibility::valueChanged(this);
    }
}

void TBProgress::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    PixelCanvas canvas(painter);
    const int w = width();
    const int h = height();
    const int r = barLength(m_wert);

    if (m_ausrichtung == tausricht::Horizontal) {
        constexpr auto down = StripeGradient::Direction::Down;
        canvas.fillGradient(0, 0, w, h, m_panelLicht, m_panelSchatten, down);
        canvas.fillGradient(20, 3, w - 20, h - 3, m_panelSchatten, m_panelLicht, down);
        canvas.fillGradient(20, 3, r + 20, h - 3, m_ledLicht, m_ledSchatten, down);
        // Sunken frame: dark left and top, light right and bottom.
        canvas.setPen(Qt::black, 1);
        canvas.moveTo(20, h - 3);
        canvas.lineTo(20, 2);
        canvas.lineTo(w - 20, 2);
        canvas.setPen(Qt::white, 1);
        canvas.lineTo(w - 20, h - 3);
        canvas.lineTo(20, h - 3);
        return;
    }
    constexpr auto right = StripeGradient::Direction::Right;
    canvas.fillGradient(0, 0, w, h, m_panelLicht, m_panelSchatten, right);
    canvas.fillGradient(3, 20, w - 3, h - 20, m_panelSchatten, m_panelLicht, right);
    canvas.fillGradient(3, h - 19 - r, w - 3, h - 19, m_ledLicht, m_ledSchatten, right);
    canvas.setPen(Qt::black, 1);
    canvas.moveTo(2, h - 20);
    canvas.lineTo(2, 19);
    canvas.lineTo(w - 3, 19);
    canvas.setPen(Qt::white, 1);
    canvas.lineTo(w - 3, h - 20);
    canvas.lineTo(2, h - 20);
}
