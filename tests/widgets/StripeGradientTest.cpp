#include "widgets/StripeGradient.h"
#include "WidgetTestSupport.h"
#include "widgets/PixelCanvas.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using Direction = StripeGradient::Direction;

QImage canvasImage(int w, int h, const std::function<void(PixelCanvas&)>& draw)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Unpainted);
    QPainter painter(&image);
    PixelCanvas canvas(painter);
    draw(canvas);
    return image;
}

// The picture as rows of characters: '#' painted in `ink`, '.' unpainted, '?' anything else.
std::vector<std::string> rows(const QImage& image, const QColor& ink)
{
    std::vector<std::string> result;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = pixelAt(image, x, y);
            row += c == ink ? '#' : (c == Unpainted ? '.' : '?');
        }
        result.push_back(row);
    }
    return result;
}

TEST(StripeGradientTest, RoundsHalvesToEven)
{
    const struct
    {
        long long num, den, expected;
    } cases[] = {
        {1, 2, 0},       {3, 2, 2}, {5, 2, 2}, {7, 2, 4},   {-1, 2, 0}, {-3, 2, -2},   {191, 2, 96},
        {9550, 100, 96}, {4, 3, 1}, {5, 3, 2}, {-5, 3, -2}, {0, 7, 0},  {255, 1, 255}, {-4, 3, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripeGradient::roundHalfEven(c.num, c.den), c.expected)
            << c.num << " / " << c.den;
    }
}

TEST(StripeGradientTest, StripeColoursRunFromStartToOneStepShortOfEnd)
{
    const QColor red(255, 0, 0);
    const QColor green(0, 255, 0);
    EXPECT_EQ(StripeGradient::stripeColour(red, green, 0, 19), red);
    // 255 - 13.42 rounds to 242, 13.42 to 13.
    EXPECT_EQ(StripeGradient::stripeColour(red, green, 1, 19), QColor(242, 13, 0));
    EXPECT_EQ(StripeGradient::stripeColour(red, green, 18, 19), QColor(13, 242, 0));

    // Exact halves go to the even neighbour, upwards and downwards.
    const QColor black(0, 0, 0);
    EXPECT_EQ(StripeGradient::stripeColour(black, QColor(255, 5, 3), 1, 2), QColor(128, 2, 2));
    EXPECT_EQ(StripeGradient::stripeColour(QColor(255, 5, 3), black, 1, 2), QColor(128, 2, 2));

    // No stripes: the start colour, never a division by zero.
    EXPECT_EQ(StripeGradient::stripeColour(red, green, 0, 0), red);
}

TEST(StripeGradientTest, FillPaintsOneStripePerRowOrColumn)
{
    const QColor from(0, 0, 0);
    const QColor to(40, 80, 120);
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Unpainted);
    {
        QPainter painter(&image);
        StripeGradient::fill(painter, 1, 1, 5, 5, from, to, Direction::Down);
    }
    for (int y = 1; y < 5; ++y) {
        for (int x = 1; x < 5; ++x) {
            EXPECT_EQ(pixelAt(image, x, y), QColor(10 * (y - 1), 20 * (y - 1), 30 * (y - 1)))
                << x << "," << y;
        }
        EXPECT_EQ(pixelAt(image, 0, y), Unpainted);
        EXPECT_EQ(pixelAt(image, 5, y), Unpainted);
    }
    EXPECT_EQ(pixelAt(image, 2, 0), Unpainted);
    EXPECT_EQ(pixelAt(image, 2, 5), Unpainted);

    image.fill(Unpainted);
    {
        QPainter painter(&image);
        StripeGradient::fill(painter, 0, 2, 4, 3, from, to, Direction::Right);
    }
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixelAt(image, x, 2), QColor(10 * x, 20 * x, 30 * x));
    }
    EXPECT_EQ(pixelAt(image, 4, 2), Unpainted);
    EXPECT_EQ(pixelAt(image, 0, 1), Unpainted);
}

