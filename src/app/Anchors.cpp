#include "app/Anchors.h"

#include <algorithm>

namespace {

int acrossShift(Anchors::Across line, int wider)
{
    switch (line) {
    case Anchors::Across::Left:
        return 0;
    case Anchors::Across::Divider:
        return wider / 2;
    case Anchors::Across::Right:
        return wider;
    }
    return 0;
}

// What the first `lists` of the growing lists have grown together.
int downShift(int lists, int taller)
{
    const int share = taller / Anchors::GrowingLists;
    const int leftOver = taller % Anchors::GrowingLists;
    return lists * share + std::min(lists, leftOver);
}

} // namespace

QRect anchoredPlace(const QRect& described, const Anchors& anchors, QSize extra)
{
    const int wider = std::max(0, extra.width());
    const int taller = std::max(0, extra.height());
    const int left = acrossShift(anchors.left, wider);
    const int top = downShift(anchors.top, taller);
    return {described.left() + left, described.top() + top,
            described.width() + acrossShift(anchors.right, wider) - left,
            described.height() + downShift(anchors.bottom, taller) - top};
}
