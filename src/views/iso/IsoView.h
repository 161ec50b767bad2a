#pragma once

#include "views/iso/IsoScene.h"
#include "widgets/PanZoomView.h"

#include <QPointF>

#include <functional>
#include <optional>

namespace tarvek::iso {

// The building as the client draws it, on black, zoomed and panned as a PanZoomView. The
// pointer over an item shows its graphic, place and price as a tool tip; a click reports the
// front-most item whose picture is opaque under the pointer. The whole building is drawn once at
// the scale shown and only moved while panning, unless that picture would be larger than
// kMaxCachePixels; then each paint draws the items in view.
class IsoView : public PanZoomView
{
    Q_OBJECT

public:
    // 64 MB at the most for the picture kept for panning.
    static constexpr double kMaxCachePixels = 16'000'000;

    explicit IsoView(QWidget* parent = nullptr);

    // A new scene (it must outlive the view's use of it) over the run's items; fits it in.
    void setScene(const IsoScene* scene, const std::vector<RecordedItem>* items);
    void setFilter(const SceneFilter& filter);
    const SceneFilter& filter() const { return m_filter; }
    // The price text of a graphic for the tool tip; empty function or text: no price.
    void setPriceLookup(std::function<QString(std::int32_t graphic)> lookup);

    // Shows the whole building, at most at scale 1.
    void fit() override;
    QPoint toWidget(QPoint scenePoint) const;
    // The item drawn at a widget point, if any.
    const SceneItem* itemAt(QPoint point) const;
    // The tool tip of an item: as the item lists write it, with its price.
    QString itemText(const SceneItem& item) const;

signals:
    // A click on an item: its index among the run's items.
    void itemClicked(std::uint32_t item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moved() override { update(); }
    void clickedAt(QPoint point) override;
    QString toolTipAt(QPoint point) const override;

private:
    QPointF toScene(QPointF point) const;
    // The whole building at the scale shown (null when too large), drawn when the scene, the
    // filter or the scale has changed since.
    const QImage* cachedPicture();

    // The picture kept for panning, the scene point of its top-left pixel and its scale.
    QImage m_cache;
    QPoint m_cacheTopLeft;
    std::optional<double> m_cacheScale;

    const IsoScene* m_scene = nullptr;
    const std::vector<RecordedItem>* m_items = nullptr;
    SceneFilter m_filter;
    std::function<QString(std::int32_t)> m_priceLookup;
};

} // namespace tarvek::iso
