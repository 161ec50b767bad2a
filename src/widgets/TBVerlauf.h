#pragma once

#include "ClickableWidget.h"

#include <QColor>

// A panel filled with a stripe gradient, optionally with a beveled double frame. It holds
// child widgets, which are drawn on top of the gradient.
class TBVerlauf : public ClickableWidget
{
    Q_OBJECT
    Q_PROPERTY(torientation Richtung READ Richtung WRITE setRichtung)
    Q_PROPERTY(QColor Vonfarbe READ Vonfarbe WRITE setVonfarbe)
    Q_PROPERTY(QColor Bisfarbe READ Bisfarbe WRITE setBisfarbe)
    Q_PROPERTY(int Raster READ Raster WRITE setRaster)
    Q_PROPERTY(bool Rahmen READ Rahmen WRITE setRahmen)

public:
    // Horizontal: stripes run across, the colour changes from top to bottom; Vertikal: stripes
    // run up and down, the colour changes from left to right.
    enum class torientation
    {
        Horizontal,
        Vertikal
    };
    Q_ENUM(torientation)

    explicit TBVerlauf(QWidget* parent = nullptr);

    torientation Richtung() const { return m_richtung; }
    QColor Vonfarbe() const { return m_vonfarbe; }
    QColor Bisfarbe() const { return m_bisfarbe; }
    int Raster() const { return m_raster; }
    bool Rahmen() const { return m_rahmen; }

    void setRichtung(torientation direction);
    void setVonfarbe(const QColor& colour);
    void setBisfarbe(const QColor& colour);
    // Stripe thickness in pixels, 0 to 255 (values outside are cut to that range); 0 draws
    // like 1.
    void setRaster(int thickness);
    void setRahmen(bool frame);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    torientation m_richtung = torientation::Horizontal;
    QColor m_vonfarbe{0, 0, 255};
    QColor m_bisfarbe{0, 0, 128};
    int m_raster = 1;
    bool m_rahmen = false;
};
