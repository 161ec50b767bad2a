#include "views/plan/PlanView.h"

#include "base/AsciiCase.h"
#include "pricing/GraphicKey.h"
#include "views/plan/PlanPicture.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace tarvek::plan {
namespace {

constexpr double kMinScale = 1.0 / 64;
constexpr double kMaxScale = 64;
constexpr int kFitMargin = 24;
constexpr int kMaxToolTipItems = 12;
const QColor kOutside(0xD8, 0xD8, 0xD8);
const QColor kGrid(0xE4, 0xE4, 0xE4);

std::int64_t columnsOf(const ItemRecord& record)
{
    return std::max<std::int64_t>(1, std::int64_t{record.maxX()} - record.minX() + 1);
}
std::int64_t rowsOf(const ItemRecord& record)
{
    return std::max<std::int64_t>(1, std::int64_t{record.maxY()} - record.minY() + 1);
}

// A scale of a pixel or more is a whole number of pixels, so that every square is as wide as the
// next at every zoom; `wanted` rounded down (to fit) or to the nearest (to zoom), and never back
// to `from` when the zoom asked for a change.
double wholeScale(double wanted, double from, bool down)
{
    wanted = std::clamp(wanted, kMinScale, kMaxScale);
    if (wanted < 1) {
        return wanted;
    }
    double whole = down ? std::floor(wanted) : std::round(wanted);
    if (!down && whole == from && wanted != from) {
        whole += wanted > from ? 1 : -1;
    }
    return std::clamp(whole, 1.0, kMaxScale);
}

// Tiles are painted the less important first, row by row within a category, so that where
// squares share a pixel (below one pixel a tile) an item to check stays on top. The greater
// order is painted later.
std::tuple<int, std::int32_t, std::int32_t> paintOrder(const Tile& tile)
{
    return {-int(tile.category), tile.y, tile.x};
}

} // namespace

std::optional<ListLine> listLineOf(const RecordedItem& item)
{
    if (item.movableLine >= 0) {
        return ListLine{ResultList::Movable, item.movableLine};
    }
    if (item.nestedLine >= 0) {
        return ListLine{ResultList::Nested, item.nestedLine};
    }
    if (item.notCalculatedLine >= 0) {
        return ListLine{ResultList::NotCalculated, item.notCalculatedLine};
    }
    return std::nullopt;
}

QString itemLine(const RecordedItem& item)
{
    return QStringLiteral("D:%1, H:%2, Pos. X:%3, Y:%4, Z:%5")
        .arg(item.graphic)
        .arg(QString::fromStdString(asciiLower(graphicKey(item.graphic))))
        .arg(item.x)
        .arg(item.y)
        .arg(item.z);
}

bool itemHasLine(const RecordedItem& item, const ListLine& line)
{
    switch (line.list) {
    case ResultList::Movable:
        return item.movableLine >= 0 && line.row >= item.movableLine &&
               line.row < item.movableLine + item.movableLines;
    case ResultList::Nested:
        return item.nestedLine >= 0 && line.row == item.nestedLine;
    case ResultList::NotCalculated:
        return item.notCalculatedLine >= 0 && line.row == item.notCalculatedLine;
    default:
        return false;
    }
}

PlanView::PlanView(QWidget* parent) : PanZoomView(parent, 16, kMinScale, kMaxScale)
{
    setObjectName(QStringLiteral("PlanAnsicht"));
    setAccessibleName(QStringLiteral("Grundriss des Gebäudes"));
}

void PlanView::setPlan(const ItemRecord* record, const PlanTiles* tiles)
{
    m_record = record;
    m_highlight = {};
    setTiles(tiles);
    fit();
}

void PlanView::setTiles(const PlanTiles* tiles)
{
    m_tiles = tiles;
    update();
}

void PlanView::setPriceLookup(std::function<QString(std::int32_t)> lookup)
{
    m_priceLookup = std::move(lookup);
}

void PlanView::setCategoryLook(std::function<QColor(ItemCategory)> colour,
                               std::function<QString(ItemCategory)> label)
{
    m_colour = std::move(colour);
    m_label = std::move(label);
    update();
}

int PlanView::edge(double tiles, bool vertical) const
{
    const double at = (vertical ? m_origin.y() : m_origin.x()) + tiles * m_scale;
    return int(std::floor(std::clamp(at, -1e8, 1e8) + 0.5));
}

int PlanView::squareEnd(double tiles, bool vertical) const
{
    // At least one pixel, however far out the view is zoomed.
    return std::max(edge(tiles + 1, vertical), edge(tiles, vertical) + 1);
}

std::int64_t PlanView::lastStartingBy(int pixel, bool vertical, std::int64_t count) const
{
    const double origin = vertical ? m_origin.y() : m_origin.x();
    // edge(c) <= pixel holds for c below (pixel + 0.5 - origin) / scale: a guess within a step.
    const double guess = std::floor((pixel + 0.5 - origin) / m_scale);
    auto c = std::int64_t(std::clamp(guess, -1.0, double(count - 1)));
    while (c >= 0 && edge(double(c), vertical) > pixel) {
        --c;
    }
    while (c + 1 < count && edge(double(c + 1), vertical) <= pixel) {
        ++c;
    }
    return c;
}

