#include "PanZoomView.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

PanZoomView::PanZoomView(QWidget* parent, double scale, double minScale, double maxScale)
    : QWidget(parent), m_scale(scale), m_minScale(minScale), m_maxScale(maxScale)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

double PanZoomView::clampedScale(double scale) const
{
    return std::clamp(scale, m_minScale, m_maxScale);
}

void PanZoomView::zoomAround(QPointF point, double factor)
{
    const double scale = zoomedScale(m_scale * factor);
    m_origin = point - (point - m_origin) / m_scale * scale;
    m_scale = scale;
    m_fitted = false;
    moved();
}

void PanZoomView::panBy(QPointF distance)
{
    m_origin += distance;
    m_fitted = false;
    moved();
}

void PanZoomView::wheelEvent(QWheelEvent* event)
{
    zoomAround(event->position(), std::pow(2.0, event->angleDelta().y() / 240.0));
    event->accept();
}

void PanZoomView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressAt = event->position().toPoint();
        m_dragging = false;
    }
}

void PanZoomView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressAt || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (!m_dragging && (at - *m_pressAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragging) {
        const QPoint distance = at - *m_pressAt;
        m_pressAt = at;
        panBy(QPointF(distance));
    }
}

void PanZoomView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressAt) {
        return;
    }
    const bool dragged = m_dragging;
    m_pressAt.reset();
    m_dragging = false;
    if (dragged) {
        unsetCursor();
    } else {
        clickedAt(event->position().toPoint());
    }
}

void PanZoomView::keyPressEvent(QKeyEvent* event)
{
    const QPointF centre = QRectF(rect()).center();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAround(centre, 2);
        break;
    case Qt::Key_Minus:
        zoomAround(centre, 0.5);
        break;
    case Qt::Key_Home:
        fit();
        break;
    case Qt::Key_Left:
        panBy({kPanStep, 0});
        break;
    case Qt::Key_Right:
        panBy({-kPanStep, 0});
        break;
    case Qt::Key_Up:
        panBy({0, kPanStep});
        break;
    case Qt::Key_Down:
        panBy({0, -kPanStep});
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool PanZoomView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}
