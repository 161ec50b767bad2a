#include "TBDigit.h"

#include "PixelCanvas.h"
#include "StoreIfChanged.h"
#include "StripeGradient.h"
#include "WidgetAccessibility.h"

#include <QPainter>

#include <cstdlib>

namespace {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle.
enum Segment : unsigned
{
    SegA = 1U << 0,
    SegB = 1U << 1,
    SegC = 1U << 2,
    SegD = 1U << 3,
    SegE = 1U << 4,
    SegF = 1U << 5,
    SegG = 1U << 6,
};
constexpr int SegmentCount = 7;

constexpr std::array<unsigned, 10> DigitSegments = {
    SegA | SegB | SegC | SegD | SegE | SegF,        // 0
    SegB | SegC,                                    // 1
    SegA | SegB | SegD | SegE | SegG,               // 2
    SegA | SegB | SegC | SegD | SegG,               // 3
    SegB | SegC | SegF | SegG,                      // 4
    SegA | SegC | SegD | SegF | SegG,               // 5
    SegA | SegC | SegD | SegE | SegF | SegG,        // 6
    SegA | SegB | SegC,                             // 7
    SegA | SegB | SegC | SegD | SegE | SegF | SegG, // 8
    SegA | SegB | SegC | SegD | SegF | SegG,        // 9
};

// Letters of the error display by code: 1 E, 2 r, 3 r, 4 o, 5 r.
constexpr std::array<unsigned, 6> LetterSegments = {
    0,           SegA | SegD | SegE | SegF | SegG, SegE | SegG,
    SegE | SegG, SegC | SegD | SegE | SegG,        SegE | SegG,
};

unsigned digitSegments(int code)
{
    return code >= 0 && code < static_cast<int>(DigitSegments.size()) ? DigitSegments[code] : 0;
}

unsigned letterSegments(int code)
{
    return code >= 0 && code < static_cast<int>(LetterSegments.size()) ? LetterSegments[code] : 0;
}

// One line of a segment, relative to the cell origin, with its pen width (0: unused).
struct Stroke
{
    int width;
    int x1, y1, x2, y2;
};
using SegmentStrokes = std::array<Stroke, 2>;

struct CellGeometry
{
    int pitch;
    int height;
    int minusWidth;
    // Cell background (2, 2, right, bottom) relative to the cell origin.
    int cellRight;
    int cellBottom;
    std::array<SegmentStrokes, SegmentCount> segments;
};

// G1 draws two 1-pixel lines per segment (a bevelled bar two pixels wide); G2 one 3-pixel line;
// G3 a 5-pixel line and a 1-pixel line that extends it to pointed ends. Segments a to g, each
// as pen width, start x, y, end x, y.
constexpr std::array<CellGeometry, 3> Geometry = {{
    {.pitch = 10,
     .height = 20,
     .minusWidth = 10,
     .cellRight = 12,
     .cellBottom = 17,
     .segments = {{
         {{{1, 10, 3, 5, 3}, {1, 9, 4, 6, 4}}},
         {{{1, 11, 8, 11, 3}, {1, 10, 7, 10, 4}}},
         {{{1, 11, 14, 11, 9}, {1, 10, 13, 10, 10}}},
         {{{1, 6, 15, 11, 15}, {1, 7, 14, 10, 14}}},
         {{{1, 5, 10, 5, 15}, {1, 6, 11, 6, 14}}},
         {{{1, 5, 4, 5, 9}, {1, 6, 5, 6, 8}}},
         {{{1, 6, 9, 11, 9}, {1, 7, 8, 10, 8}}},
     }}},
    {.pitch = 19,
     .height = 35,
     .minusWidth = 19,
     .cellRight = 21,
     .cellBottom = 33,
     .segments = {{
         {{{3, 14, 5, 8, 5}, {0, 0, 0, 0, 0}}},
         {{{3, 16, 14, 16, 8}, {0, 0, 0, 0, 0}}},
         {{{3, 16, 26, 16, 20}, {0, 0, 0, 0, 0}}},
         {{{3, 8, 29, 14, 29}, {0, 0, 0, 0, 0}}},
         {{{3, 6, 20, 6, 26}, {0, 0, 0, 0, 0}}},
         {{{3, 6, 8, 6, 14}, {0, 0, 0, 0, 0}}},
         {{{3, 8, 17, 14, 17}, {0, 0, 0, 0, 0}}},
     }}},
    {.pitch = 36,
     .height = 57,
     .minusWidth = 30,
     .cellRight = 38,
     .cellBottom = 55,
     .segments = {{
         {{{5, 15, 7, 28, 7}, {1, 12, 7, 32, 7}}},
         {{{5, 32, 23, 32, 12}, {1, 32, 26, 32, 8}}},
         {{{5, 32, 44, 32, 33}, {1, 32, 47, 32, 29}}},
         {{{5, 15, 49, 28, 49}, {1, 12, 49, 32, 49}}},
         {{{5, 11, 33, 11, 44}, {1, 11, 30, 11, 48}}},
         {{{5, 11, 12, 11, 23}, {1, 11, 9, 11, 27}}},
         {{{5, 15, 28, 28, 28}, {1, 12, 28, 32, 28}}},
     }}},
}};

const CellGeometry& cellGeometry(TBDigit::tgroesse size)
{
    return Geometry[static_cast<std::size_t>(size)];
}

// Frame margin: two pixel columns at the left and four at the right are not cells.
constexpr int FrameExtra = 6;

} // namespace

