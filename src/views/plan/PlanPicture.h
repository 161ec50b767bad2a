#pragma once

#include "calc/ItemRecord.h"
#include "views/plan/PlanTiles.h"

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

class QPainter;

namespace tarvek::plan {

// The colour of a category (the same in the window and in the pictures) and its German name.
QColor categoryColour(ItemCategory category);
QString categoryLabel(ItemCategory category);

// The legend: a square of each category's colour with its name, most important first.
QSize legendSize();
void paintLegend(QPainter& painter, QPoint topLeft);

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

    PlanPicture(const ItemRecord& record, const PlanTiles& tiles, QString levelText);

    // The size of the whole picture; paint() draws it. Both only for plans that png() accepts.
    QSize size() const;
    void paint(QPainter& painter) const;

    // The picture as PNG bytes, or as a PDF document of one page of the picture's size (one
    // pixel a point while the page stays within what every PDF reader shows), drawn as vectors.
    // A plan too large for a picture throws std::runtime_error with a German message.
    QByteArray png() const;
    QByteArray pdf() const;
    // Writes the picture to a file through a temporary file; a failure throws
    // std::runtime_error with a German message.
    void save(const QString& path, Format format) const;

private:
    void checkSize() const;

    const ItemRecord& m_record;
    const PlanTiles& m_tiles;
    const QString m_levelText;
    std::int64_t m_columns = 0;
    std::int64_t m_rows = 0;
};

} // namespace tarvek::plan
