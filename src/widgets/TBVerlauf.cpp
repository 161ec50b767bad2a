#include "TBVerlauf.h"

#include "PixelCanvas.h"
#include "StoreIfChanged.h"

#include <QPainter>

#include <algorithm>

TBVerlauf::TBVerlauf(QWidget* parent) : ClickableWidget(parent)
{
    resize(sizeHint());
}

QSize TBVerlauf::sizeHint() const
{
    return {100, 100};
}

void TBVerlauf::setRichtung(torientation direction)
{
    if (storeIfChanged(m_richtung, direction)) {
        update();
    }
}

void TBVerlauf::setVonfarbe(const QColor& colour)
{
    if (storeIfChanged(m_vonfarbe, colour)) {
        update();
    }
}

void TBVerlauf::setBisfarbe(const QColor& colour)
{
    if (storeIfChanged(m_bisfarbe, colour)) {
        update();
    }
}

void TBVerlauf::setRaster(int thickness)
{
    const int stored = std::clamp(thickness, 0, 255);
    if (storeIfChanged(m_raster, stored)) {
        update();
    }
}

void TBVerlauf::setRahmen(bool frame)
{
    if (storeIfChanged(m_rahmen, frame)) {
        update();
    }
}

void TBVerlauf::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    PixelCanvas canvas(painter);
    const int w = width();
    const int h = height();
    canvas.fillGradient(0, 0, w, h, m_vonfarbe, m_bisfarbe,
                        m_richtung == torientation::Horizontal ? StripeGradient::Direction::Down
                                                               : StripeGradient::Direction::Right,
                        m_raster);
    if (!m_rahmen) {
        return;
    }
    // Raised outer edge (light top and left, dark right and bottom) around a sunken inner edge.
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    canvas.setPen(light, 1);
    canvas.moveTo(0, h);
    canvas.lineTo(0, 0);
    canvas.lineTo(w, 0);
    canvas.setPen(dark, 1);
    canvas.moveTo(w - 1, 0);
    canvas.lineTo(w - 1, h - 1);
    canvas.lineTo(-1, h - 1);
    canvas.moveTo(1, h - 2);
    canvas.lineTo(1, 1);
    canvas.lineTo(w - 2, 1);
    canvas.setPen(light, 1);
    canvas.lineTo(w - 2, h - 2);
    canvas.lineTo(0, h - 2);
}
