#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

// How a control of the main window's client area follows the area when it grows beyond its
// described size. Each edge of the control's described rectangle is anchored to a line that moves
// as the area grows:
// - across, the extra width is split at the column divider: the divider, and every edge anchored
//   to it, moves by half of it (rounded down), the area's right edge by all of it;
// - down, the extra height goes to the five result lists of the left column, a fifth to each and
//   the pixels left over to the upper ones: an edge anchored beneath the first n of them moves by
//   what those n have grown, so beneath all five it moves by the whole extra height.
struct Anchors
{
    enum class Across : std::uint8_t
    {
        Left,    // stays where it is described
        Divider, // moves with the divider between the columns
        Right,   // keeps its distance to the area's right edge
    };
    // The lists of the left column that share the extra height.
    static constexpr int GrowingLists = 5;

    Across left;
    Across right;
    int top;    // how many of the growing lists lie above the edge, 0 to GrowingLists
    int bottom; // the same for the lower edge

    // A control of fixed size: both edges across at `across`, beneath `listsAbove` lists.
    static constexpr Anchors fixed(Across across, int listsAbove)
    {
        return {across, across, listsAbove, listsAbove};
    }
};

// Where a control described at `described` goes when the area is `extra` larger than described
// (each way at least zero).
QRect anchoredPlace(const QRect& described, const Anchors& anchors, QSize extra);
