#pragma once

#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarvek {

// The outcome word of tarvek-calc: "complete", "stopped", "aborted" or "invalid".
struct CalcResult
{
    std::string outcome;
    const RecordingObserver& window;
    const RunState& state;
    // The items of a complete run ("items" of the JSON report; empty otherwise).
    const ItemRecord* items = nullptr;
};

// Escapes UTF-8 text for a JSON string (without the quotes); malformed UTF-8 becomes U+FFFD.
std::string jsonEscape(std::string_view text);
// The same, appended to `out`.
void appendJsonEscaped(std::string& out, std::string_view text);
// The same as a JSON string, in its quotes.
std::string jsonString(std::string_view text);

// Where a report goes piece by piece; false when a piece could not be written.
using ReportWrite = std::function<bool(std::string_view)>;

// The JSON object of the tarvek-calc contract, with a final line end.
std::string jsonReport(const CalcResult& result);
// The same, handed to `write` in pieces of about a mebibyte, so that the report of a file of
// millions of items is never held whole; false when a piece could not be written (the pieces
// after it are not handed on).
bool writeJsonReport(const CalcResult& result, const ReportWrite& write);

// The readable report: list by list under their German captions, then the displays and the bill.
std::string textReport(const CalcResult& result);
// The same in pieces, as writeJsonReport.
bool writeTextReport(const CalcResult& result, const ReportWrite& write);

} // namespace tarvek
