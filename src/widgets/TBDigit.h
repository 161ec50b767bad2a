#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class PixelCanvas;

// A row of seven-segment digits behind tinted glass: each digit cell has its own top-to-bottom
// gradient, lit segments are drawn in one colour and unlit ones not at all. Options: a minus
// field left of the digits, leading zeros, a 3D frame, three sizes, blanked digits and an error
// display that spells E, Err or Error. The size follows from the number of digits, the cell
// size and the minus field, and is fixed.
class TBDigit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Farbe READ Farbe WRITE setFarbe)
    Q_PROPERTY(QColor Glaslicht READ Glaslicht WRITE setGlaslicht)
    Q_PROPERTY(QColor Glasschatten READ Glasschatten WRITE setGlasschatten)
    Q_PROPERTY(int Digitanzahl READ Digitanzahl WRITE setDigitanzahl)
    Q_PROPERTY(int Wert READ Wert WRITE setWert)
    Q_PROPERTY(tgroesse Groesse READ Groesse WRITE setGroesse)
    Q_PROPERTY(bool Visible READ Visible WRITE setDigitsVisible)
    Q_PROPERTY(bool Nullen READ Nullen WRITE setNullen)
    Q_PROPERTY(bool Error READ Error WRITE setError)
    Q_PROPERTY(bool Minusfeld READ Minusfeld WRITE setMinusfeld)
    Q_PROPERTY(bool Rahmen READ Rahmen WRITE setRahmen)

public:
    // Cell size: pitch 10, 19 or 36 pixels.
    enum class tgroesse
    {
        G1,
        G2,
        G3
    };
    Q_ENUM(tgroesse)

    static constexpr int MaxDigits = 10;
    // Code of a cell that shows nothing (a digit code outside 0 to 9 draws nothing).
    static constexpr int BlankCode = 10;

    explicit TBDigit(QWidget* parent = nullptr);

    QColor Farbe() const { return m_farbe; }
    QColor Glaslicht() const { return m_glaslicht; }
    QColor Glasschatten() const { return m_glasschatten; }
    int Digitanzahl() const { return m_digitanzahl; }
    int Wert() const { return m_wert; }
    tgroesse Groesse() const { return m_groesse; }
    // "Visible" no blanks the digits; the control itself stays on screen.
    bool Visible() const { return m_visible; }
    bool Nullen() const { return m_nullen; }
    bool Error() const { return m_error; }
    bool Minusfeld() const { return m_minusfeld; }
    bool Rahmen() const { return m_rahmen; }

    void setFarbe(const QColor& colour);
    void setGlaslicht(const QColor& colour);
    void setGlasschatten(const QColor& colour);
    // Values outside 1 to 10 are ignored.
    void setDigitanzahl(int count);
    // Ignored while the error display is on; raises OnChange after a real change of a visible
    // display.
    void setWert(int value);
    void setGroesse(tgroesse size);
    // Named apart from QWidget::setVisible, which shows or hides the whole control.
    void setDigitsVisible(bool visible);
    void setNullen(bool zeros);
    void setError(bool error);
    void setMinusfeld(bool minusField);
    void setRahmen(bool frame);

    // The size the table gives for the current digit count, cell size and minus field.
    static QSize controlSize(tgroesse size, int digits, bool minusField);
    // What each cell shows, leftmost first (Digitanzahl entries are used): a digit 0 to 9 or
    // BlankCode for the value display; a letter code for the error display (1 E, 2, 3 and 5 r,
    // 4 o, anything else blank).
    std::array<int, MaxDigits> cellCodes() const;
    // The area that a change of the value repaints: the minus field and the digit cells.
    QRect valueArea() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After Wert has changed on a visible display.
    void OnChange(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applySize();
    void drawCellBackground(PixelCanvas& canvas, int originX) const;
    void drawSegments(PixelCanvas& canvas, int originX, unsigned segments) const;
    int minusFieldWidth() const;

    QColor m_farbe{0, 255, 0};
    QColor m_glaslicht{134, 134, 134};
    QColor m_glasschatten{30, 30, 30};
    int m_digitanzahl = 10;
    int m_wert = 0;
    tgroesse m_groesse = tgroesse::G1;
    bool m_visible = true;
    bool m_nullen = false;
    bool m_error = false;
    bool m_minusfeld = false;
    bool m_rahmen = true;
};
