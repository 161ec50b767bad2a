#include "widgets/TBVerlauf.h"
#include "WidgetTestSupport.h"
#include "widgets/StripeGradient.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Richtung = TBVerlauf::torientation;

TEST(TBVerlaufTest, RedToGreenPanelOfOnePixelStripes)
{
    TBVerlauf panel;
    panel.resize(19, 19);
    panel.setVonfarbe(QColor(255, 0, 0));
    panel.setBisfarbe(QColor(0, 255, 0));
    const QImage image = renderWidget(panel);
    EXPECT_EQ(pixelAt(image, 9, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(image, 0, 1), QColor(242, 13, 0));
    EXPECT_EQ(pixelAt(image, 18, 1), QColor(242, 13, 0));
    EXPECT_EQ(pixelAt(image, 9, 18), QColor(13, 242, 0));
}

TEST(TBVerlaufTest, ThickStripesAndTheLastOneCut)
{
    TBVerlauf panel;
    panel.resize(10, 7);
    panel.setVonfarbe(QColor(0, 0, 0));
    panel.setBisfarbe(QColor(255, 0, 30));
    panel.setRaster(3);
    const QImage image = renderWidget(panel);
    const QColor expected[] = {{0, 0, 0},   {0, 0, 0},   {0, 0, 0},   {85, 0, 10},
                               {85, 0, 10}, {85, 0, 10}, {170, 0, 20}};
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(pixelAt(image, 4, y), expected[y]) << "row " << y;
    }

    // Stripe thickness 0 draws like 1; values beyond a byte are cut.
    panel.setRaster(1);
    const QImage one = renderWidget(panel);
    panel.setRaster(0);
    EXPECT_EQ(panel.Raster(), 0);
    EXPECT_EQ(renderWidget(panel), one);
    panel.setRaster(300);
    EXPECT_EQ(panel.Raster(), 255);
    EXPECT_EQ(pixelAt(renderWidget(panel), 4, 6), QColor(0, 0, 0)) << "one stripe only";
}

TEST(TBVerlaufTest, UprightStripesWithTheBeveledFrame)
{
    TBVerlauf panel;
    panel.resize(6, 4);
    panel.setRichtung(Richtung::Vertikal);
    panel.setVonfarbe(QColor(0, 0, 0));
    panel.setBisfarbe(QColor(60, 60, 60));
    EXPECT_EQ(pixelAt(renderWidget(panel), 3, 2), QColor(30, 30, 30));

    panel.setRahmen(true);
    const QImage image = renderWidget(panel);
    // W white, G grey, digits: the gradient column.
    const char* expected[] = {"WWWWWG", "WGGGWG", "WWWWWG", "GGGGGG"};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const QColor want =
                expected[y][x] == 'W' ? QColor(255, 255, 255) : QColor(128, 128, 128);
            EXPECT_EQ(pixelAt(image, x, y), want) << x << "," << y;
        }
    }
}

TEST(TBVerlaufTest, ChildWidgetsAreDrawnOnTop)
{
    TBVerlauf panel;
    panel.resize(19, 19);
    auto* label = new QLabel(&panel);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(1, 200, 1));
    label->setPalette(palette);
    label->setGeometry(5, 5, 4, 4);
    const QImage image = renderWidget(panel);
    EXPECT_EQ(pixelAt(image, 6, 6), QColor(1, 200, 1));
    EXPECT_EQ(pixelAt(image, 0, 0), QColor(0, 0, 255));
}

TEST(TBVerlaufTest, MouseEvents)
{
    TBVerlauf panel;
    int clicks = 0;
    int doubleClicks = 0;
    QObject::connect(&panel, &TBVerlauf::OnClick, [&clicks] { ++clicks; });
    QObject::connect(&panel, &TBVerlauf::OnDblClick, [&doubleClicks] { ++doubleClicks; });
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
}

} // namespace