TEST(StripeGradientTest, ThickStripesAreCutAtTheEdge)
{
    const QColor from(0, 0, 0);
    const QColor to(255, 0, 30);
    QImage image(3, 7, QImage::Format_RGB32);
    image.fill(Unpainted);
    {
        QPainter painter(&image);
        // Seven rows in stripes of three: three stripes, the last one row high.
        StripeGradient::fill(painter, 0, 0, 3, 7, from, to, Direction::Down, 3);
    }
    const QColor expected[] = {from,        from,        from,        {85, 0, 10},
                               {85, 0, 10}, {85, 0, 10}, {170, 0, 20}};
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(pixelAt(image, 1, y), expected[y]) << "row " << y;
    }
}

TEST(StripeGradientTest, RectanglesWithoutAreaPaintNothing)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Unpainted);
    {
        QPainter painter(&image);
        const QColor c(9, 9, 9);
        StripeGradient::fill(painter, 4, 2, 4, 6, c, c, Direction::Down);
        StripeGradient::fill(painter, 5, 2, 4, 6, c, c, Direction::Right);   // right < left
        StripeGradient::fill(painter, 1, 6, 7, 2, c, c, Direction::Down);    // bottom < top
        StripeGradient::fill(painter, 1, 1, 7, 7, c, c, Direction::Down, 0); // thickness 0
    }
    // Only the last fill paints, with one-pixel stripes.
    EXPECT_EQ(pixelAt(image, 0, 0), Unpainted);
    EXPECT_EQ(pixelAt(image, 1, 1), QColor(9, 9, 9));
    EXPECT_EQ(pixelAt(image, 6, 6), QColor(9, 9, 9));
    EXPECT_EQ(pixelAt(image, 7, 7), Unpainted);
}

TEST(PixelCanvasTest, ThinLinesLeaveOutTheirEndPoint)
{
    const QColor ink(200, 0, 0);
    const QImage image = canvasImage(7, 7, [&](PixelCanvas& c) {
        c.setPen(ink, 1);
        c.line(1, 1, 5, 1); // right
        c.line(5, 3, 1, 3); // left
        c.line(0, 2, 0, 6); // down
        c.line(6, 6, 6, 2); // up
        c.line(2, 5, 2, 5); // no length: nothing
    });
    const std::vector<std::string> expected = {
        ".......", //
        ".####..", //
        "#......", //
        "#.#####", //
        "#.....#", //
        "#.....#", //
        "......#", //
    };
    EXPECT_EQ(rows(image, ink), expected);
}

TEST(PixelCanvasTest, ClosedRunPaintsEveryCornerOnceAndSlantedLinesStepEvenly)
{
    const QColor ink(0, 0, 200);
    const QImage frame = canvasImage(5, 4, [&](PixelCanvas& c) {
        c.setPen(ink, 1);
        c.moveTo(0, 0);
        c.lineTo(4, 0);
        c.lineTo(4, 3);
        c.lineTo(0, 3);
        c.lineTo(0, 0);
    });
    EXPECT_EQ(rows(frame, ink), (std::vector<std::string>{"#####", "#...#", "#...#", "#####"}));

    const QImage slant = canvasImage(5, 3, [&](PixelCanvas& c) {
        c.setPen(ink, 1);
        c.line(0, 0, 4, 2);
    });
    EXPECT_EQ(rows(slant, ink), (std::vector<std::string>{"#....", ".##..", "...#."}));
}

TEST(PixelCanvasTest, WidePensCoverTheirWidthAcrossTheLine)
{
    const QColor ink(0, 150, 0);
    for (const int width : {2, 3, 4, 5}) {
        const QImage image = canvasImage(20, 20, [&](PixelCanvas& c) {
            c.setPen(ink, width);
            c.line(5, 10, 14, 10);
        });
        int painted = 0;
        for (int y = 0; y < 20; ++y) {
            painted += pixelAt(image, 10, y) == ink ? 1 : 0;
        }
        EXPECT_EQ(painted, width) << "pen width " << width;
        // Odd widths lie symmetrically around the line's row.
        if (width % 2 == 1) {
            EXPECT_EQ(pixelAt(image, 10, 10 - width / 2), ink);
            EXPECT_EQ(pixelAt(image, 10, 10 + width / 2), ink);
        }
        // Round ends reach beyond both end points.
        EXPECT_EQ(pixelAt(image, 4, 10), ink);
        EXPECT_EQ(pixelAt(image, 14, 10), ink);
    }
}

} // namespace
