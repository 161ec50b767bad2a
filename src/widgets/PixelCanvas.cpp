#include "PixelCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

PixelCanvas::PixelCanvas(QPainter& painter) : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void PixelCanvas::fillRect(int left, int top, int right, int bottom, const QColor& colour)
{
    if (right <= left || bottom <= top) {
        return;
    }
    m_painter.fillRect(left, top, right - left, bottom - top, colour);
}

void PixelCanvas::fillGradient(int left, int top, int right, int bottom, const QColor& from,
                               const QColor& to, StripeGradient::Direction direction, int thickness)
{
    StripeGradient::fill(m_painter, left, top, right, bottom, from, to, direction, thickness);
}

void PixelCanvas::setPen(const QColor& colour, int width)
{
    m_penColour = colour;
    m_penWidth = std::max(width, 1);
}

void PixelCanvas::moveTo(int x, int y)
{
    m_current = QPoint(x, y);
}

void PixelCanvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (m_penWidth == 1) {
        thinLine(m_current, to);
    } else {
        wideLine(m_current, to);
    }
    m_current = to;
}

void PixelCanvas::line(int x1, int y1, int x2, int y2)
{
    moveTo(x1, y1);
    lineTo(x2, y2);
}

void PixelCanvas::thinLine(QPoint from, QPoint to)
{
    if (from == to) {
        return;
    }
    if (from.y() == to.y()) {
        // Horizontal: every pixel from the start up to, not including, the end.
        const int step = to.x() > from.x() ? 1 : -1;
        const int last = to.x() - step;
        fillRect(std::min(from.x(), last), from.y(), std::max(from.x(), last) + 1, from.y() + 1,
                 m_penColour);
        return;
    }
    if (from.x() == to.x()) {
        const int step = to.y() > from.y() ? 1 : -1;
        const int last = to.y() - step;
        fillRect(from.x(), std::min(from.y(), last), from.x() + 1, std::max(from.y(), last) + 1,
                 m_penColour);
        return;
    }
    // Slanted: Bresenham's walk, stopping before the end point.
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    while (p != to) {
        m_painter.fillRect(p.x(), p.y(), 1, 1, m_penColour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

void PixelCanvas::wideLine(QPoint from, QPoint to)
{
    QPen pen(m_penColour, m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.setPen(pen);
    // An odd width centres the stroke on the pixels of the line, an even width on the pixel
    // corner, so that the stroke covers exactly `width` pixels across in both cases.
    const qreal shift = m_penWidth % 2 == 1 ? 0.5 : 0.0;
    const QPointF offset(shift, shift);
    m_painter.drawLine(QPointF(from) + offset, QPointF(to) + offset);
}
