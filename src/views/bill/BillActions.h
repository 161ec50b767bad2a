#pragma once

#include "views/bill/BillData.h"

#include <QString>

class QWidget;

// "Rechnung speichern ...", "Rechnung drucken ..." and "Rechnung kopieren": the bill document
// to a PDF file, to a printer, and the bill with the breakdown to the clipboard.
class BillActions
{
public:
    // Asks for the file (suggesting the import file's name with ".pdf" beside it) and writes the
    // PDF; a failure is shown as an error message and leaves an existing file as it was. Returns
    // what was written where, for the status line; empty when nothing was written.
    static QString save(QWidget* parent, const BillData& data);
    // The system's print dialog, then the document on the chosen printer as chosen there
    // (paper, pages, copies). Without a printer set up, a notice says so.
    static void print(QWidget* parent, const BillData& data);
    // Plain text in fixed columns and HTML tables; returns the status line's text.
    static QString copy(const BillData& data);
};
