#include "widgets/TBDigit.h"
#include "WidgetTestSupport.h"
#include "widgets/StripeGradient.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using G = TBDigit::tgroesse;
const QColor Lime(0, 255, 0);
const QColor Light(134, 134, 134);
const QColor Shadow(30, 30, 30);

// One pixel on the outer line of each G1 segment, relative to the cell origin, a to g.
constexpr int Probe[7][2] = {{8, 3}, {11, 6}, {11, 12}, {8, 15}, {5, 12}, {5, 6}, {8, 9}};

// The lit G1 segments of the cell at originX, as letters "abcdefg"; checks on the way that
// every lit segment has its eight pixels (two lines of five and three) and nothing else in the
// cell is lit.
std::string segmentsAt(const QImage& image, int originX)
{
    std::string lit;
    for (int s = 0; s < 7; ++s) {
        if (pixelAt(image, originX + Probe[s][0], Probe[s][1]) == Lime) {
            lit += static_cast<char>('a' + s);
        }
    }
    int count = 0;
    for (int y = 2; y < 17; ++y) {
        for (int x = originX + 2; x < originX + 12; ++x) {
            count += pixelAt(image, x, y) == Lime ? 1 : 0;
        }
    }
    EXPECT_EQ(count, 8 * static_cast<int>(lit.size())) << "cell at " << originX;
    return lit;
}

// What the G1 cells show, leftmost first: digits, '-' for a blank cell, '?' for anything else.
std::string shown(TBDigit& display)
{
    static const std::string digitSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                                  "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const QImage image = renderWidget(display);
    const int minus = display.Minusfeld() ? 10 : 0;
    std::string text;
    for (int k = 0; k < display.Digitanzahl(); ++k) {
        const std::string lit = segmentsAt(image, k * 10 + minus);
        if (lit.empty()) {
            text += '-';
            continue;
        }
        char c = '?';
        for (int d = 0; d < 10; ++d) {
            if (digitSegments[d] == lit) {
                c = static_cast<char>('0' + d);
            }
        }
        text += c;
    }
    return text;
}

// The error letters of the G1 cells: E, r, o or '-' for blank.
std::string letters(TBDigit& display)
{
    const QImage image = renderWidget(display);
    std::string text;
    for (int k = 0; k < display.Digitanzahl(); ++k) {
        const std::string lit = segmentsAt(image, k * 10);
        text += lit.empty()      ? '-'
                : lit == "adefg" ? 'E'
                : lit == "eg"    ? 'r'
                : lit == "cdeg"  ? 'o'
                                 : '?';
    }
    return text;
}

bool minusSignShown(TBDigit& display)
{
    // The g segment of a cell at the control's origin: five pixels over three.
    const QImage image = renderWidget(display);
    bool all = true;
    for (int x = 6; x <= 10; ++x) {
        all = all && pixelAt(image, x, 9) == Lime;
    }
    for (int x = 7; x <= 9; ++x) {
        all = all && pixelAt(image, x, 8) == Lime;
    }
    return all;
}

TEST(TBDigitTest, SizeFollowsTheTable)
{
    const struct
    {
        G size;
        int digits;
        bool minus;
        QSize expected;
    } cases[] = {
        {G::G1, 10, false, {106, 20}}, {G::G1, 10, true, {116, 20}}, {G::G1, 3, false, {36, 20}},
        {G::G1, 6, true, {76, 20}},    {G::G2, 4, false, {82, 35}},  {G::G2, 4, true, {101, 35}},
        {G::G3, 3, false, {114, 57}},  {G::G3, 3, true, {144, 57}},
    };
    for (const auto& c : cases) {
        TBDigit display;
        display.setGroesse(c.size);
        display.setDigitanzahl(c.digits);
        display.setMinusfeld(c.minus);
        EXPECT_EQ(display.size(), c.expected) << c.digits << " digits, minus " << c.minus;
        EXPECT_EQ(display.sizeHint(), c.expected);
        EXPECT_EQ(display.minimumSize(), display.maximumSize()) << "fixed size";
    }
}

TEST(TBDigitTest, DigitCountOutsideOneToTenIsIgnored)
{
    TBDigit display;
    display.setDigitanzahl(4);
    for (const int wrong : {0, 11, -1, 65536}) {
        display.setDigitanzahl(wrong);
        EXPECT_EQ(display.Digitanzahl(), 4);
        EXPECT_EQ(display.width(), 46);
    }
    display.setDigitanzahl(1);
    EXPECT_EQ(display.width(), 16);
    display.setDigitanzahl(10);
    EXPECT_EQ(display.width(), 106);
}

TEST(TBDigitTest, ShowsEveryDigitWithItsSegments)
{
    TBDigit display;
    EXPECT_EQ(shown(display), "---------0"); // the default value 0
    display.setWert(1234567890);
    EXPECT_EQ(shown(display), "1234567890");
    display.setWert(987654321);
    EXPECT_EQ(shown(display), "-987654321");
}

