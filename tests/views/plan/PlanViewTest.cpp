// The map of the sample house on screen: the tile the pointer picks is the one painted under it
// at every zoom, and below one pixel a tile the item that may not be imported stays on top.
#include "views/plan/PlanView.h"
#include "calc/Calculation.h"
#include "support/GuiTest.h"
#include "views/plan/PlanPicture.h"

#include <QImage>
#include <QSet>
#include <QWheelEvent>

using tarvek::plan::PlanTiles;
using tarvek::plan::PlanView;

namespace {

// The sample house run with its items recorded.
void runSample(tarvek::Calculation& calc)
{
    tarvek::calculate(calc, {.importFile = TARVEK_SOURCE_DIR "/examples/Haus.cfg",
                             .programDir = TARVEK_SOURCE_DIR "/examples/",
                             .nested = tarvek::Answer::Yes,
                             .recordItems = true});
}

} // namespace

TEST(PlanView, ThePointerPicksTheTilePaintedUnderItAtEveryZoom)
{
    testApp();
    tarvek::Calculation calc;
    runSample(calc);
    ASSERT_TRUE(calc.items.complete());
    const PlanTiles tiles(calc.items.items(), std::nullopt);
    PlanView view;
    view.resize(300, 200);
    view.show();
    view.setPlan(&calc.items, &tiles);

    // Zoomed out step by step around a point off the pixel grid: squares of a few pixels down to
    // a seventh of a pixel, the house in the end on one or two pixels.
    const QPointF at(137.3, 91.7);
    int sharedPixels = 0;
    for (int notch = 0; notch < 16; ++notch) {
        QWheelEvent wheel(at, view.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        if (view.scale() >= 6) {
            continue; // the grid shows between the squares
        }
        const QImage painted = view.grab().toImage();
        const QRect covered = view.tileRect(calc.items.minX(), calc.items.minY())
                                  .united(view.tileRect(calc.items.maxX(), calc.items.maxY()));
        for (int y = covered.top(); y <= covered.bottom(); ++y) {
            for (int x = covered.left(); x <= covered.right(); ++x) {
                const QRgb colour = painted.pixel(x, y) & 0xFFFFFF;
                const tarvek::plan::Tile* tile = view.tileAt({x, y});
                const QRgb expected =
                    tile ? tarvek::plan::categoryColour(tile->category).rgb() & 0xFFFFFF : 0xFFFFFF;
                ASSERT_EQ(colour, expected) << "scale " << view.scale() << " at " << x << "," << y;
            }
        }
        // The barrel may not be imported: red wherever it lies, however many tiles share its
        // pixel.
        const QPoint barrel = view.tileRect(1436, 1614).topLeft();
        EXPECT_EQ(painted.pixel(barrel) & 0xFFFFFF, 0xFF0000u) << "scale " << view.scale();
        ASSERT_NE(view.tileAt(barrel), nullptr);
        EXPECT_EQ(std::pair(view.tileAt(barrel)->x, view.tileAt(barrel)->y), std::pair(1436, 1614));
        sharedPixels += view.scale() < 1 ? 1 : 0;
    }
    EXPECT_GE(sharedPixels, 4);
}

TEST(PlanView, EverySquareIsAsLargeAsTheNextAtEveryZoom)
{
    testApp();
    tarvek::Calculation calc;
    runSample(calc);
    const PlanTiles tiles(calc.items.items(), std::nullopt);
    PlanView view;
    view.resize(517, 333); // no whole number of pixels per square fits the plan
    view.show();
    view.setPlan(&calc.items, &tiles);
    const QPointF at(201.7, 99.2);
    for (int notch = 0; notch < 10; ++notch) {
        QSet<int> widths;
        QSet<int> heights;
        for (std::int32_t x = calc.items.minX(); x <= calc.items.maxX(); ++x) {
            widths.insert(view.tileRect(x, calc.items.minY()).width());
        }
        for (std::int32_t y = calc.items.minY(); y <= calc.items.maxY(); ++y) {
            heights.insert(view.tileRect(calc.items.minX(), y).height());
        }
        EXPECT_EQ(widths.size(), 1) << "scale " << view.scale();
        EXPECT_EQ(heights, widths) << "scale " << view.scale();
        QWheelEvent wheel(at, view.mapToGlobal(at), {}, {0, notch < 5 ? 90 : -150}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
    }
}
