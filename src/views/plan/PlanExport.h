#pragma once

#include <QString>

namespace tarvek {
struct Calculation;
}

// Runs the calculation of an import file for a picture drawn without a window (the nested-items
// question answered "Ja", the items recorded), with the price list `priceList` when given, else
// the one in programDir. False, with the message on the standard error, when the file cannot be
// read or the run does not complete.
bool calculateForPicture(tarvek::Calculation& calc, const QString& importFile,
                         const QString& programDir, const QString& priceList);

// tarvek --plan-png OUT.png [--price-list FILE] IMPORTFILE: runs the calculation of an import
// file without a window (the nested-items question answered "Ja") and writes the plan of all
// levels as the fixed PNG picture. The price list is `priceList` when given, else the one in
// programDir, the folder the window would read it from. Messages go to the standard error.
// Returns the exit status of tarvek-calc: 0 when the picture has been written, 1 for an
// unreadable or invalid file, an aborted run or a picture that cannot be written.
int writePlanPng(const QString& importFile, const QString& outFile, const QString& programDir,
                 const QString& priceList = QString());
