#pragma once

#include "StripeGradient.h"

#include <QColor>
#include <QPoint>

class QPainter;

// Draws on a QPainter the way the widgets' pictures are defined: rectangles given as (left,
// top, right, bottom) with right and bottom exclusive, and straight lines from a current point.
// A 1-pixel line leaves out its end point, so that a closed run of lines paints every corner
// once; wider pens have round ends and paint the whole stroke.
class PixelCanvas
{
public:
    explicit PixelCanvas(QPainter& painter);

    // Fills the rectangle in one colour; a rectangle without area paints nothing.
    void fillRect(int left, int top, int right, int bottom, const QColor& colour);

    // Stripe gradient over the rectangle (see StripeGradient::fill).
    void fillGradient(int left, int top, int right, int bottom, const QColor& from,
                      const QColor& to,
                      StripeGradient::Direction direction = StripeGradient::Direction::Down,
                      int thickness = 1);

    // Pen for the following lines; widths below 1 count as 1.
    void setPen(const QColor& colour, int width);
    void moveTo(int x, int y);
    // Line from the current point to (x, y), which becomes the current point.
    void lineTo(int x, int y);
    void line(int x1, int y1, int x2, int y2);

private:
    void thinLine(QPoint from, QPoint to);
    void wideLine(QPoint from, QPoint to);

    QPainter& m_painter;
    QColor m_penColour = Qt::black;
    int m_penWidth = 1;
    QPoint m_current;
};
