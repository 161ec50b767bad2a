#pragma once

#include <QString>

// tarvek --pdf OUT.pdf [--water] [--basement] IMPORTFILE: runs the calculation without a window
// (the nested-items question answered "Ja") and writes the bill document as PDF. Messages go to
// standard error. Returns the exit status of tarvek-calc: 0 when the run reached its end and the
// file was written, 1 when not, 2 for unusable arguments. The price list is found in
// `programDir`, the folder the window would read it from.
int writeBillPdf(const QString& importFile, const QString& outFile, bool water, bool basement,
                 const QString& programDir);
