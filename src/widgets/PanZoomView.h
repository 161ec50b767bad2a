#pragma once

#include <QPointF>
#include <QWidget>

#include <optional>

// A view of a picture larger than itself that the user moves about: the wheel zooms around the
// pointer, + and - around the middle; dragging with the left button and the arrow keys pan; Home
// fits the whole picture in. A press and release of the left button without a drag is a click.
// The tool tip is the text the view gives for the point under the pointer (none when empty).
class PanZoomView : public QWidget
{
    Q_OBJECT

public:
    // Pixels an arrow key pans.
    static constexpr int kPanStep = 32;

    // The scale stays between minScale and maxScale.
    PanZoomView(QWidget* parent, double scale, double minScale, double maxScale);

    // Shows the whole picture.
    virtual void fit() = 0;
    // The scale shown and the widget position of the picture's origin.
    double scale() const { return m_scale; }
    QPointF origin() const { return m_origin; }
    double clampedScale(double scale) const;

protected:
    // Zooms by `factor`, keeping the picture's point under `point` where it is.
    void zoomAround(QPointF point, double factor);
    void panBy(QPointF distance);
    // The scale that a zoom to `wanted` shows (by default `wanted` within the scale's bounds).
    virtual double zoomedScale(double wanted) const { return clampedScale(wanted); }
    // The scale or the place changed by zooming or panning (not by fit()).
    virtual void moved() = 0;
    virtual void clickedAt(QPoint point) = 0;
    virtual QString toolTipAt(QPoint point) const = 0;

    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

    double m_scale;
    QPointF m_origin;
    bool m_fitted = false; // the user has not zoomed or panned since the last fit

private:
    const double m_minScale;
    const double m_maxScale;
    std::optional<QPoint> m_pressAt;
    bool m_dragging = false;
};