TEST(TBDigitTest, ShowsTheLastDigitsOfLongValues)
{
    TBDigit display;
    display.setDigitanzahl(2);
    display.setWert(123);
    EXPECT_EQ(shown(display), "23");
    display.setWert(INT_MAX);
    EXPECT_EQ(shown(display), "47");
}

TEST(TBDigitTest, NegativeValuesUseTheMinusField)
{
    TBDigit display;
    display.setDigitanzahl(6);
    display.setMinusfeld(true);
    display.setWert(-1234);
    EXPECT_EQ(display.width(), 76);
    EXPECT_EQ(shown(display), "--1234");
    EXPECT_TRUE(minusSignShown(display));

    display.setWert(1234);
    EXPECT_FALSE(minusSignShown(display));

    // Without a minus field a negative value shows its digits only.
    TBDigit plain;
    plain.setDigitanzahl(3);
    plain.setWert(-5);
    EXPECT_EQ(shown(plain), "--5");
}

TEST(TBDigitTest, MostNegativeValueShowsItsFullMagnitude)
{
    TBDigit display;
    display.setMinusfeld(true);
    display.setWert(INT_MIN);
    EXPECT_EQ(shown(display), "2147483648");
    EXPECT_TRUE(minusSignShown(display));
    display.setDigitanzahl(3);
    EXPECT_EQ(shown(display), "648");
}

TEST(TBDigitTest, LeadingZerosAndBlankedDigits)
{
    TBDigit display;
    display.setDigitanzahl(3);
    display.setWert(7);
    display.setNullen(true);
    EXPECT_EQ(shown(display), "007");
    display.setNullen(false);
    EXPECT_EQ(shown(display), "--7");

    display.setMinusfeld(true);
    display.setWert(-7);
    display.setDigitsVisible(false);
    EXPECT_EQ(shown(display), "---");
    EXPECT_TRUE(minusSignShown(display)) << "the minus sign stays while the digits are blank";
    display.setNullen(true);
    EXPECT_EQ(shown(display), "000");

    // The value changes while blank and shows once the digits are back.
    display.setWert(42);
    EXPECT_EQ(display.Wert(), 42);
    EXPECT_FALSE(minusSignShown(display));
    display.setDigitsVisible(true);
    EXPECT_EQ(shown(display), "042");
}

TEST(TBDigitTest, ErrorDisplaySpellsErrorAndFreezesTheValue)
{
    const struct
    {
        int digits;
        const char* expected;
    } cases[] = {
        {1, "E"}, {2, "-E"}, {3, "Err"}, {4, "-Err"}, {5, "Error"}, {10, "-----Error"},
    };
    for (const auto& c : cases) {
        TBDigit display;
        display.setDigitanzahl(c.digits);
        display.setNullen(true); // leading zeros do not draw letters
        display.setError(true);
        EXPECT_EQ(letters(display), c.expected);
    }

    TBDigit display;
    display.setDigitanzahl(4);
    display.setWert(12);
    int changes = 0;
    QObject::connect(&display, &TBDigit::OnChange, [&changes] { ++changes; });
    display.setError(true);
    display.setWert(99);
    EXPECT_EQ(display.Wert(), 12);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(letters(display), "-Err");

    display.setError(false);
    EXPECT_EQ(shown(display), "--12");
    display.setWert(99);
    EXPECT_EQ(display.Wert(), 99);
    EXPECT_EQ(changes, 1);

    // Blank digits win over the error display.
    display.setError(true);
    display.setDigitsVisible(false);
    EXPECT_EQ(shown(display), "----");
}

TEST(TBDigitTest, OnChangeFiresOnlyOnARealChangeOfAVisibleDisplay)
{
    TBDigit display;
    std::vector<int> reported;
    QObject::connect(&display, &TBDigit::OnChange, [&reported](int v) { reported.push_back(v); });
    display.setWert(0);
    display.setWert(5);
    display.setWert(5);
    display.setWert(-5);
    display.setDigitsVisible(false);
    display.setWert(6);
    display.setDigitsVisible(true);
    display.setWert(6);
    EXPECT_EQ(reported, (std::vector<int>{5, -5}));
    EXPECT_EQ(display.Wert(), 6);
}

