#include "calc/BatchCsv.h"

#include "base/FileNames.h"
#include "base/TextEncoding.h"
#include "calc/BreakdownCsv.h"

namespace tarvek {
namespace {

// The table of the unpriced graphics without the byte-order mark.
void appendUnpriced(std::string& out, const std::vector<UnpricedEntry>& entries)
{
    appendCsvRow(out, kUnpricedHeader);
    for (const UnpricedEntry& entry : entries) {
        appendCsvRow(out, unpricedFields(entry));
    }
}

} // namespace

std::string batchRowsCsv(const std::vector<BatchRow>& rows)
{
    std::string out(kUtf8Bom);
    appendCsvRow(out, kBatchHeader);
    for (const BatchRow& row : rows) {
        auto fields = batchFields(row);
        // The file's name as the window's table shows it: no control character or direction
        // mark of a stranger's name reaches the spreadsheet.
        fields[0] = shownFileName(fields[0]);
        // Numbers never begin with a formula character but "-": the guard only for texts (the
        // file, the limits, the reason).
        appendCsvRow(out, fields, {0, 4, 14});
    }
    return out;
}

std::string unpricedCsv(const std::vector<UnpricedEntry>& entries)
{
    std::string out(kUtf8Bom);
    appendUnpriced(out, entries);
    return out;
}

std::string batchCsv(const std::vector<BatchRow>& rows, const std::vector<UnpricedEntry>& entries)
{
    std::string out = batchRowsCsv(rows) + "\r\nNicht berechnete Grafiken\r\n";
    appendUnpriced(out, entries);
    return out;
}

} // namespace tarvek