std::int64_t PlanView::firstEndingAfter(int pixel, bool vertical, std::int64_t count) const
{
    std::int64_t c = lastStartingBy(pixel, vertical, count) + 1;
    while (c > 0 && squareEnd(double(c - 1), vertical) > pixel) {
        --c;
    }
    return c;
}

QRect PlanView::tileRect(std::int32_t x, std::int32_t y) const
{
    const double column = double(std::int64_t{x} - (m_record ? m_record->minX() : 0));
    const double row = double(std::int64_t{y} - (m_record ? m_record->minY() : 0));
    const int left = edge(column, false);
    const int top = edge(row, true);
    return {left, top, squareEnd(column, false) - left, squareEnd(row, true) - top};
}

const Tile* PlanView::tileAt(QPoint point) const
{
    if (!m_record || !m_tiles) {
        return nullptr;
    }
    // Below one pixel a tile several squares share a pixel: the one painted last shows.
    const std::int64_t columns = columnsOf(*m_record);
    const std::int64_t rows = rowsOf(*m_record);
    const TileRange under{
        std::int32_t(m_record->minX() + firstEndingAfter(point.x(), false, columns)),
        std::int32_t(m_record->minY() + firstEndingAfter(point.y(), true, rows)),
        std::int32_t(m_record->minX() + lastStartingBy(point.x(), false, columns)),
        std::int32_t(m_record->minY() + lastStartingBy(point.y(), true, rows))};
    const Tile* top = nullptr;
    m_tiles->forEachIn(under, [&top](const Tile& tile) {
        if (top == nullptr || paintOrder(tile) > paintOrder(*top)) {
            top = &tile;
        }
    });
    return top;
}

QString PlanView::tileText(const Tile& tile) const
{
    QStringList lines;
    const auto indexes = m_tiles->itemsOf(tile);
    for (std::size_t k = 0; k < indexes.size() && k < kMaxToolTipItems; ++k) {
        const RecordedItem& item = m_record->items()[indexes[k]];
        QString line = itemLine(item);
        const QString price = m_priceLookup ? m_priceLookup(item.graphic) : QString();
        if (!price.isEmpty()) {
            line += QStringLiteral(", Preis: ") + price;
        }
        const ItemCategory category = *item.category();
        lines << line + QStringLiteral(" (") +
                     (m_label ? m_label(category) : categoryLabel(category)) + u')';
    }
    if (indexes.size() > kMaxToolTipItems) {
        lines << QStringLiteral("... und %1 weitere").arg(indexes.size() - kMaxToolTipItems);
    }
    return lines.join(u'\n');
}

void PlanView::fit()
{
    m_fitArea.reset();
    showFitArea();
}

void PlanView::zoomTo(const QRect& tiles)
{
    m_fitArea = tiles;
    showFitArea();
}

void PlanView::showFitArea()
{
    m_fitted = true;
    if (!m_record) {
        changed();
        return;
    }
    // In columns and rows of the covered rectangle.
    const QRectF area = m_fitArea
                            ? QRectF(double(std::int64_t{m_fitArea->left()} - m_record->minX()),
                                     double(std::int64_t{m_fitArea->top()} - m_record->minY()),
                                     m_fitArea->width(), m_fitArea->height())
                            : QRectF(0, 0, double(columnsOf(*m_record)), double(rowsOf(*m_record)));
    const double room = std::max(1, width() - 2 * kFitMargin);
    const double roomHigh = std::max(1, height() - 2 * kFitMargin);
    m_scale = wholeScale(std::min(room / area.width(), roomHigh / area.height()), m_scale, true);
    m_origin = QPointF(width() / 2.0, height() / 2.0) - area.center() * m_scale;
    changed();
}

void PlanView::highlight(const ListLine& line)
{
    m_highlight = line;
    const std::vector<const Tile*> tiles = highlightedTiles();
    if (!tiles.empty()) {
        const bool anyInView = std::any_of(tiles.begin(), tiles.end(), [this](const Tile* tile) {
            return rect().intersects(tileRect(tile->x, tile->y));
        });
        if (!anyInView) {
            m_origin += QPointF(rect().center() - tileRect(tiles[0]->x, tiles[0]->y).center());
            m_fitted = false;
        }
    }
    changed();
}

std::vector<const Tile*> PlanView::highlightedTiles() const
{
    std::vector<const Tile*> found;
    if (!m_record || !m_tiles || m_highlight.row < 0) {
        return found;
    }
    for (const Tile& tile : m_tiles->tiles()) {
        for (const std::uint32_t index : m_tiles->itemsOf(tile)) {
            if (itemHasLine(m_record->items()[index], m_highlight)) {
                found.push_back(&tile);
                break;
            }
        }
    }
    return found;
}