TEST(TBDigitTest, GlassGradientAndFrame)
{
    TBDigit display;
    display.setDigitanzahl(2);
    const QImage image = renderWidget(display);
    const int w = display.width();  // 26
    const int h = display.height(); // 20
    const QColor white(255, 255, 255);
    const QColor grey(128, 128, 128);

    // Frame: white outer ring to the right and bottom of the grey inner edge.
    EXPECT_EQ(pixelAt(image, 0, 0), white);
    EXPECT_EQ(pixelAt(image, w - 2, 0), white);
    EXPECT_EQ(pixelAt(image, w - 2, h - 2), white);
    EXPECT_EQ(pixelAt(image, 0, h - 2), white);
    EXPECT_EQ(pixelAt(image, 1, 1), grey);
    EXPECT_EQ(pixelAt(image, w - 3, 1), grey);
    EXPECT_EQ(pixelAt(image, 1, h - 3), grey);
    EXPECT_EQ(pixelAt(image, 1, h - 1), grey);
    EXPECT_EQ(pixelAt(image, w - 1, h - 1), grey);
    EXPECT_EQ(pixelAt(image, w - 1, 1), grey);
    EXPECT_EQ(pixelAt(image, 0, h - 1), Unpainted);
    EXPECT_EQ(pixelAt(image, w - 1, 0), Unpainted);

    // Each cell has its own gradient over rows 2 to 16; the rest of the glass runs over rows 2
    // to 17.
    for (int y = 2; y < 17; ++y) {
        EXPECT_EQ(pixelAt(image, 3, y), StripeGradient::stripeColour(Light, Shadow, y - 2, 15));
    }
    EXPECT_EQ(pixelAt(image, 3, 17), StripeGradient::stripeColour(Light, Shadow, 15, 16));
    for (int y = 2; y < 18; ++y) {
        EXPECT_EQ(pixelAt(image, w - 3, y), StripeGradient::stripeColour(Light, Shadow, y - 2, 16));
    }

    display.setRahmen(false);
    const QImage bare = renderWidget(display);
    EXPECT_EQ(pixelAt(bare, 0, 0), Unpainted);
    EXPECT_EQ(pixelAt(bare, 1, 5), Unpainted);
    EXPECT_EQ(pixelAt(bare, w - 2, h - 2), Unpainted);
    EXPECT_EQ(pixelAt(bare, 2, 2), Light);
}

TEST(TBDigitTest, LargeCellsDrawWideSegments)
{
    TBDigit display;
    display.setDigitanzahl(1);
    display.setGroesse(G::G3);
    display.setWert(8);
    QImage image = renderWidget(display);
    // Segment a: a 5-pixel line over rows 5 to 9, pointed by the 1-pixel line from x 12 to 31.
    for (int y = 5; y <= 9; ++y) {
        EXPECT_EQ(pixelAt(image, 20, y), Lime) << "row " << y;
    }
    EXPECT_NE(pixelAt(image, 20, 4), Lime);
    EXPECT_NE(pixelAt(image, 20, 10), Lime);
    EXPECT_EQ(pixelAt(image, 12, 7), Lime);
    EXPECT_EQ(pixelAt(image, 31, 7), Lime);
    EXPECT_NE(pixelAt(image, 32, 7), Lime);
    EXPECT_NE(pixelAt(image, 11, 7), Lime);
    // Segment b's thin line runs from row 26 up to row 9.
    EXPECT_EQ(pixelAt(image, 32, 9), Lime);
    EXPECT_NE(pixelAt(image, 32, 8), Lime);

    display.setGroesse(G::G2);
    display.setWert(1);
    image = renderWidget(display);
    for (int x = 15; x <= 17; ++x) {
        EXPECT_EQ(pixelAt(image, x, 11), Lime) << "segment b, column " << x;
        EXPECT_EQ(pixelAt(image, x, 23), Lime) << "segment c, column " << x;
    }
    EXPECT_NE(pixelAt(image, 11, 5), Lime) << "segment a is off for 1";
}

TEST(TBDigitTest, ValueChangeRepaintsOnlyTheCells)
{
    TBDigit display;
    display.setDigitanzahl(4);
    display.setMinusfeld(true);
    const QRegion region = repaintedBy(display, [&] { display.setWert(-321); });
    EXPECT_EQ(region.boundingRect(), display.valueArea());
    EXPECT_EQ(display.valueArea(), QRect(QPoint(2, 2), QPoint(51, 16)));

    EXPECT_TRUE(repaintedBy(display, [&] { display.setWert(-321); }).isEmpty());
}

TEST(TBDigitTest, PictureDependsOnlyOnTheState)
{
    TBDigit changed;
    changed.setDigitanzahl(5);
    changed.setMinusfeld(true);
    changed.setGroesse(G::G2);
    changed.setWert(-88888);
    changed.setError(true);
    changed.setError(false);
    changed.setWert(407);
    changed.setFarbe(QColor(255, 0, 0));

    TBDigit fresh;
    fresh.setFarbe(QColor(255, 0, 0));
    fresh.setWert(407);
    fresh.setGroesse(G::G2);
    fresh.setMinusfeld(true);
    fresh.setDigitanzahl(5);
    EXPECT_EQ(renderWidget(changed), renderWidget(fresh));
}

} // namespace
