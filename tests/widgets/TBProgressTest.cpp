#include "widgets/TBProgress.h"
#include "WidgetTestSupport.h"
#include "widgets/StripeGradient.h"

#include <gtest/gtest.h>

namespace {

const QColor Silver(192, 192, 192);
const QColor Grey(128, 128, 128);
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);

// The main window's bar: 231 x 19, red LED colours.
void mainWindowBar(TBProgress& bar)
{
    bar.resize(231, 19);
    bar.setLED_Schatten(Red);
}

QColor channelRow(int y)
{
    return StripeGradient::stripeColour(Grey, Silver, y - 3, 13);
}

QColor barRow(int y)
{
    return StripeGradient::stripeColour(White, Red, y - 3, 13);
}

TEST(TBProgressTest, MainWindowBarAtFiftyPerCent)
{
    TBProgress bar;
    mainWindowBar(bar);
    bar.setWert(50);
    EXPECT_EQ(bar.barLength(50), 96) << "95.5 rounds to the even 96";
    const QImage image = renderWidget(bar);

    // Panel: one gradient over the whole height.
    for (int y = 0; y < 19; ++y) {
        EXPECT_EQ(pixelAt(image, 0, y), StripeGradient::stripeColour(Silver, Grey, y, 19));
        EXPECT_EQ(pixelAt(image, 230, y), StripeGradient::stripeColour(Silver, Grey, y, 19));
    }
    // Bar (20, 3, 116, 16) behind the frame's left line, then the channel up to 211.
    for (int y = 3; y < 16; ++y) {
        EXPECT_EQ(pixelAt(image, 21, y), barRow(y)) << "row " << y;
        EXPECT_EQ(pixelAt(image, 115, y), barRow(y)) << "row " << y;
        EXPECT_EQ(pixelAt(image, 116, y), channelRow(y)) << "row " << y;
        EXPECT_EQ(pixelAt(image, 210, y), channelRow(y)) << "row " << y;
    }
    // Frame: (20,16) -> (20,2) -> (211,2) black, -> (211,16) -> (20,16) white.
    for (int y = 3; y <= 16; ++y) {
        EXPECT_EQ(pixelAt(image, 20, y), Black) << "left, row " << y;
    }
    for (int x = 20; x < 211; ++x) {
        EXPECT_EQ(pixelAt(image, x, 2), Black) << "top, column " << x;
    }
    for (int y = 2; y < 16; ++y) {
        EXPECT_EQ(pixelAt(image, 211, y), White) << "right, row " << y;
    }
    for (int x = 21; x <= 211; ++x) {
        EXPECT_EQ(pixelAt(image, x, 16), White) << "bottom, column " << x;
    }
    EXPECT_EQ(pixelAt(image, 19, 10), StripeGradient::stripeColour(Silver, Grey, 10, 19));
    EXPECT_EQ(pixelAt(image, 212, 10), StripeGradient::stripeColour(Silver, Grey, 10, 19));
    EXPECT_EQ(pixelAt(image, 100, 17), StripeGradient::stripeColour(Silver, Grey, 17, 19));
}

TEST(TBProgressTest, ValueIsClampedToZeroToHundred)
{
    TBProgress bar;
    mainWindowBar(bar);
    bar.setWert(150);
    EXPECT_EQ(bar.Wert(), 100);
    QImage image = renderWidget(bar);
    EXPECT_EQ(pixelAt(image, 210, 8), barRow(8)) << "the full bar reaches the right end";

    bar.setWert(-5);
    EXPECT_EQ(bar.Wert(), 0);
    image = renderWidget(bar);
    EXPECT_EQ(pixelAt(image, 21, 8), channelRow(8)) << "empty bar";
    EXPECT_EQ(pixelAt(image, 20, 8), Black) << "the frame's left line stays";
}

