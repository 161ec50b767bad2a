#include "calc/Cleaning.h"

#include "base/TextEncoding.h"
#include "calc/RunSteps.h"
#include "importfile/ImportFormat.h"
#include "importfile/ItemKey.h"

#include <array>
#include <unordered_set>

namespace tarvek {
namespace {

constexpr std::array<std::string_view, kRemovalReasonCount> kReasonTexts = {
    "darf nicht importiert werden", "Bauzonenrand", "ineinanderliegend"};

bool isEntryLine(std::string_view line)
{
    return (lineKeys(line) & kHasEntry) != 0;
}

// A line that holds nothing but "}" between blanks and control characters.
bool isClosingBrace(std::string_view line)
{
    return trimmedBlanks(line) == "}";
}

// The lines of the entry whose graphic line is `graphic`; `previous` and `next` are the graphic
// lines of the items around it (previous: none when equal to graphic; next: lines.size() when
// none). The entry begins at its "Entry" line above the graphic line (not above a closing brace
// or the previous item) and ends at its closing brace (not after the next "Entry" line or the
// next item). An item without an "Entry" line of its own begins at its graphic line; one without
// a closing brace ends before the next entry, or after its five item lines.
std::pair<std::size_t, std::size_t> entryLines(const ImportLines& lines, std::size_t previous,
                                               std::size_t graphic, std::size_t next)
{
    std::size_t first = graphic;
    for (std::size_t i = graphic; i > 0 && i - 1 != previous; --i) {
        const std::string& line = lines[i - 1];
        if (isClosingBrace(line)) {
            break;
        }
        if (isEntryLine(line)) {
            first = i - 1;
            break;
        }
    }
    for (std::size_t i = graphic + 1; i < next; ++i) {
        if (isEntryLine(lines[i])) {
            return {first, i - 1};
        }
        if (isClosingBrace(lines[i])) {
            return {first, i};
        }
    }
    return {first, std::min(graphic + 4, next - 1)};
}

// Whether the graphic lines of `lines` are the record's, each with the graphic the run read.
bool recordMatches(const ImportLines& lines, const ItemRecord& record)
{
    const auto& items = record.items();
    std::size_t k = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if ((lineKeys(lines[i]) & kHasGraphic) == 0) {
            continue;
        }
        if (k >= items.size() || items[k].line != i ||
            toInteger(fixedCut(lines[i], kKeyGraphic, kGraphicCut)).value_or(0) !=
                items[k].graphic) {
            return false;
        }
        ++k;
    }
    return k == items.size();
}

} // namespace

std::string_view removalReasonText(RemovalReason reason)
{
    return kReasonTexts[static_cast<std::size_t>(reason)];
}

Result<CleaningSource> readCleaningSource(const std::string& path)
{
    auto bytes = readTextFile(path, kImportFileKind);
    if (!bytes) {
        return bytes.error();
    }
    CleaningSource source{.bytes = std::move(*bytes), .lines = {}, .starts = {}};
    const std::string_view text = withoutBom(source.bytes);
    const std::size_t bom = source.bytes.size() - text.size();
    forEachLine(text, [&](std::size_t start, std::size_t length) {
        source.lines.emplace_back(text.substr(start, length));
        source.starts.push_back(bom + start);
    });
    source.starts.push_back(source.bytes.size());
    return source;
}

std::optional<CleaningPlan> planCleaning(const CleaningSource& source, const ItemRecord& record,
                                         bool nestedCopies, std::string& refusal)
{
    if (!record.complete()) {
        refusal = kCleaningNeedsCompleteRun;
        return std::nullopt;
    }
    const ImportLines& lines = source.lines;
    // The bytes decide: a colour or a position changed since the run moves no graphic line.
    if (record.fileFingerprint() != fileFingerprint(source.bytes) ||
        !recordMatches(lines, record)) {
        refusal = kCleaningFileChanged;
        return std::nullopt;
    }
    CleaningPlan plan;
    std::unordered_set<std::string> nestedSeen;
    const auto& items = record.items();
    for (std::size_t k = 0; k < items.size(); ++k) {
        const RecordedItem& item = items[k];
        std::optional<RemovalReason> reason;
        if (item.has(ItemCategory::NotImportable)) {
            reason = RemovalReason::NotImportable;
        } else if (item.has(ItemCategory::BuildZoneBorder)) {
            reason = RemovalReason::BuildZoneBorder;
        }
        if (nestedCopies && !reason && item.has(ItemCategory::Nested)) {
            // The first entry at a position that stays is kept, the later ones are the copies.
            // One that goes for another reason (a build-zone border) is not that first entry:
            // had it counted, every entry at its position would go.
            const auto key = itemPositionKey(lines, item.line + 2);
            if (key && !nestedSeen.insert(itemKeySortText(*key)).second) {
                reason = RemovalReason::NestedCopy;
            }
        }
        if (!reason) {
            continue;
        }
        const std::size_t previous = k > 0 ? items[k - 1].line : item.line;
        const std::size_t next = k + 1 < items.size() ? items[k + 1].line : lines.size();
        const auto [first, last] = entryLines(lines, previous, item.line, next);
        plan.removals.push_back({first, last, item, *reason});
        ++plan.counts[static_cast<std::size_t>(*reason)];
    }
    return plan;
}

std::optional<std::string> cleanedBytes(const CleaningSource& source, const CleaningPlan& plan)
{
    const std::vector<std::size_t>& starts = source.starts;
    // The byte-order mark, if any, stays.
    std::string out = source.bytes.substr(0, starts.front());
    out.reserve(source.bytes.size());
    std::size_t kept = 0; // the first line not yet copied
    for (const Removal& removal : plan.removals) {
        if (removal.firstLine < kept || removal.lastLine >= source.lines.size()) {
            return std::nullopt;
        }
        out.append(source.bytes, starts[kept], starts[removal.firstLine] - starts[kept]);
        kept = removal.lastLine + 1;
    }
    out.append(source.bytes, starts[kept]);
    return out;
}

} // namespace tarvek
