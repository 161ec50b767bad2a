#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>

class QFont;
class QPaintDevice;
class QPageRanges;
class QPagedPaintDevice;

// A table of a report laid out to the width of the page: a header row repeated at the top of
// every page, rows never split between pages, numbers never broken. A column of file names is
// shortened in the middle to the room that is left; when the table is still too wide, columns are
// left out in the order given and a line under the table names them.
struct PagedTable
{
    QStringList header;
    QList<QStringList> rows;
    QList<bool> numeric;      // per column: right-aligned and never broken
    int shortenedColumn = -1; // the column shortened in the middle (-1: none)
    QList<int> leaveOutFirst; // the columns that may be left out, the first first
    QString leftOutNote;      // "%1" is the names of the columns left out
};

// An HTML report laid out on pages: A4 with margins of 15 mm for a PDF, "Seite n von m" at the
// foot of every page, Liberation Sans 9 pt. The bill's document and the batch's tables print
// through it.
class PagedDocument
{
public:
    explicit PagedDocument(QString html = QString()) { m_parts.append(std::move(html)); }

    // Adds HTML, or a table laid out to the page, after what is there.
    PagedDocument& add(QString html);
    PagedDocument& add(PagedTable table);
    // An image that the HTML names in <img src="name">.
    PagedDocument& addImage(const QString& name, const QImage& image);
    // The orientation of the pages of paint() and pdf(); portrait unless set.
    PagedDocument& setOrientation(QPageLayout::Orientation orientation);

    // Lays the report out on the pages of `device` as its page layout stands and paints the pages
    // in `ranges` (all when empty), `copies` times each. False when the device cannot be painted
    // on or no chosen page exists.
    bool paintPages(QPagedPaintDevice& device, const QPageRanges& ranges, int copies,
                    bool collate) const;
    // A4 in the document's orientation, all pages once.
    bool paint(QPagedPaintDevice& device) const;
    // The report as PDF bytes with this title (empty when it could not be made).
    QByteArray pdf(const QString& title) const;
    // Writes the PDF through a temporary file, so that a failed write leaves any old file as it
    // was; throws std::runtime_error with a German message on failure.
    void writePdf(const QString& path, const QString& title) const;

    // The report as one HTML text, its tables whole (as the clipboard takes it).
    QString html() const;

private:
    // The HTML with the tables laid out for a page `width` wide on `device` in `font` (without a
    // device: whole).
    QString html(const QFont& font, const QPaintDevice* device, qreal width) const;

    QList<std::variant<QString, PagedTable>> m_parts;
    QList<std::pair<QString, QImage>> m_images;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
};

// A report on the clipboard: as plain text, and as HTML for programs that take tables.
void putOnClipboard(const QString& plainText, const QString& html);
