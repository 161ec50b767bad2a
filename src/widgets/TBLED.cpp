#include "TBLED.h"

#include "PixelCanvas.h"
#include "StoreIfChanged.h"
#include "WidgetAccessibility.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

TBLED::TBLED(QWidget* parent) : ClickableWidget(parent), m_blinkTimer(new QTimer(this))
{
    resize(sizeHint());
    m_blinkTimer->setInterval(std::max(m_blinkinterval, MinBlinkPeriod));
    connect(m_blinkTimer, &QTimer::timeout, this, &TBLED::blinkTick);
    WidgetAccessibility::install();
}

QSize TBLED::sizeHint() const
{
    return {20, 20};
}

void TBLED::setFarbeAn(const QColor& colour)
{
    if (storeIfChanged(m_farbeAn, colour)) {
        update();
        WidgetAccessibility::valueChanged(this);
    }
}

void TBLED::setFarbeAus(const QColor& colour)
{
    if (storeIfChanged(m_farbeAus, colour)) {
        update();
    }
}

void TBLED::setAnAus(bool on)
{
    if (storeIfChanged(m_anAus, on)) {
        update();
        WidgetAccessibility::valueChanged(this);
    }
}

void TBLED::setLichtpunktx(int x)
{
    if (storeIfChanged(m_lichtpunktx, x)) {
        update();
    }
}

void TBLED::setLichtpunkty(int y)
{
    if (storeIfChanged(m_lichtpunkty, y)) {
        update();
    }
}

void TBLED::setLichtpunkt(int diameter)
{
    const int stored = std::min(diameter, MaxPenWidth);
    if (storeIfChanged(m_lichtpunkt, stored)) {
        update();
    }
}

void TBLED::setRand(int width)
{
    const int stored = std::clamp(width, 1, MaxPenWidth);
    if (storeIfChanged(m_rand, stored)) {
        update();
    }
}

void TBLED::setRandfarbe(const QColor& colour)
{
    if (storeIfChanged(m_randfarbe, colour)) {
        update();
    }
}

void TBLED::setBlinken(bool blink)
{
    m_blinken = blink;
    if (blink) {
        // Nothing changes on screen until the first tick.
        if (!m_blinkTimer->isActive()) {
            m_blinkTimer->start();
        }
        return;
    }
    m_blinkTimer->stop();
    setAnAus(false);
}

void TBLED::setBlinkinterval(int milliseconds)
{
    m_blinkinterval = milliseconds;
    m_blinkTimer->setInterval(std::max(milliseconds, MinBlinkPeriod));
}

void TBLED::blinkTick()
{
    setAnAus(!m_anAus);
}

void TBLED::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The ellipse inscribed in the control, its rim centred on the outline through the outer
    // pixels. Qt places a 1-pixel outline half a pixel further in than wider ones; the shift
    // keeps both symmetric.
    painter.setPen(QPen(m_randfarbe, m_rand));
    painter.setBrush(m_anAus ? m_farbeAn : m_farbeAus);
    const qreal shift = m_rand == 1 ? 0.0 : 0.5;
    painter.drawEllipse(QRectF(shift, shift, width() - 1, height() - 1));

    // The highlight: a short line with a wide round pen, which paints a dot.
    PixelCanvas canvas(painter);
    canvas.setPen(Qt::white, m_lichtpunkt);
    canvas.line(m_lichtpunktx, m_lichtpunkty, m_lichtpunktx, m_lichtpunkty + 1);
}
