#pragma once

#include "calc/Batch.h"

#include <string>
#include <vector>

namespace tarvek {

// The batch's two tables as CSV for German spreadsheet programs, as the breakdown's CSV: UTF-8
// with a byte-order mark, ";" between fields, CR LF, a German header row. Texts from outside (file
// names, reasons) are guarded against being taken as formulas; the file names are written as
// shownFileName() shows them.
std::string batchRowsCsv(const std::vector<BatchRow>& rows);
std::string unpricedCsv(const std::vector<UnpricedEntry>& entries);
// Both tables in one file, as the window saves them: the rows, an empty line, the title line
// "Nicht berechnete Grafiken", then the second table with its own header row.
std::string batchCsv(const std::vector<BatchRow>& rows, const std::vector<UnpricedEntry>& entries);

} // namespace tarvek