TBDigit::TBDigit(QWidget* parent) : QWidget(parent)
{
    applySize();
    WidgetAccessibility::install();
}

QSize TBDigit::controlSize(tgroesse size, int digits, bool minusField)
{
    const CellGeometry& g = cellGeometry(size);
    return {digits * g.pitch + FrameExtra + (minusField ? g.minusWidth : 0), g.height};
}

QSize TBDigit::sizeHint() const
{
    return controlSize(m_groesse, m_digitanzahl, m_minusfeld);
}

QSize TBDigit::minimumSizeHint() const
{
    return sizeHint();
}

int TBDigit::minusFieldWidth() const
{
    return m_minusfeld ? cellGeometry(m_groesse).minusWidth : 0;
}

std::array<int, TBDigit::MaxDigits> TBDigit::cellCodes() const
{
    const bool errorDisplay = m_error && m_visible;
    // The text the cells show, right-aligned in ten positions: the magnitude of the value
    // (computed in 64 bits, so that the most negative value has one), or a fixed number whose
    // digits the error display turns into letters.
    long long number = -1;
    if (errorDisplay) {
        number = m_digitanzahl <= 2 ? 1 : (m_digitanzahl <= 4 ? 123 : 12345);
    } else if (m_visible) {
        number = std::llabs(static_cast<long long>(m_wert));
    }
    std::array<int, MaxDigits> text{};
    text.fill(-1); // blank position
    if (number >= 0) {
        int position = MaxDigits - 1;
        do {
            text[static_cast<std::size_t>(position)] = static_cast<int>(number % 10);
            number /= 10;
            --position;
        } while (number > 0 && position >= 0);
    }
    const int blank = m_nullen ? 0 : BlankCode;
    std::array<int, MaxDigits> codes{};
    codes.fill(BlankCode);
    for (int k = 0; k < m_digitanzahl; ++k) {
        const int index = MaxDigits - m_digitanzahl + k; // right-aligned in the text
        const int code = text[static_cast<std::size_t>(index)];
        codes[static_cast<std::size_t>(k)] = code < 0 ? blank : code;
    }
    return codes;
}

QRect TBDigit::valueArea() const
{
    const CellGeometry& g = cellGeometry(m_groesse);
    const int right = (m_digitanzahl - 1) * g.pitch + minusFieldWidth() + g.cellRight;
    return QRect(2, 2, right - 2, g.cellBottom - 2);
}

void TBDigit::setFarbe(const QColor& colour)
{
    if (storeIfChanged(m_farbe, colour)) {
        update();
    }
}

void TBDigit::setGlaslicht(const QColor& colour)
{
    if (storeIfChanged(m_glaslicht, colour)) {
        update();
    }
}

void TBDigit::setGlasschatten(const QColor& colour)
{
    if (storeIfChanged(m_glasschatten, colour)) {
        update();
    }
}

void TBDigit::setDigitanzahl(int count)
{
    if (count < 1 || count > MaxDigits || count == m_digitanzahl) {
        return;
    }
    m_digitanzahl = count;
    applySize();
    update();
}

