#pragma once

#include <QColor>

class QPainter;

// The gradient that every coloured area of the widgets is painted with: a run of stripes, one
// filled rectangle each, every colour channel running linearly from a start colour towards an
// end colour. The first stripe has exactly the start colour; the last one stops one step short
// of the end colour. Channels are rounded to the nearest whole number, halves to even, from the
// exact fraction, so that no error piles up over the stripes.
class StripeGradient
{
public:
    // Down: the colour changes from top to bottom (stripes run across).
    // Right: the colour changes from left to right (stripes run up and down).
    enum class Direction
    {
        Down,
        Right
    };

    // num / den rounded to the nearest whole number, halves to the even one; den > 0.
    static long long roundHalfEven(long long num, long long den);

    // Colour of stripe `index` (from 0) of `count` stripes running from `from` towards `to`.
    static QColor stripeColour(const QColor& from, const QColor& to, int index, int count);

    // Fills the rectangle (left, top, right, bottom), right and bottom exclusive, with stripes
    // of `thickness` pixels (values below 1 count as 1). The number of stripes is the extent in
    // the direction of the gradient divided by the thickness, rounded up; the last stripe is cut
    // at the rectangle's edge. A rectangle without area paints nothing.
    static void fill(QPainter& painter, int left, int top, int right, int bottom,
                     const QColor& from, const QColor& to, Direction direction, int thickness = 1);
};