TEST(TBProgressTest, PictureDependsOnlyOnTheValue)
{
    // Rising values, falling to zero, and a jump back leave no stale column or row, and an
    // upright bar keeps its frame's bottom line.
    for (const auto direction :
         {TBProgress::tausricht::Horizontal, TBProgress::tausricht::Vertikal}) {
        const QSize size =
            direction == TBProgress::tausricht::Horizontal ? QSize(231, 19) : QSize(19, 231);
        TBProgress changed;
        changed.resize(size);
        changed.setAusrichtung(direction);
        for (const int v : {10, 11, 37, 50, 0, 73, 72}) {
            changed.setWert(v);
            static_cast<void>(renderWidget(changed));
        }
        TBProgress fresh;
        fresh.resize(size);
        fresh.setAusrichtung(direction);
        fresh.setWert(72);
        EXPECT_EQ(renderWidget(changed), renderWidget(fresh));
    }
}

TEST(TBProgressTest, ValueChangeRepaintsOnlyTheChannel)
{
    TBProgress bar;
    mainWindowBar(bar);
    const QRegion region = repaintedBy(bar, [&] { bar.setWert(40); });
    EXPECT_EQ(region.boundingRect(), QRect(20, 3, 191, 13));
    EXPECT_TRUE(repaintedBy(bar, [&] { bar.setWert(40); }).isEmpty());
}

TEST(TBProgressTest, UprightBarGrowsFromTheBottom)
{
    TBProgress bar;
    bar.setAusrichtung(TBProgress::tausricht::Vertikal);
    bar.resize(19, 231);
    bar.setWert(50);
    EXPECT_EQ(bar.barLength(50), 96);
    const QImage image = renderWidget(bar);
    const QColor lime(0, 255, 0);
    // Bar (3, 116, 16, 212) with the gradient running left to right; its last row lies under
    // the frame's white bottom line.
    for (int x = 3; x < 16; ++x) {
        const QColor barColumn = StripeGradient::stripeColour(White, lime, x - 3, 13);
        const QColor channelColumn = StripeGradient::stripeColour(Grey, Silver, x - 3, 13);
        EXPECT_EQ(pixelAt(image, x, 116), barColumn) << "column " << x;
        EXPECT_EQ(pixelAt(image, x, 210), barColumn) << "column " << x;
        EXPECT_EQ(pixelAt(image, x, 115), channelColumn) << "column " << x;
        EXPECT_EQ(pixelAt(image, x, 20), channelColumn) << "column " << x;
        EXPECT_EQ(pixelAt(image, x, 211), White) << "column " << x;
    }
    EXPECT_EQ(pixelAt(image, 2, 100), Black);
    EXPECT_EQ(pixelAt(image, 10, 19), Black);
    EXPECT_EQ(pixelAt(image, 16, 100), White);
    EXPECT_EQ(pixelAt(image, 10, 5), StripeGradient::stripeColour(Silver, Grey, 10, 19));

    // Turning the bar does not change its size.
    bar.setAusrichtung(TBProgress::tausricht::Horizontal);
    EXPECT_EQ(bar.size(), QSize(19, 231));
}

TEST(TBProgressTest, SmallSizesAreRaisedAndDrawWithoutHarm)
{
    TBProgress bar;
    EXPECT_EQ(bar.size(), QSize(220, 21));
    bar.resize(3, 2);
    EXPECT_EQ(bar.size(), QSize(5, 5));
    for (const auto direction :
         {TBProgress::tausricht::Horizontal, TBProgress::tausricht::Vertikal}) {
        bar.setAusrichtung(direction);
        for (const QSize size : {QSize(5, 5), QSize(30, 8), QSize(8, 30)}) {
            bar.resize(size);
            bar.setWert(100);
            const QImage image = renderWidget(bar);
            // The panel still covers the whole control.
            EXPECT_EQ(pixelAt(image, 0, 0), Silver);
            bar.setWert(0);
        }
    }
}

} // namespace
