#include "gui/PagedDocument.h"

#include "base/Version.h"
#include "gui/FileWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

// The padding of a table's cells, in pixels of 96 per inch as the document counts them.
constexpr int kCellPadding = 2;

// How wide `text` needs its column: its widest word, or all of it when it may not be broken.
qreal neededWidth(const QFontMetricsF& metrics, const QString& text, bool whole)
{
    if (whole) {
        return metrics.horizontalAdvance(text);
    }
    qreal widest = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
}

// The table with these columns, each of its share of the width in per cent (`widths`, none: as
// the text wants); `shorten` (when set) shortens the cells of the shortened column.
QString tableHtml(const PagedTable& table, const QList<int>& columns, const QList<qreal>& widths,
                  const std::function<QString(const QString&)>& shorten)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"%1\"%2>"
                                  "<thead><tr>")
                       .arg(kCellPadding)
                       .arg(widths.isEmpty() ? QString() : QStringLiteral(" width=\"100%\""));
    for (qsizetype at = 0; at < columns.size(); ++at) {
        html +=
            (widths.isEmpty() ? QStringLiteral("<th>")
                              : QStringLiteral("<th width=\"%1%\">").arg(widths[at], 0, 'f', 2)) +
            table.header.value(columns[at]).toHtmlEscaped() + QStringLiteral("</th>");
    }
    html += QStringLiteral("</tr></thead>");
    for (const QStringList& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (const int column : columns) {
            QString cell = row.value(column);
            if (column == table.shortenedColumn && shorten) {
                cell = shorten(cell);
            }
            html += table.numeric.value(column) || column == table.shortenedColumn
                        ? QStringLiteral("<td align=\"%1\" style=\"white-space:nowrap\">")
                              .arg(table.numeric.value(column) ? QStringLiteral("right")
                                                               : QStringLiteral("left"))
                        : QStringLiteral("<td>");
            html += cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    if (columns.size() < table.header.size() && !table.leftOutNote.isEmpty()) {
        QStringList names;
        for (qsizetype column = 0; column < table.header.size(); ++column) {
            if (!columns.contains(column)) {
                names.append(table.header[column]);
            }
        }
        html += QStringLiteral("<p>") +
                table.leftOutNote.arg(names.join(QStringLiteral(", "))).toHtmlEscaped() +
                QStringLiteral("</p>");
    }
    return html;
}

// The table laid out for a page `width` wide. Every column gets at least its widest word (its
// whole text when it may not be broken); while that is more than the page, columns are left out.
// What is left goes to the columns whose text wraps or is shortened, up to their whole text; a
// shortened cell is shortened to its column.
QString fittedTableHtml(const PagedTable& table, const QFont& font, const QPaintDevice* device,
                        qreal width)
{
    const QFontMetricsF metrics(font, device);
    QFont boldFont(font);
    boldFont.setBold(true);
    const QFontMetricsF bold(boldFont, device);
    const qreal scale = device->logicalDpiX() / 96.0;
    // Padding and border of a cell; some room spare for the layout's rounding.
    const qreal overhead = (2 * kCellPadding + 2) * scale;
    const qreal room = width * 0.97 - 2 * scale;
    // A word longer than a quarter of the page breaks anyway; it leaves no column out.
    const qreal longest = room / 4;
    QList<qreal> needed; // the least width of each column
    QList<qreal> whole;  // the width of its longest text on one line
    QList<int> columns;
    for (int column = 0; column < table.header.size(); ++column) {
        const bool numeric = table.numeric.value(column);
        const bool shortened = column == table.shortenedColumn;
        qreal need = neededWidth(bold, table.header[column], false);
        qreal full = need;
        for (const QStringList& row : table.rows) {
            const QString& cell = row.value(column);
            full = std::max(full, metrics.horizontalAdvance(cell));
            if (!shortened) {
                need = std::max(need, std::min(longest, neededWidth(metrics, cell, numeric)));
            }
        }
        if (shortened) {
            need += metrics.horizontalAdvance(QString(16, u'x'));
        }
        needed.append(need + overhead);
        whole.append(numeric ? need + overhead : std::max(need, full) + overhead);
        columns.append(column);
    }
    const auto sum = [&columns](const QList<qreal>& widths) {
        qreal total = 0;
        for (const int column : columns) {
            total += widths[column];
        }
        return total;
    };
    for (const int column : table.leaveOutFirst) {
        if (sum(needed) <= room) {
            break;
        }
        columns.removeOne(column);
    }
    // Shares of what is left, until every column has its whole text or nothing is left.
    QList<qreal> given = needed;
    for (qreal left = room - sum(given); left > 1;) {
        QList<int> growing;
        for (const int column : columns) {
            if (given[column] < whole[column]) {
                growing.append(column);
            }
        }
        if (growing.isEmpty()) {
            break;
        }
        const qreal share = left / qreal(growing.size());
        for (const int column : growing) {
            const qreal more = std::min(share, whole[column] - given[column]);
            given[column] += more;
            left -= more;
        }
    }
    QList<qreal> percent;
    const qreal total = sum(given);
    for (const int column : columns) {
        percent.append(100 * given[column] / total);
    }
    std::function<QString(const QString&)> shorten;
    if (columns.contains(table.shortenedColumn)) {
        // The share of the page the column gets, less its padding.
        const qreal cellWidth =
            given[table.shortenedColumn] * std::max(room, total) / total - overhead;
        shorten = [&metrics, cellWidth](const QString& text) {
            return metrics.elidedText(text, Qt::ElideMiddle, cellWidth);
        };
    }
    return tableHtml(table, columns, percent, shorten);
}

} // namespace