void PlanView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), kOutside);
    if (!m_record || !m_tiles) {
        return;
    }
    const std::int64_t columns = columnsOf(*m_record);
    const std::int64_t rows = rowsOf(*m_record);
    // Up to the end of the last squares, which take a pixel even where they share it.
    const QRect covered(
        QPoint(edge(0, false), edge(0, true)),
        QPoint(squareEnd(double(columns - 1), false) - 1, squareEnd(double(rows - 1), true) - 1));
    const QRect inView = covered & rect();
    painter.fillRect(inView, Qt::white);

    // The tiles in view, and the grid when the squares are large enough to tell apart.
    const std::int64_t firstColumn = firstEndingAfter(0, false, columns);
    const std::int64_t firstRow = firstEndingAfter(0, true, rows);
    const std::int64_t lastColumn = lastStartingBy(width() - 1, false, columns);
    const std::int64_t lastRow = lastStartingBy(height() - 1, true, rows);
    if (m_scale >= 6 && !inView.isEmpty()) {
        painter.setPen(kGrid);
        for (std::int64_t c = firstColumn; c <= lastColumn + 1; ++c) {
            const int x = edge(double(c), false);
            painter.drawLine(x, inView.top(), x, inView.bottom());
        }
        for (std::int64_t r = firstRow; r <= lastRow + 1; ++r) {
            const int y = edge(double(r), true);
            painter.drawLine(inView.left(), y, inView.right(), y);
        }
    }
    QFont countFont = font();
    countFont.setPixelSize(std::clamp(int(m_scale / 3), 7, 12));
    painter.setFont(countFont);
    const TileRange range{
        std::int32_t(m_record->minX() + firstColumn), std::int32_t(m_record->minY() + firstRow),
        std::int32_t(m_record->minX() + lastColumn), std::int32_t(m_record->minY() + lastRow)};
    // In paint order: category after category, the least important first.
    std::array<std::vector<const Tile*>, kItemCategoryCount> byCategory;
    m_tiles->forEachIn(range, [&byCategory](const Tile& tile) {
        byCategory[std::size_t(tile.category)].push_back(&tile);
    });
    for (auto category = byCategory.rbegin(); category != byCategory.rend(); ++category) {
        for (const Tile* tile : *category) {
            const QRect square = tileRect(tile->x, tile->y);
            const int inset = square.width() >= 6 ? square.width() / 8 : 0;
            const QColor colour =
                m_colour ? m_colour(tile->category) : categoryColour(tile->category);
            painter.fillRect(square.adjusted(inset, inset, -inset, -inset), colour);
            if (tile->count > 1 && square.width() >= 14) {
                painter.setPen(colour.lightness() < 128 ? Qt::white : Qt::black);
                painter.drawText(square.adjusted(inset, inset, -inset - 1, -inset),
                                 Qt::AlignRight | Qt::AlignBottom, QString::number(tile->count));
            }
        }
    }
    for (const Tile* tile : highlightedTiles()) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(tileRect(tile->x, tile->y).adjusted(1, 1, -1, -1));
    }

    // The covered rectangle of phases 3 and 4, with its square steps above it.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(covered.adjusted(-1, -1, 0, 0));
    painter.setFont(font());
    painter.drawText(covered.left(), covered.top() - 6, squareStepsText(*m_record));
}

void PlanView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_fitted) {
        showFitArea();
    } else {
        emit viewChanged();
    }
}

void PlanView::changed()
{
    update();
    emit viewChanged();
}

QSizeF PlanView::planSize() const
{
    if (!m_record) {
        return {};
    }
    return {double(columnsOf(*m_record)) * m_scale, double(rowsOf(*m_record)) * m_scale};
}

void PlanView::scrollTo(Qt::Orientation orientation, int position)
{
    if (orientation == Qt::Horizontal) {
        m_origin.setX(-position);
    } else {
        m_origin.setY(-position);
    }
    m_fitted = false;
    changed();
}

double PlanView::zoomedScale(double wanted) const
{
    return wholeScale(wanted, m_scale, false);
}

void PlanView::clickedAt(QPoint point)
{
    if (const Tile* tile = tileAt(point)) {
        if (const auto line = lineOf(*tile)) {
            emit lineChosen(*line);
        }
    }
}

QString PlanView::toolTipAt(QPoint point) const
{
    const Tile* tile = tileAt(point);
    return tile != nullptr ? tileText(*tile) : QString();
}

void PlanView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Tile* tile =
        event->button() == Qt::LeftButton ? tileAt(event->position().toPoint()) : nullptr;
    if (tile == nullptr) {
        return;
    }
    // Items that may not be imported and nested items open in the view of their list; every
    // other item (the view of items not calculated has no place) in the view with its place.
    const auto line = lineOf(*tile);
    if (line && line->list != ResultList::NotCalculated) {
        emit lineOpened(*line);
    } else {
        emit itemOpened(itemLine(m_record->items()[m_tiles->itemsOf(*tile)[0]]));
    }
}

std::optional<ListLine> PlanView::lineOf(const Tile& tile) const
{
    for (const std::uint32_t index : m_tiles->itemsOf(tile)) {
        if (const auto line = listLineOf(m_record->items()[index])) {
            return line;
        }
    }
    return std::nullopt;
}

} // namespace tarvek::plan
