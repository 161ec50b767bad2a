#include "views/plan/PlanPicture.h"

#include "gui/FileWriter.h"
#include "gui/Fonts.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace tarvek::plan {
namespace {

struct CategoryLook
{
    QRgb colour;
    const char* label;
};

// Indexed by ItemCategory.
constexpr std::array<CategoryLook, kItemCategoryCount> kLooks{{
    {0xFF0000, "Darf nicht importiert werden"},
    {0xFF00FF, "Spawn"},
    {0xFF8000, "Ineinanderliegend"},
    {0xFFFF00, "Nicht berechnet"},
    {0x404040, "Bauzonenrand"},
    {0x2E8B57, "Berechnet (NHZ)"},
    {0x4169E1, "Berechnet (HZ)"},
    {0xA0A0A0, "Ausgenommen"},
}};

constexpr int kLegendSwatch = 12;
constexpr int kLegendRow = 18;
// The largest plan drawn as a PNG picture: beyond it the picture would take gigabytes.
constexpr std::int64_t kMaxSide = 2000;
constexpr std::int64_t kMaxTiles = 250000;
// The largest page side every PDF reader shows: 200 inches.
constexpr double kMaxPdfPoints = 14400;

QFont legendFont()
{
    return Fonts::sansSerif(11);
}

} // namespace

QColor categoryColour(ItemCategory category)
{
    return QColor::fromRgb(kLooks[static_cast<std::size_t>(category)].colour);
}

QString categoryLabel(ItemCategory category)
{
    return QString::fromUtf8(kLooks[static_cast<std::size_t>(category)].label);
}

PlanLook PlanLook::complete() const
{
    PlanLook look = *this;
    if (!look.colour) {
        look.colour = categoryColour;
    }
    if (!look.label) {
        look.label = categoryLabel;
    }
    if (look.legend.empty()) {
        for (int category = 0; category < kItemCategoryCount; ++category) {
            look.legend.push_back(ItemCategory(category));
        }
    }
    return look;
}

QSize legendSize(const PlanLook& given)
{
    const PlanLook look = given.complete();
    const QFontMetrics metrics(legendFont());
    int width = 0;
    for (const ItemCategory category : look.legend) {
        width = std::max(width, metrics.horizontalAdvance(look.label(category)));
    }
    return {kLegendSwatch + 6 + width, kLegendRow * int(look.legend.size())};
}

void paintLegend(QPainter& painter, QPoint topLeft, const PlanLook& given)
{
    const PlanLook look = given.complete();
    painter.save();
    painter.setFont(legendFont());
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    for (std::size_t row = 0; row < look.legend.size(); ++row) {
        const int top = topLeft.y() + int(row) * kLegendRow;
        painter.fillRect(topLeft.x(), top, kLegendSwatch, kLegendSwatch,
                         look.colour(look.legend[row]));
        painter.drawText(topLeft.x() + kLegendSwatch + 6,
                         top + (kLegendSwatch + metrics.ascent() - metrics.descent()) / 2,
                         look.label(look.legend[row]));
    }
    painter.restore();
}

QString squareStepsText(const ItemRecord& record)
{
    return QStringLiteral("%1 QS (%2 x %3)")
        .arg(record.squareSteps())
        .arg(std::int64_t{record.maxX()} - record.minX() + 1)
        .arg(std::int64_t{record.maxY()} - record.minY() + 1);
}

PlanPicture::PlanPicture(const ItemRecord& record, const PlanTiles& tiles, QString levelText,
                         const PlanLook& look)
    : m_record(record), m_tiles(tiles), m_levelText(std::move(levelText)), m_look(look.complete()),
      m_columns(std::max<std::int64_t>(0, std::int64_t{record.maxX()} - record.minX() + 1)),
      m_rows(std::max<std::int64_t>(0, std::int64_t{record.maxY()} - record.minY() + 1))
{}

QSize PlanPicture::size() const
{
    const QSize legend = legendSize(m_look);
    const int mapWidth = int(m_columns) * kTile;
    const int mapHeight = int(m_rows) * kTile;
    const int textWidth = QFontMetrics(legendFont()).horizontalAdvance(squareStepsText(m_record));
    const int width = kMargin + mapWidth + kMargin + std::max(legend.width(), textWidth) + kMargin;
    const int height =
        std::max(kMargin + mapHeight + kMargin, kMargin + 2 * kLegendRow + legend.height());
    return {width, height};
}

void PlanPicture::paint(QPainter& painter) const
{
    const QSize whole = size();
    painter.fillRect(0, 0, whole.width(), whole.height(), Qt::white);
    for (const Tile& tile : m_tiles.tiles()) {
        const std::int64_t column = std::int64_t{tile.x} - m_record.minX();
        const std::int64_t row = std::int64_t{tile.y} - m_record.minY();
        painter.fillRect(int(kMargin + kTile * column + kInset),
                         int(kMargin + kTile * row + kInset), kTile - 2 * kInset,
                         kTile - 2 * kInset, m_look.colour(tile.category));
    }
    // The covered rectangle, one pixel outside the tiles.
    const int mapWidth = int(m_columns) * kTile;
    const int mapHeight = int(m_rows) * kTile;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kMargin - 1, kMargin - 1, mapWidth + 1, mapHeight + 1);

    const int left = kMargin + mapWidth + kMargin;
    painter.setFont(legendFont());
    const QFontMetrics metrics(painter.font());
    painter.drawText(left, kMargin + metrics.ascent(), squareStepsText(m_record));
    painter.drawText(left, kMargin + kLegendRow + metrics.ascent(), m_levelText);
    paintLegend(painter, {left, kMargin + 2 * kLegendRow}, m_look);
}

void PlanPicture::checkSize() const
{
    if (m_columns > kMaxSide || m_rows > kMaxSide || m_columns * m_rows > kMaxTiles) {
        throw std::runtime_error(
            QStringLiteral("Der Grundriss ist mit %1 x %2 Feldern zu groß für ein Bild.")
                .arg(m_columns)
                .arg(m_rows)
                .toStdString());
    }
}

QImage PlanPicture::image() const
{
    checkSize();
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::runtime_error("Für das Bild des Grundrisses fehlt der Speicher.");
    }
    QPainter painter(&image);
    paint(painter);
    return image;
}

QByteArray PlanPicture::png() const
{
    const QImage image = this->image();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw std::runtime_error("Das Bild des Grundrisses kann nicht erzeugt werden.");
    }
    return bytes;
}

QByteArray PlanPicture::pdf() const
{
    checkSize();
    const QSize whole = size();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Grundriss"));
        writer.setCreator(QStringLiteral("Tarvek 2.4"));
        // The painter draws in the picture's pixels: 72 of them an inch, or more where the page
        // would grow beyond the largest.
        const int resolution = std::max(
            72, int(std::ceil(72 * std::max(whole.width(), whole.height()) / kMaxPdfPoints)));
        writer.setResolution(resolution);
        const QSizeF points = QSizeF(whole) * 72 / resolution;
        writer.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
        QPainter painter(&writer);
        if (!painter.isActive()) {
            throw std::runtime_error("Das PDF-Dokument des Grundrisses kann nicht erzeugt werden.");
        }
        paint(painter);
    }
    return bytes;
}

void PlanPicture::save(const QString& path, Format format) const
{
    FileWriter::writeAll(path, format == Format::Pdf ? pdf() : png());
}

} // namespace tarvek::plan
