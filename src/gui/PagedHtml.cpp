#include "gui/PagedHtml.h"

#include "base/Version.h"
#include "gui/FileWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <stdexcept>

void PagedHtml::setA4(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

bool PagedHtml::paintPages(const QString& html, QPagedPaintDevice& device,
                           const QPageRanges& ranges, int copies, bool collate)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setHtml(html);

    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
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

QByteArray PagedHtml::pdf(const QString& html, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tarvek " TARVEK_VERSION));
        setA4(writer);
        if (!paintPages(html, writer, {}, 1, true)) {
            return {};
        }
    }
    return bytes;
}

void PagedHtml::writePdf(const QString& path, const QString& html, const QString& title)
{
    const QByteArray bytes = pdf(html, title);
    if (bytes.isEmpty()) {
        throw std::runtime_error(FileWriter::cannotCreateText(
                                     path, QStringLiteral("Das PDF konnte nicht erzeugt werden."))
                                     .toStdString());
    }
    FileWriter::writeAll(path, bytes);
}
