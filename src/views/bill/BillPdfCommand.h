#pragma once

#include <QString>

// tarvek --pdf OUT.pdf [--water] [--basement] [--price-list FILE] IMPORTFILE: runs the
// calculation without a window (the nested-items question answered "Ja") and writes the bill
// document as PDF. Messages go to standard error. Returns the exit status of tarvek-calc: 0 when
// the run reached its end and the file was written, 1 when not. The price list is `priceList`
// when given, else the one in `programDir`, the folder the window would read it from.
int writeBillPdf(const QString& importFile, const QString& outFile, bool water, bool basement,
                 const QString& programDir, const QString& priceList = QString());
