#pragma once

#include <QByteArray>
#include <QString>

class QPageRanges;
class QPagedPaintDevice;

// A report in HTML laid out on pages, each with "Seite n von m" at its foot: the documents of the
// program (the bill, the comparison) as PDF and on paper.
class PagedHtml
{
public:
    // A4 upright with margins of 15 mm.
    static void setA4(QPagedPaintDevice& device);
    // Lays the report out on the pages of `device` as its page layout stands and paints the pages
    // in `ranges` (all when empty), `copies` times each. False when the device cannot be painted
    // on or no chosen page exists.
    static bool paintPages(const QString& html, QPagedPaintDevice& device,
                           const QPageRanges& ranges, int copies, bool collate);
    // The report on A4 as PDF bytes with the given title (empty when it could not be made).
    static QByteArray pdf(const QString& html, const QString& title);
    // Writes the PDF through a temporary file, so that a failed write leaves any old file as it
    // was; throws std::runtime_error with a German message on failure.
    static void writePdf(const QString& path, const QString& html, const QString& title);
};
