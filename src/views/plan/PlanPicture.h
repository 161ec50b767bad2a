#pragma once

#include "calc/ItemRecord.h"
#include "views/plan/PlanTiles.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace tarvek::plan {

// The colour of a category (the same in the window and in the pictures) and its German name.
QColor categoryColour(ItemCategory category);
QString categoryLabel(ItemCategory category);

// How a map shows the categories: their colours and names, and those its legend names, in order.
// What is not set is the plan's own: categoryColour, categoryLabel, every category.
struct PlanLook
{
    std::function<QColor(ItemCategory)> colour;
    std::function<QString(ItemCategory)> label;
    std::vector<ItemCategory> legend;
    PlanLook complete() const;
};

// The legend: a square of each category's colour with its name, most important first.
QSize legendSize(const PlanLook& look = {});
void paintLegend(QPainter& painter, QPoint topLeft, const PlanLook& look = {});

// "460 QS (23 x 20)": the square steps of phase 4 with the sides of the covered rectangle.
QString squareStepsText(const ItemRecord& record);

// The fixed picture of the plan: 16 pixels per tile; the tile (X, Y) is the square whose top-left
// pixel is (16 + 16 (X - smallest X), 16 + 16 (Y - smallest Y)) with the smallest X and Y of
// phase 3, its inner 12 x 12 pixels filled with the colour of its category, empty tiles white.
// The covered rectangle is outlined just outside the tiles; the square steps, the level shown and
// the legend stand to the right of the map.
class PlanPicture
{
public:
    static constexpr int kTile = 16;
    static constexpr int kInset = 2;
    static constexpr int kMargin = 16;

    enum class Format
    {
        Png,
        Pdf
    };

    PlanPicture(const ItemRecord& record, const PlanTiles& tiles, QString levelText,
                const PlanLook& look = {});

    // The size of the whole picture; paint() draws it. Both only for plans that png() accepts.
    QSize size() const;
    void paint(QPainter& painter) const;

    // The picture as PNG bytes, or as a PDF document of one page of the picture's size (one
    // pixel a point while the page stays within what every PDF reader shows), drawn as vectors.
    // A plan too large for a picture throws std::runtime_error with a German message.
    QByteArray png() const;
    // The picture as an image, for a document.
    QImage image() const;
    QByteArray pdf() const;
    // Writes the picture to a file through a temporary file; a failure throws
    // std::runtime_error with a German message.
    void save(const QString& path, Format format) const;

private:
    void checkSize() const;

    const ItemRecord& m_record;
    const PlanTiles& m_tiles;
    const QString m_levelText;
    const PlanLook m_look;
    std::int64_t m_columns = 0;
    std::int64_t m_rows = 0;
};

} // namespace tarvek::plan
