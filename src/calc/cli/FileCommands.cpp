#include "calc/cli/FileCommands.h"

#include "base/AtomicFile.h"
#include "calc/Cleaning.h"
#include "calc/Comparison.h"
#include "calc/cli/CompareReport.h"

namespace tarvek {

std::string removalsText(const CleaningPlan& plan)
{
    std::string o = "Entfernte Einträge\n";
    for (const Removal& removal : plan.removals) {
        o += "  Zeilen " + std::to_string(removal.firstLine + 1) + "-" +
             std::to_string(removal.lastLine + 1) + ": Grafik " +
             std::to_string(removal.item.graphic) + ", " +
             positionText(positionKeyOf(removal.item)) + " (" +
             std::string(removalReasonText(removal.reason)) + ")\n";
    }
    for (std::size_t i = 0; i < kRemovalReasonCount; ++i) {
        const auto reason = static_cast<RemovalReason>(i);
        o += "  " + std::string(removalReasonText(reason)) + ": " +
             std::to_string(plan.count(reason)) + "\n";
    }
    return o;
}

std::optional<std::string> writeFailure(const std::string& file, std::string_view bytes)
{
    const auto written = writeFileAtomically(file, bytes);
    if (written) {
        return std::nullopt;
    }
    return "tarvek-calc: " + file + " kann nicht geschrieben werden: " + written.error().reason +
           "\n";
}

CommandResult cleanCommand(const CalculationRequest& request, const std::string& outFile,
                           bool nestedCopies)
{
    const std::string prefix = "tarvek-calc: ";
    Calculation calc;
    CalculationRequest recorded = request;
    recorded.recordItems = true;
    const bool reachedEnd = calculate(calc, recorded).reachedEnd();
    CommandResult result{
        .status = 1, .out = {}, .err = errorText(calc, request.importFile, "tarvek-calc")};
    if (!reachedEnd) {
        return result;
    }
    const auto source = readCleaningSource(request.importFile);
    if (!source) {
        result.err += prefix + fileOpenErrorText(request.importFile, source.error().reason) + "\n";
        return result;
    }
    std::string reason;
    const auto plan = planCleaning(*source, calc.items, nestedCopies, reason);
    if (!plan) {
        result.err += prefix + reason + "\n";
        return result;
    }
    const auto bytes = cleanedBytes(*source, *plan);
    if (!bytes) {
        result.err += prefix + std::string(kCleaningFileChanged) + "\n";
        return result;
    }
    result.status = 0;
    // The copy takes the listing's place on the standard output.
    if (outFile == "-") {
        result.out = *bytes;
        return result;
    }
    // Written also when nothing has to go: a script that imports OUT then never takes an older
    // copy, made from another file, for this one.
    if (auto failed = writeFailure(outFile, *bytes)) {
        result.status = 1;
        result.err += *failed;
        return result;
    }
    result.out = (plan->empty() ? std::string(kNothingToRemove) + "\n" : removalsText(*plan)) +
                 "Geschrieben: " + outFile + "\n";
    return result;
}

CommandResult compareCommand(const CalculationRequest& request, const std::string& oldFile,
                             bool json, const std::string& csvFile)
{
    const FileComparison comparison = compareFiles(oldFile, request.importFile, request);
    if (!comparison.result) {
        std::string err;
        for (std::size_t start = 0; start < comparison.refusal.size();) {
            const std::size_t end = comparison.refusal.find('\n', start);
            err += "tarvek-calc: " + comparison.refusal.substr(start, end - start + 1);
            start = end == std::string::npos ? comparison.refusal.size() : end + 1;
        }
        return {.status = 1, .out = {}, .err = err};
    }
    const Comparison& result = *comparison.result;
    if (csvFile == "-") {
        return {.status = 0, .out = compareCsv(result), .err = {}};
    }
    const ComparedFiles files{oldFile, request.importFile};
    CommandResult done{.status = 0,
                       .out = json ? compareJson(files, result) : compareText(files, result),
                       .err = {}};
    if (!csvFile.empty()) {
        if (auto failed = writeFailure(csvFile, compareCsv(result))) {
            done.status = 1;
            done.err = *failed;
        }
    }
    return done;
}

} // namespace tarvek
