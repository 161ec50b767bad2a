#include "calc/BatchCsv.h"

#include "base/TextEncoding.h"
#include "calc/BreakdownCsv.h"

namespace tarvek {
namespace {

template <typename Fields> void appendRow(std::string& out, const Fields& fields)
{
    bool first = true;
    for (const auto& field : fields) {
        out += first ? "" : ";";
        first = false;
        out += csvField(field);
    }
    out += "\r\n";
}

} // namespace

std::string batchRowsCsv(const std::vector<BatchRow>& rows)
{
    std::string out(kUtf8Bom);
    appendRow(out, kBatchHeader);
    for (const BatchRow& row : rows) {
        // Numbers never begin with a formula character but "-": the guard only for texts.
        auto fields = batchFields(row);
        for (const std::size_t text : {std::size_t{0}, std::size_t{4}, std::size_t{14}}) {
            fields[text] = formulaGuarded(fields[text]);
        }
        appendRow(out, fields);
    }
    return out;
}

std::string unpricedCsv(const std::vector<UnpricedEntry>& entries)
{
    std::string out(kUtf8Bom);
    appendRow(out, kUnpricedHeader);
    for (const UnpricedEntry& entry : entries) {
        appendRow(out, unpricedFields(entry));
    }
    return out;
}

std::string batchCsv(const std::vector<BatchRow>& rows, const std::vector<UnpricedEntry>& entries)
{
    return batchRowsCsv(rows) + "\r\nNicht berechnete Graphics\r\n" +
           unpricedCsv(entries).substr(kUtf8Bom.size());
}

} // namespace tarvek
