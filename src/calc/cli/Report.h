#pragma once

#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "calc/RunState.h"

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
// The same as a JSON string, in its quotes.
std::string jsonString(std::string_view text);

// The JSON object of the tarvek-calc contract, with a final line end.
std::string jsonReport(const CalcResult& result);

// The readable report: list by list under their German captions, then the displays and the bill.
std::string textReport(const CalcResult& result);

} // namespace tarvek
