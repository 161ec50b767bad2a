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

#include <stdexcept>

bool PagedDocument::paint(QPagedPaintDevice& device) const
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
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
    document.setHtml(m_html);

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