void TBDigit::setWert(int value)
{
    // The error display freezes the value.
    if (m_error || value == m_wert) {
        return;
    }
    m_wert = value;
    WidgetAccessibility::valueChanged(this);
    if (!m_visible) {
        // Blank digits do not change, but the minus sign follows the value.
        if (m_minusfeld) {
            const CellGeometry& g = cellGeometry(m_groesse);
            update(QRect(2, 2, g.cellRight - 2, g.cellBottom - 2));
        }
        return;
    }
    update(valueArea());
    emit OnChange(value);
}

void TBDigit::setGroesse(tgroesse size)
{
    if (storeIfChanged(m_groesse, size)) {
        applySize();
        update();
    }
}

void TBDigit::setDigitsVisible(bool visible)
{
    if (storeIfChanged(m_visible, visible)) {
        update();
    }
}

void TBDigit::setNullen(bool zeros)
{
    if (storeIfChanged(m_nullen, zeros)) {
        update();
    }
}

void TBDigit::setError(bool error)
{
    if (storeIfChanged(m_error, error)) {
        update();
    }
}

void TBDigit::setMinusfeld(bool minusField)
{
    if (storeIfChanged(m_minusfeld, minusField)) {
        applySize();
        update();
    }
}

void TBDigit::setRahmen(bool frame)
{
    if (storeIfChanged(m_rahmen, frame)) {
        update();
    }
}

void TBDigit::applySize()
{
    setFixedSize(sizeHint());
    updateGeometry();
}

void TBDigit::drawCellBackground(PixelCanvas& canvas, int originX) const
{
    const CellGeometry& g = cellGeometry(m_groesse);
    canvas.fillGradient(originX + 2, 2, originX + g.cellRight, g.cellBottom, m_glaslicht,
                        m_glasschatten);
}

void TBDigit::drawSegments(PixelCanvas& canvas, int originX, unsigned segments) const
{
    const CellGeometry& g = cellGeometry(m_groesse);
    for (int s = 0; s < SegmentCount; ++s) {
        if ((segments & (1U << s)) == 0) {
            continue;
        }
        for (const Stroke& stroke : g.segments[static_cast<std::size_t>(s)]) {
            if (stroke.width == 0) {
                continue;
            }
            canvas.setPen(m_farbe, stroke.width);
            canvas.line(originX + stroke.x1, stroke.y1, originX + stroke.x2, stroke.y2);
        }
    }
}

void TBDigit::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    PixelCanvas canvas(painter);
    const int w = width();
    const int h = height();

    // The glass behind everything; the two outer pixel rows and columns belong to the frame.
    canvas.fillGradient(2, 2, w - 2, h - 2, m_glaslicht, m_glasschatten);
    if (m_rahmen) {
        canvas.setPen(Qt::white, 1);
        canvas.moveTo(0, 0);
        canvas.lineTo(w - 2, 0);
        canvas.lineTo(w - 2, h - 2);
        canvas.lineTo(0, h - 2);
        canvas.lineTo(0, 0);
        canvas.setPen(QColor(128, 128, 128), 1);
        canvas.line(1, 1, w - 2, 1);
        canvas.line(1, 1, 1, h - 2);
        canvas.moveTo(1, h - 1);
        canvas.lineTo(w - 1, h - 1);
        canvas.lineTo(w - 1, 0);
    }

    const bool errorDisplay = m_error && m_visible;
    const int minusWidth = minusFieldWidth();
    if (!errorDisplay && m_minusfeld) {
        // The minus sign lies on the glass; a non-negative value clears the field instead.
        if (m_wert < 0) {
            drawSegments(canvas, 0, SegG);
        } else {
            drawCellBackground(canvas, 0);
        }
    }

    const std::array<int, MaxDigits> codes = cellCodes();
    const int pitch = cellGeometry(m_groesse).pitch;
    for (int k = 0; k < m_digitanzahl; ++k) {
        const int originX = k * pitch + minusWidth;
        const int code = codes[static_cast<std::size_t>(k)];
        drawCellBackground(canvas, originX);
        drawSegments(canvas, originX, errorDisplay ? letterSegments(code) : digitSegments(code));
    }
}