PagedDocument& PagedDocument::add(QString html)
{
    m_parts.append(std::move(html));
    return *this;
}

PagedDocument& PagedDocument::add(PagedTable table)
{
    m_parts.append(std::move(table));
    return *this;
}

PagedDocument& PagedDocument::addImage(const QString& name, const QImage& image)
{
    m_images.append({name, image});
    return *this;
}

PagedDocument& PagedDocument::setOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
    return *this;
}

QString PagedDocument::html() const
{
    return html(QFont(), nullptr, 0);
}

QString PagedDocument::html(const QFont& font, const QPaintDevice* device, qreal width) const
{
    QString html;
    for (const auto& part : m_parts) {
        const auto* table = std::get_if<PagedTable>(&part);
        if (table == nullptr) {
            html += std::get<QString>(part);
        } else if (device != nullptr) {
            html += fittedTableHtml(*table, font, device, width);
        } else {
            QList<int> columns;
            for (int column = 0; column < table->header.size(); ++column) {
                columns.append(column);
            }
            html += tableHtml(*table, columns, {}, {});
        }
    }
    return html;
}

bool PagedDocument::paint(QPagedPaintDevice& device) const
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), m_orientation,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    return paintPages(device, {}, 1, true);
}

bool PagedDocument::paintPages(QPagedPaintDevice& device, const QPageRanges& ranges, int copies,
                               bool collate) const
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    for (const auto& [name, image] : m_images) {
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    document.setHtml(html(font, &device, area.width()));

    const QFontMetricsF metrics(font, &device);
    const qreal footer = metrics.height() * 2;
    const QSizeF body(area.width(), area.height() - footer);
    document.setPageSize(body);
    const int pages = document.pageCount();
    QList<int> wanted; // page numbers from 1, in the order they come out
    for (int copy = 0; copy < (collate ? copies : 1); ++copy) {
        for (int page = 1; page <= pages; ++page) {
            if (ranges.isEmpty() || ranges.contains(page)) {
                wanted.append(QList<int>(collate ? 1 : copies, page));
            }
        }
    }
    QPainter painter;
    if (wanted.isEmpty() || !painter.begin(&device)) {
        return false;
    }
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const int page = wanted[i] - 1;
        if (i > 0) {
            device.newPage();
        }
        painter.save();
        painter.translate(0, -page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(font);
        painter.drawText(QRectF(0, body.height(), body.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

QByteArray PagedDocument::pdf(const QString& title) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tarvek " TARVEK_VERSION));
        if (!paint(writer)) {
            return {};
        }
    }
    return bytes;
}

void PagedDocument::writePdf(const QString& path, const QString& title) const
{
    const QByteArray bytes = pdf(title);
    if (bytes.isEmpty()) {
        throw std::runtime_error(FileWriter::cannotCreateText(
                                     path, QStringLiteral("Das PDF konnte nicht erzeugt werden."))
                                     .toStdString());
    }
    FileWriter::writeAll(path, bytes);
}

void putOnClipboard(const QString& plainText, const QString& html)
{
    auto* mime = new QMimeData;
    mime->setText(plainText);
    mime->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(mime);
}
