#include "calc/cli/BatchCommand.h"

#include "base/FileNames.h"
#include "base/TextEncoding.h"
#include "base/Utf8.h"
#include "calc/Batch.h"
#include "calc/BatchCsv.h"
#include "calc/RunInputs.h"
#include "calc/cli/FileCommands.h"
#include "calc/cli/Report.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <atomic>
#include <ostream>

namespace tarvek {
namespace {

// Columns padded to their widest field, two blanks between them.
template <typename Header, typename Rows> std::string alignedTable(const Header& header, Rows rows)
{
    std::vector<std::size_t> widths(header.size(), 0);
    rows.insert(rows.begin(), std::vector<std::string>(header.begin(), header.end()));
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], utf8Length(row[c]));
        }
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            line.append(c + 1 < row.size() ? widths[c] - utf8Length(row[c]) + 2 : 0, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += "  " + line + "\n";
    }
    return out;
}

std::string textReport(const BatchResult& result, std::size_t files)
{
    std::vector<std::vector<std::string>> rows;
    for (const BatchRow& row : result.rows) {
        auto fields = batchFields(row);
        fields[0] = displayText(fields[0], TextEncoding::Utf8);
        rows.emplace_back(fields.begin(), fields.end());
    }
    std::vector<std::vector<std::string>> unpriced;
    for (const UnpricedEntry& entry : result.unpriced) {
        const auto fields = unpricedFields(entry);
        unpriced.emplace_back(fields.begin(), fields.end());
    }
    std::string o = "Stapelprüfung (" + std::to_string(files) + " Dateien)\n";
    o += rows.empty() ? "  (leer)\n" : alignedTable(kBatchHeader, rows);
    o += "\nNicht berechnete Grafiken\n";
    o += unpriced.empty() ? "  (leer)\n" : alignedTable(kUnpricedHeader, unpriced);
    o += std::string("\nErgebnis: ") +
         (result.allRan() ? "alle Dateien berechnet" : "nicht alle Dateien berechnet") + "\n";
    return o;
}

std::string jsonReport(const BatchResult& result)
{
    std::string o = "{\n  \"files\": [";
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const BatchRow& r = result.rows[i];
        const auto n = [](std::int64_t value) { return std::to_string(value); };
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"file\": " + jsonString(r.file) +
             ", \"outcome\": " + jsonString(outcomeName(r.outcome)) +
             ", \"reason\": " + jsonString(r.reason) + ", \"itemCount\": " + n(r.items) +
             ", \"lowestLevel\": " + n(r.lowestZ) + ", \"squareSteps\": " + n(r.squareSteps) +
             ", \"limits\": " + jsonString(r.limits) + ", \"spawnCount\": " + n(r.spawns) +
             ", \"nested\": " + n(r.nested) + ", \"movable\": " + n(r.movable) +
             ", \"unpriced\": " + n(r.unpriced) + ", \"borders\": " + n(r.borders) +
             ", \"itemSumHZ\": " + n(r.sumHZ) + ", \"itemSumNHZ\": " + n(r.sumNHZ) +
             ", \"grandTotal\": " + n(r.total) + "}";
    }
    o += result.rows.empty() ? "],\n" : "\n  ],\n";
    o += "  \"unpriced\": [";
    for (std::size_t i = 0; i < result.unpriced.size(); ++i) {
        const UnpricedEntry& e = result.unpriced[i];
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"graphic\": " + std::to_string(e.graphic) + ", \"key\": " + jsonString(e.key) +
             ", \"files\": " + std::to_string(e.files) + ", \"items\": " + std::to_string(e.items) +
             "}";
    }
    o += result.unpriced.empty() ? "],\n" : "\n  ],\n";
    o += std::string("  \"allRan\": ") + (result.allRan() ? "true" : "false") + "\n}\n";
    return o;
}

// The problem when a CSV file is one of the files the batch reads, or both are the same file: it
// would be overwritten by a result.
std::string csvOverwritesInput(const CalcOptions& options, const std::vector<std::string>& files,
                               const std::string& priceList)
{
    std::vector<ReadFile> inputs{{priceList, "die Preisliste"}};
    for (const std::string& file : files) {
        inputs.push_back({file, "eine Importdatei"});
    }
    for (const auto& [option, csv] :
         {std::pair{"--csv", options.csvFile}, std::pair{"--csv-unpriced", options.csvUnpriced}}) {
        if (std::string problem = overwrittenInput(option, csv, inputs); !problem.empty()) {
            return problem;
        }
    }
    if (options.csvFile != "-" && !options.csvFile.empty() &&
        sameFile(options.csvFile, options.csvUnpriced)) {
        return "--csv und --csv-unpriced nennen dieselbe Datei: " + options.csvFile;
    }
    return {};
}

} // namespace

int runBatchCommand(const CalcOptions& options, const std::string& programDir,
                    const std::function<bool(const std::string&)>& output, std::ostream& err,
                    bool errIsTerminal)
{
    std::string message;
    BatchSettings settings;
    const std::string priceList = priceListToRead(options.priceList, programDir);
    settings.priceList = loadSharedPriceList(priceList, programDir, message);
    if (!settings.priceList) {
        err << "tarvek-calc: " << message << "\n";
        return 1;
    }
    settings.files = batchFiles(options.paths);
    if (const std::string problem = csvOverwritesInput(options, settings.files, priceList);
        !problem.empty()) {
        err << "tarvek-calc: " << problem << "\n";
        return 2;
    }
    settings.fees = {options.water, options.basement};
    settings.nested = options.nested;
    settings.jobs = options.jobs;
    settings.separators = systemLocaleSeparators();
    const std::atomic<bool> stop{false};
    const auto progress = [&](std::size_t done, std::size_t total, const std::string& file) {
        // One line, written over, only for a person at a terminal.
        err << "\r\x1b[K[" << done << "/" << total << "] " << displayText(file, TextEncoding::Utf8)
            << (done == total ? "\n" : "") << std::flush;
    };
    BatchResult result =
        errIsTerminal ? collectBatch(settings, stop, progress) : collectBatch(settings, stop);
    for (const BatchRow& row : result.rows) {
        if (!ranToEnd(row.outcome)) {
            err << "tarvek-calc: " << displayText(row.file, TextEncoding::Utf8) << ": "
                << outcomeText(row.outcome) << (row.reason.empty() ? "" : ": ") << row.reason
                << "\n";
        }
    }
    const int status = result.allRan() ? 0 : 1;
    const std::pair<const std::string&, std::string> csv[] = {
        {options.csvFile, batchRowsCsv(result.rows)},
        {options.csvUnpriced,
         options.csvUnpriced.empty() ? std::string() : unpricedCsv(result.unpriced)}};
    const bool csvToOut = options.csvFile == "-" || options.csvUnpriced == "-";
    if (!csvToOut &&
        !output(options.json ? jsonReport(result) : textReport(result, settings.files.size()))) {
        return 1;
    }
    for (const auto& [file, bytes] : csv) {
        if (file == "-") {
            if (!output(bytes)) {
                return 1;
            }
        } else if (!file.empty()) {
            if (auto failed = writeFailure(file, bytes)) {
                err << *failed;
                return 1;
            }
        }
    }
    return status;
}

} // namespace tarvek
