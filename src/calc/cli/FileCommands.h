#pragma once

#include "calc/Calculation.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// What a command of tarvek-calc gives back: its exit status, its standard output and its
// standard error.
struct CommandResult
{
    int status = 0;
    std::string out;
    std::string err;
};

// Writes `bytes` into `file` atomically. On failure, the line that tarvek-calc writes to its
// standard error: "tarvek-calc: FILE kann nicht geschrieben werden: REASON".
std::optional<std::string> writeFailure(const std::string& file, std::string_view bytes);

// What tarvek-calc --clean says when the copy is the file as it was.
inline constexpr std::string_view kNothingToRemove =
    "Die Importdatei enthält keine Items, welche nicht importiert werden dürfen, und keine "
    "Bauzonenränder. Die Kopie gleicht ihr Byte für Byte.";

// tarvek-calc --clean OUT IMPORTFILE: runs the file as the window does and writes a copy without
// the entries that may not be imported and the build-zone borders (with `nestedCopies`, without
// the extra entries at nested positions too) to OUT, atomically, also when nothing has to go (OUT
// then holds the file as it is). The standard output lists what went; OUT "-" puts the copy there
// instead. Status 0 when the copy was written, 1 when the run did not end complete, the file
// could not be read again or OUT could not be written.
CommandResult cleanCommand(const CalculationRequest& request, const std::string& outFile,
                           bool nestedCopies);

// The text listing of what cleaning removes: each entry with its lines, graphic, position and
// reason, then the count of each reason.
std::string removalsText(const struct CleaningPlan& plan);

// tarvek-calc --compare OLD NEW: runs both files with the same price list and fees and reports
// what changed, as text or JSON; `csvFile` as for a run: "-" puts the CSV on the standard output
// instead, a name writes it to that file. Status 0 when both runs reached a bill (alike or not),
// 1 when a file could not be compared (the standard error says which and why) or the CSV file
// could not be written.
CommandResult compareCommand(const CalculationRequest& request, const std::string& oldFile,
                             bool json, const std::string& csvFile);

} // namespace tarvek
