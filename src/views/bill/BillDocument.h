#pragma once

#include "views/bill/BillData.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QPrinter;

// The bill as a document: the whole report (import file, date and time, counts, the warnings and
// the item lists, the bill and the cost breakdown) for saving as PDF and printing, and the bill
// with the breakdown for the clipboard. The window and the command line use the same builder.
class BillDocument
{
public:
    explicit BillDocument(BillData data);

    // The whole report as HTML for QTextDocument.
    QString html() const;
    // The bill and the breakdown in fixed columns, and as HTML tables.
    QString plainText() const;
    QString tablesHtml() const;

    // Lays the report out on A4 pages of `device` and paints them, each with "Seite n von m" at
    // its foot. False when the device cannot be painted on.
    bool paint(QPagedPaintDevice& device) const;
    // The same on `printer` as its print dialog set it up: its paper, orientation and margins,
    // the chosen pages, and the copies (collated or not) unless the printer makes them itself.
    // False when it cannot be painted on or no chosen page exists.
    bool print(QPrinter& printer) const;
    // Writes the PDF through a temporary file, so that a failed write leaves any old file as it
    // was; throws std::runtime_error with a German message on failure.
    void writePdf(const QString& path) const;

private:
    QString billHtml() const;
    // forSpreadsheet: the clipboard's copy, whose names get the CSV's formula guard.
    QString breakdownHtml(bool forSpreadsheet) const;
    QString money(std::int64_t amount) const;
    // A sum row's label; "(gefiltert)" after it when the rows are a filtered part.
    QString sumLabel(const tarvek::BreakdownSum& sum) const;
    // The PDF's title: "Rechnung " and the import file's name.
    QString title() const;

    BillData m_data;
};
