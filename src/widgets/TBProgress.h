#pragma once

#include <QColor>
#include <QWidget>

// A percentage bar: a raised panel with a colour gradient, a sunken channel inside it with the
// reversed gradient, and a bar with a second gradient whose length is Wert per cent of the
// channel. It grows left to right or bottom to top.
class TBProgress : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(tausricht Ausrichtung READ Ausrichtung WRITE setAusrichtung)
    Q_PROPERTY(QColor Panel_Licht READ Panel_Licht WRITE setPanel_Licht)
    Q_PROPERTY(QColor Panel_Schatten READ Panel_Schatten WRITE setPanel_Schatten)
    Q_PROPERTY(QColor LED_Licht READ LED_Licht WRITE setLED_Licht)
    Q_PROPERTY(QColor LED_Schatten READ LED_Schatten WRITE setLED_Schatten)
    Q_PROPERTY(int Wert READ Wert WRITE setWert)

public:
    enum class tausricht
    {
        Horizontal,
        Vertikal
    };
    Q_ENUM(tausricht)

    // The control is never smaller than this in either direction.
    static constexpr int MinExtent = 5;

    explicit TBProgress(QWidget* parent = nullptr);

    tausricht Ausrichtung() const { return m_ausrichtung; }
    QColor Panel_Licht() const { return m_panelLicht; }
    QColor Panel_Schatten() const { return m_panelSchatten; }
    QColor LED_Licht() const { return m_ledLicht; }
    QColor LED_Schatten() const { return m_ledSchatten; }
    int Wert() const { return m_wert; }

    // Does not change the size.
    void setAusrichtung(tausricht direction);
    void setPanel_Licht(const QColor& colour);
    void setPanel_Schatten(const QColor& colour);
    void setLED_Licht(const QColor& colour);
    void setLED_Schatten(const QColor& colour);
    // Per cent, clamped to 0 to 100; repaints only the channel.
    void setWert(int percent);

    // Length of the bar in pixels for a value: value x (channel length / 100), rounded
    // halves to even.
    int barLength(int percent) const;
    // The channel (left, top, width, height) that the bar runs in.
    QRect channelRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setColour(QColor& field, const QColor& colour);

    tausricht m_ausrichtung = tausricht::Horizontal;
    QColor m_panelLicht{192, 192, 192};
    QColor m_panelSchatten{128, 128, 128};
    QColor m_ledLicht{255, 255, 255};
    QColor m_ledSchatten{0, 255, 0};
    int m_wert = 0;
};
