#pragma once

#include "ClickableWidget.h"

#include <QColor>

class QTimer;

// A round signal lamp: an ellipse filling the control in an on or off colour, with a coloured
// rim and a white highlight dot. It can blink by itself.
class TBLED : public ClickableWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor FarbeAn READ FarbeAn WRITE setFarbeAn)
    Q_PROPERTY(QColor FarbeAus READ FarbeAus WRITE setFarbeAus)
    Q_PROPERTY(bool AnAus READ AnAus WRITE setAnAus)
    Q_PROPERTY(int Lichtpunktx READ Lichtpunktx WRITE setLichtpunktx)
    Q_PROPERTY(int Lichtpunkty READ Lichtpunkty WRITE setLichtpunkty)
    Q_PROPERTY(int Lichtpunkt READ Lichtpunkt WRITE setLichtpunkt)
    Q_PROPERTY(int Rand READ Rand WRITE setRand)
    Q_PROPERTY(QColor Randfarbe READ Randfarbe WRITE setRandfarbe)
    Q_PROPERTY(bool Blinken READ Blinken WRITE setBlinken)
    Q_PROPERTY(int Blinkinterval READ Blinkinterval WRITE setBlinkinterval)

public:
    static constexpr int MaxPenWidth = 10;
    // The blink timer never runs faster than this, whatever the interval says.
    static constexpr int MinBlinkPeriod = 10;

    explicit TBLED(QWidget* parent = nullptr);

    QColor FarbeAn() const { return m_farbeAn; }
    QColor FarbeAus() const { return m_farbeAus; }
    bool AnAus() const { return m_anAus; }
    int Lichtpunktx() const { return m_lichtpunktx; }
    int Lichtpunkty() const { return m_lichtpunkty; }
    int Lichtpunkt() const { return m_lichtpunkt; }
    int Rand() const { return m_rand; }
    QColor Randfarbe() const { return m_randfarbe; }
    bool Blinken() const { return m_blinken; }
    int Blinkinterval() const { return m_blinkinterval; }

    void setFarbeAn(const QColor& colour);
    void setFarbeAus(const QColor& colour);
    void setAnAus(bool on);
    void setLichtpunktx(int x);
    void setLichtpunkty(int y);
    // Diameter of the highlight dot; values above 10 become 10.
    void setLichtpunkt(int diameter);
    // Rim width, clamped to 1 to 10.
    void setRand(int width);
    void setRandfarbe(const QColor& colour);
    // Switching blinking off leaves the lamp dark.
    void setBlinken(bool blink);
    // Period of the blink timer in milliseconds.
    void setBlinkinterval(int milliseconds);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void blinkTick();

    QColor m_farbeAn{0, 255, 0};
    QColor m_farbeAus{0, 128, 0};
    bool m_anAus = false;
    int m_lichtpunktx = 6;
    int m_lichtpunkty = 5;
    int m_lichtpunkt = 3;
    int m_rand = 1;
    QColor m_randfarbe{128, 128, 128};
    bool m_blinken = false;
    int m_blinkinterval = 1000;
    QTimer* const m_blinkTimer;
};
