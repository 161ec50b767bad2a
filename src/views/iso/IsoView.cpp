#include "views/iso/IsoView.h"

#include "views/plan/PlanView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarvek::iso {

namespace {

constexpr double kMinScale = 1.0 / 32;
constexpr double kMaxScale = 8;
constexpr int kFitMargin = 16;

} // namespace

IsoView::IsoView(QWidget* parent) : PanZoomView(parent, 1, kMinScale, kMaxScale)
{
    setObjectName(QStringLiteral("SpielansichtBild"));
    setAccessibleName(QStringLiteral("Das Gebäude wie im Spiel"));
}

void IsoView::setScene(const IsoScene* scene, const std::vector<RecordedItem>* items)
{
    m_cacheScale.reset();
    m_scene = scene;
    m_items = items;
    fit();
}

void IsoView::setFilter(const SceneFilter& filter)
{
    m_filter = filter;
    m_cacheScale.reset();
    update();
}

void IsoView::setPriceLookup(std::function<QString(std::int32_t)> lookup)
{
    m_priceLookup = std::move(lookup);
}

void IsoView::fit()
{
    m_fitted = true;
    const QRect bounds = m_scene ? m_scene->bounds(m_filter) : QRect();
    if (bounds.isEmpty()) {
        m_scale = 1;
        m_origin = QPointF(width() / 2.0, height() / 2.0);
    } else {
        const double room = std::max(1, width() - 2 * kFitMargin);
        const double roomHigh = std::max(1, height() - 2 * kFitMargin);
        m_scale = clampedScale(std::min({room / bounds.width(), roomHigh / bounds.height(), 1.0}));
        // Whole pixels, so that at scale 1 every picture's pixel is a pixel of the screen.
        const QPointF origin =
            QPointF(width() / 2.0, height() / 2.0) - QPointF(bounds.center()) * m_scale;
        m_origin = QPointF(std::round(origin.x()), std::round(origin.y()));
    }
    update();
}

QPointF IsoView::toScene(QPointF point) const
{
    return (point - m_origin) / m_scale;
}

QPoint IsoView::toWidget(QPoint scenePoint) const
{
    return (QPointF(scenePoint) * m_scale + m_origin).toPoint();
}

const SceneItem* IsoView::itemAt(QPoint point) const
{
    if (!m_scene) {
        return nullptr;
    }
    const QPointF at = toScene(QPointF(point) + QPointF(0.5, 0.5));
    return m_scene->itemAt(QPoint(int(std::floor(at.x())), int(std::floor(at.y()))), m_filter);
}

QString IsoView::itemText(const SceneItem& item) const
{
    const RecordedItem& recorded = (*m_items)[item.item];
    QString text = plan::itemLine(recorded);
    const QString price = m_priceLookup ? m_priceLookup(recorded.graphic) : QString();
    if (!price.isEmpty()) {
        text += QStringLiteral(", Preis: ") + price;
    }
    return text;
}

void IsoView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_scene) {
        return;
    }
    if (const QImage* picture = cachedPicture()) {
        painter.drawImage(QPointF(m_cacheTopLeft) * m_scale + m_origin, *picture);
        return;
    }
    painter.translate(m_origin);
    painter.scale(m_scale, m_scale);
    // The scene rectangle in view, a pixel more on each side for rounding.
    const QRectF area(toScene(QPointF(0, 0)), toScene(QPointF(width(), height())));
    m_scene->paint(painter, area.toAlignedRect().adjusted(-1, -1, 1, 1), m_filter);
}

const QImage* IsoView::cachedPicture()
{
    if (m_cacheScale != m_scale) {
        m_cacheScale = m_scale;
        m_cache = QImage();
        // The outlines reach a pixel beyond the pictures.
        const QRect area = m_scene->bounds(m_filter).adjusted(-1, -1, 1, 1);
        const double width = std::ceil(area.width() * m_scale) + 1;
        const double height = std::ceil(area.height() * m_scale) + 1;
        if (width * height <= kMaxCachePixels) {
            m_cache = QImage(int(width), int(height), QImage::Format_RGB32);
            m_cache.fill(Qt::black);
            QPainter painter(&m_cache);
            painter.scale(m_scale, m_scale);
            painter.translate(-area.topLeft());
            m_scene->paint(painter, area, m_filter);
            m_cacheTopLeft = area.topLeft();
        }
    }
    return m_cache.isNull() ? nullptr : &m_cache;
}

void IsoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_fitted) {
        fit();
    }
}

void IsoView::clickedAt(QPoint point)
{
    if (const SceneItem* item = itemAt(point)) {
        emit itemClicked(item->item);
    }
}

QString IsoView::toolTipAt(QPoint point) const
{
    const SceneItem* item = itemAt(point);
    return item != nullptr ? itemText(*item) : QString();
}

} // namespace tarvek::iso
