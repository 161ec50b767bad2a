#include "StripeGradient.h"

#include <QPainter>

#include <algorithm>

long long StripeGradient::roundHalfEven(long long num, long long den)
{
    long long quotient = num / den;
    long long remainder = num % den;
    // Floor division, so that the remainder is never negative.
    if (remainder < 0) {
        remainder += den;
        --quotient;
    }
    const long long twice = 2 * remainder;
    if (twice > den || (twice == den && (quotient & 1) != 0)) {
        ++quotient;
    }
    return quotient;
}

QColor StripeGradient::stripeColour(const QColor& from, const QColor& to, int index, int count)
{
    if (count <= 0) {
        return from;
    }
    const auto channel = [index, count](int start, int end) {
        // start + index * (end - start) / count, as one exact fraction.
        const long long num =
            static_cast<long long>(start) * count + static_cast<long long>(index) * (end - start);
        return static_cast<int>(std::clamp(roundHalfEven(num, count), 0LL, 255LL));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

void StripeGradient::fill(QPainter& painter, int left, int top, int right, int bottom,
                          const QColor& from, const QColor& to, Direction direction, int thickness)
{
    if (right <= left || bottom <= top) {
        return;
    }
    const int step = std::max(thickness, 1);
    const int extent = direction == Direction::Down ? bottom - top : right - left;
    const int count = (extent + step - 1) / step;
    for (int i = 0; i < count; ++i) {
        const QColor colour = stripeColour(from, to, i, count);
        const int start = i * step;
        const int length = std::min(step, extent - start);
        if (direction == Direction::Down) {
            painter.fillRect(left, top + start, right - left, length, colour);
        } else {
            painter.fillRect(left + start, top, length, bottom - top, colour);
        }
    }
}
