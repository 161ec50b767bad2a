#include "widgets/TBLED.h"
#include "WidgetTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor Lime(0, 255, 0);
const QColor Grey(128, 128, 128);
const QColor White(255, 255, 255);

// A phase lamp of the main window.
void phaseLamp(TBLED& lamp)
{
    lamp.resize(15, 15);
    lamp.setFarbeAn(Lime);
    lamp.setFarbeAus(Grey);
    lamp.setRand(1);
    lamp.setRandfarbe(Grey);
    lamp.setLichtpunkt(2);
    lamp.setLichtpunktx(5);
    lamp.setLichtpunkty(4);
}

TEST(TBLEDTest, PenWidthsAreClamped)
{
    TBLED lamp;
    lamp.setRand(0);
    EXPECT_EQ(lamp.Rand(), 1);
    lamp.setRand(25);
    EXPECT_EQ(lamp.Rand(), 10);
    lamp.setRand(-7);
    EXPECT_EQ(lamp.Rand(), 1);
    lamp.setLichtpunkt(12);
    EXPECT_EQ(lamp.Lichtpunkt(), 10);
    lamp.setLichtpunkt(0);
    EXPECT_EQ(lamp.Lichtpunkt(), 0);
    lamp.setLichtpunkt(-3);
    EXPECT_EQ(lamp.Lichtpunkt(), -3) << "no lower limit";
    lamp.setLichtpunktx(-100);
    lamp.setLichtpunkty(5000);
    EXPECT_EQ(lamp.Lichtpunktx(), -100);
    static_cast<void>(renderWidget(lamp)); // odd values draw without harm
}

TEST(TBLEDTest, PhaseLampIsARimmedCircleWithAHighlight)
{
    TBLED lamp;
    phaseLamp(lamp);
    lamp.setAnAus(true);
    QImage image = renderWidget(lamp);
    EXPECT_EQ(pixelAt(image, 7, 7), Lime);
    EXPECT_EQ(pixelAt(image, 10, 10), Lime);
    // The 2-pixel highlight at (5, 4).
    EXPECT_EQ(pixelAt(image, 5, 4), White);
    EXPECT_EQ(pixelAt(image, 4, 4), White);
    EXPECT_NE(pixelAt(image, 7, 4), White);
    // Grey rim through the outer pixels at the middle of each side; corners left alone.
    EXPECT_EQ(pixelAt(image, 7, 0), Grey);
    EXPECT_EQ(pixelAt(image, 0, 7), Grey);
    EXPECT_EQ(pixelAt(image, 14, 7), Grey);
    EXPECT_EQ(pixelAt(image, 7, 14), Grey);
    EXPECT_EQ(pixelAt(image, 0, 0), Unpainted);
    EXPECT_EQ(pixelAt(image, 14, 14), Unpainted);

    lamp.setAnAus(false);
    image = renderWidget(lamp);
    EXPECT_EQ(pixelAt(image, 7, 7), Grey);
    EXPECT_EQ(pixelAt(image, 5, 4), White);
}

TEST(TBLEDTest, CircleIsSymmetricForEveryRim)
{
    for (const int rim : {1, 2, 3, 5}) {
        TBLED lamp;
        lamp.resize(16, 16);
        lamp.setRand(rim);
        lamp.setLichtpunkt(0);
        lamp.setLichtpunktx(-5); // highlight outside the control
        const QImage image = renderWidget(lamp);
        EXPECT_EQ(image, image.mirrored(true, false)) << "rim " << rim;
        EXPECT_EQ(image, image.mirrored(false, true)) << "rim " << rim;
    }
}

TEST(TBLEDTest, BlinkTimerTogglesTheLamp)
{
    TBLED lamp;
    lamp.setBlinkinterval(20);
    EXPECT_EQ(lamp.Blinkinterval(), 20);
    lamp.setBlinken(true);
    EXPECT_FALSE(lamp.AnAus()) << "nothing happens before the first tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return lamp.AnAus(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !lamp.AnAus(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return lamp.AnAus(); }, 5000));

    // Switching off while lit leaves the lamp dark at once, and it stays dark.
    lamp.setBlinken(false);
    EXPECT_FALSE(lamp.AnAus());
    EXPECT_FALSE(QTest::qWaitFor([&] { return lamp.AnAus(); }, 100));

    // Nonsense periods are stored but do not make the timer run wild.
    lamp.setBlinkinterval(-1);
    EXPECT_EQ(lamp.Blinkinterval(), -1);
    lamp.setBlinken(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lamp.AnAus(); }, 5000));
    lamp.setBlinken(false);
}

TEST(TBLEDTest, ClickRaisesOnClick)
{
    TBLED lamp;
    int clicks = 0;
    QObject::connect(&lamp, &TBLED::OnClick, [&clicks] { ++clicks; });
    QTest::mouseClick(&lamp, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&lamp, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

} // namespace
