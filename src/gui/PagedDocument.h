#pragma once

#include <QByteArray>
#include <QString>

class QPageRanges;
class QPagedPaintDevice;

// An HTML report laid out on pages: A4 with margins of 15 mm for a PDF, "Seite n von m" at the
// foot of every page, Liberation Sans 9 pt. The bill's document and the batch's tables print
// through it.
class PagedDocument
{
public:
    explicit PagedDocument(QString html) : m_html(std::move(html)) {}

    // Lays the report out on the pages of `device` as its page layout stands and paints the pages
    // in `ranges` (all when empty), `copies` times each. False when the device cannot be painted
    // on or no chosen page exists.
    bool paintPages(QPagedPaintDevice& device, const QPageRanges& ranges, int copies,
                    bool collate) const;
    // A4 portrait, all pages once.
    bool paint(QPagedPaintDevice& device) const;
    // The report as PDF bytes with this title (empty when it could not be made).
    QByteArray pdf(const QString& title) const;
    // Writes the PDF through a temporary file, so that a failed write leaves any old file as it
    // was; throws std::runtime_error with a German message on failure.
    void writePdf(const QString& path, const QString& title) const;

private:
    QString m_html;
};

// A report on the clipboard: as plain text, and as HTML for programs that take tables.
void putOnClipboard(const QString& plainText, const QString& html);
