#pragma once

#include "calc/ItemRecord.h"
#include "calc/RunObserver.h"
#include "views/plan/PlanTiles.h"
#include "widgets/PanZoomView.h"

#include <QPointF>
#include <QRect>

#include <functional>
#include <optional>
#include <vector>

namespace tarvek::plan {

// A line of one of the three item lists: the list and the line's row.
struct ListLine
{
    ResultList list = ResultList::Movable;
    int row = -1;
    bool operator==(const ListLine&) const = default;
};

// The list line an item was written to (items that may not be imported first, then nested
// positions, then graphics not calculated), if any.
std::optional<ListLine> listLineOf(const RecordedItem& item);
// Whether the item belongs to that line.
bool itemHasLine(const RecordedItem& item, const ListLine& line);
// An item as the list of items that may not be imported writes it:
// "D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0".
QString itemLine(const RecordedItem& item);

// The map of a plan: one square per tile, north up (Y grows downward), coloured by category.
// Zoomed and panned as a PanZoomView; shows a tile's items as a tool tip, and reports clicks on
// tiles whose items stand in one of the item lists. Paints only the tiles in view, at whole
// pixels, so that the grid stays crisp at every zoom.
class PlanView : public PanZoomView
{
    Q_OBJECT

public:
    explicit PlanView(QWidget* parent = nullptr);

    // A new plan (the record must outlive the view's use of it) and the tiles of one level.
    void setPlan(const ItemRecord* record, const PlanTiles* tiles);
    // The level's tiles changed; the view keeps its place.
    void setTiles(const PlanTiles* tiles);
    // The price text of a graphic for the tool tip; empty function or text: no price.
    void setPriceLookup(std::function<QString(std::int32_t graphic)> lookup);

    // The colour and name of each category on the map and in the tool tips; empty functions
    // bring back those of the plan (categoryColour, categoryLabel).
    void setCategoryLook(std::function<QColor(ItemCategory)> colour,
                         std::function<QString(ItemCategory)> label);

    // Shows the whole covered rectangle.
    void fit() override;
    // Shows these tiles (item X and Y) as large as they fit; until the user zooms or pans, a new
    // size of the view shows them again.
    void zoomTo(const QRect& tiles);
    // Marks the tiles of the items written to one list line and brings them into view; a row of
    // -1 clears the marks.
    void highlight(const ListLine& line);
    std::vector<const Tile*> highlightedTiles() const;

    // Pixels per tile (a whole number from one up: every square as wide as the next) and the
    // widget position of the covered rectangle's top-left corner: scale() and origin().
    // The covered rectangle's size in pixels at the scale shown.
    QSizeF planSize() const;
    // Shows the covered rectangle from `position` pixels right of (below) its left (top) edge.
    void scrollTo(Qt::Orientation orientation, int position);
    // The widget rectangle of a tile, and the tile painted under a widget point (where squares
    // share a pixel, the one on top).
    QRect tileRect(std::int32_t x, std::int32_t y) const;
    const Tile* tileAt(QPoint point) const;
    // The tool tip text of a tile: its items as the lists write them.
    QString tileText(const Tile& tile) const;

signals:
    void lineChosen(tarvek::plan::ListLine line); // click on a tile
    // Double click on a tile: the line of an item that may not be imported or of a nested item,
    // else the tile's first item as itemLine() writes it.
    void lineOpened(tarvek::plan::ListLine line);
    void itemOpened(const QString& line);
    // The scale or the place of the map changed, or the widget's size.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moved() override { changed(); }
    void clickedAt(QPoint point) override;
    QString toolTipAt(QPoint point) const override;

private:
    void changed();
    void showFitArea();
    double zoomedScale(double wanted) const override;
    std::optional<ListLine> lineOf(const Tile& tile) const;
    // The pixel where the square `tiles` columns (vertical: rows) from the left (top) of the
    // covered rectangle starts, and the pixel after its end.
    int edge(double tiles, bool vertical) const;
    int squareEnd(double tiles, bool vertical) const;
    // Of `count` columns (rows): the last whose square starts at or before the pixel (-1: none),
    // and the first whose square ends after it (count: none). The squares covering the pixel are
    // those from the second to the first.
    std::int64_t lastStartingBy(int pixel, bool vertical, std::int64_t count) const;
    std::int64_t firstEndingAfter(int pixel, bool vertical, std::int64_t count) const;

    const ItemRecord* m_record = nullptr;
    const PlanTiles* m_tiles = nullptr;
    std::function<QString(std::int32_t)> m_priceLookup;
    std::function<QColor(ItemCategory)> m_colour;
    std::function<QString(ItemCategory)> m_label;
    std::optional<QRect> m_fitArea; // what the last fit showed (none: the whole plan)
    ListLine m_highlight;
};

} // namespace tarvek::plan
