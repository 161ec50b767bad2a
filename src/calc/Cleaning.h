#pragma once
// "Bereinigen": a copy of an import file without the entries that must not go to the server.

#include "calc/ItemRecord.h"
#include "importfile/ImportLines.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// Why an entry goes, most important first: an entry that is both goes for the first reason.
enum class RemovalReason : std::uint8_t
{
    NotImportable,   // listed by phase 5 as an item that may not be imported
    BuildZoneBorder, // found by phase 8: graphic 1173 with colour 1283
    NestedCopy,      // at a nested position, after the first entry with the same position key
};
inline constexpr std::size_t kRemovalReasonCount = 3;

// "darf nicht importiert werden", "Bauzonenrand", "ineinanderliegend".
std::string_view removalReasonText(RemovalReason reason);

// One entry to remove: its lines (from the "Entry" line to its closing "}", both included), the
// item and why it goes.
struct Removal
{
    std::size_t firstLine = 0;
    std::size_t lastLine = 0;
    RecordedItem item;
    RemovalReason reason = RemovalReason::NotImportable;
};

struct CleaningPlan
{
    std::vector<Removal> removals; // in file order
    std::array<std::size_t, kRemovalReasonCount> counts{};

    bool empty() const { return removals.empty(); }
    std::size_t count(RemovalReason reason) const
    {
        return counts[static_cast<std::size_t>(reason)];
    }
};

// The refusals of cleaning, as the window and tarvek-calc say them.
inline constexpr std::string_view kCleaningNeedsCompleteRun =
    "Die Berechnung ist vorzeitig beendet worden und hat deshalb nicht nach Bauzonenrändern "
    "gesucht. Bitte die Berechnung vollständig laufen lassen und dann bereinigen.";
inline constexpr std::string_view kCleaningFileChanged =
    "Die Importdatei hat sich seit der Berechnung geändert. Bitte die Berechnung erneut starten "
    "und dann bereinigen.";
inline constexpr std::string_view kNothingToClean =
    "Die Importdatei enthält keine Items, welche nicht importiert werden dürfen, und keine "
    "Bauzonenränder. Es wurde keine Datei geschrieben.";

// The import file as the cleaning reads it: its bytes as they are (a byte-order mark included)
// and its lines.
struct CleaningSource
{
    std::string bytes;
    ImportLines lines;
    // Where each line begins in `bytes` (after a byte-order mark) and, last, the size of `bytes`:
    // a line's bytes with its line end run up to the next start.
    std::vector<std::size_t> starts;
};

// Reads the import file for cleaning.
Result<CleaningSource> readCleaningSource(const std::string& path);

// What cleaning removes from the source's lines, given the items a complete run recorded from
// them. Nothing, with the refusal, when the run was not complete or the file is no longer the one
// the run read, byte for byte (its fingerprint differs from the record's, or the record has none).
// `nestedCopies`: remove the extra entries at nested positions too.
std::optional<CleaningPlan> planCleaning(const CleaningSource& source, const ItemRecord& record,
                                         bool nestedCopies, std::string& refusal);

// The file's bytes without the lines of the plan's entries, each with its line end: every other
// byte (the byte-order mark, the line ends of whatever kind, the header, lines nothing reads)
// stays as it was. Empty when the bytes are not those the lines were split from.
std::optional<std::string> cleanedBytes(const CleaningSource& source, const CleaningPlan& plan);

} // namespace tarvek
