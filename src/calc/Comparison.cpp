#include "calc/Comparison.h"

#include <map>
#include <unordered_map>

namespace tarvek {
namespace {

using Kind = FigureRow::Kind;

// The owner types' largest areas and spawn counts, as phases 4 and 6 test them.
struct Limit
{
    std::string_view label;
    std::int64_t limit;
};
constexpr std::array<Limit, 4> kAreaLimits = {{
    {"QS über dem Maximum für Einzelperson (300)", 300},
    {"QS über dem Maximum für Paare (450)", 450},
    {"QS über dem Maximum für nicht anerkannte Gilden (1000)", 1000},
    {"QS über dem Maximum für anerkannte Gilden (3000)", 3000},
}};
constexpr std::array<Limit, 4> kSpawnLimits = {{
    {"Spawns zuviel für einen Char (über 10)", 10},
    {"Spawns zuviel für zwei Chars (über 20)", 20},
    {"Spawns zuviel für nichtanerkannte Gilde (über 30)", 30},
    {"Spawns zuviel für anerkannte Gilde (über 60)", 60},
}};

std::vector<FigureRow> figureRows(const Calculation& oldRun, const Calculation& newRun)
{
    std::vector<FigureRow> rows;
    const auto add = [&rows, &oldRun, &newRun](std::string_view label, Kind kind, auto value) {
        rows.push_back({label, kind, value(oldRun), value(newRun)});
    };
    const auto display = [](NumberDisplay which) {
        return [which](const Calculation& c) { return c.window.display(which); };
    };
    add("Anzahl Items", Kind::Number, display(NumberDisplay::ItemCount));
    add("Niedrigstes Item auf Pos Z", Kind::Number, display(NumberDisplay::LowestLevel));
    add("Kleinster X-Wert", Kind::Number,
        [](const Calculation& c) { return std::int64_t{c.items.minX()}; });
    add("Kleinster Y-Wert", Kind::Number,
        [](const Calculation& c) { return std::int64_t{c.items.minY()}; });
    add("Größter X-Wert", Kind::Number,
        [](const Calculation& c) { return std::int64_t{c.items.maxX()}; });
    add("Größter Y-Wert", Kind::Number,
        [](const Calculation& c) { return std::int64_t{c.items.maxY()}; });
    add("Ermittelte QS", Kind::Number, display(NumberDisplay::SquareSteps));
    for (const Limit& limit : kAreaLimits) {
        add(limit.label, Kind::Exceeded, [&limit](const Calculation& c) {
            return std::int64_t{c.window.display(NumberDisplay::SquareSteps) > limit.limit};
        });
    }
    add("Anzahl Spawns", Kind::Number,
        [](const Calculation& c) { return std::int64_t{c.state.spawnCount}; });
    for (const Limit& limit : kSpawnLimits) {
        add(limit.label, Kind::Exceeded, [&limit](const Calculation& c) {
            return std::int64_t{c.state.spawnCount > limit.limit};
        });
    }
    for (const ResultList findings : kFindingLists) {
        add(listCaption(findings), Kind::Number, [findings](const Calculation& c) {
            return static_cast<std::int64_t>(c.window.list(findings).entries.size());
        });
    }
    add("Summe Items HZ", Kind::Money, [](const Calculation& c) { return c.state.itemSumHZ; });
    add("Summe Items NHZ", Kind::Money, [](const Calculation& c) { return c.state.itemSumNHZ; });
    add("Gesamtsumme", Kind::Money, [](const Calculation& c) { return c.state.grandTotal; });
    return rows;
}

// Per position key: how many items each run has there, and the first one's line in each.
struct KeyCount
{
    std::int64_t oldCount = 0;
    std::int64_t newCount = 0;
    std::uint32_t oldLine = 0;
    std::uint32_t newLine = 0;
};

void compareItems(const ItemRecord& oldItems, const ItemRecord& newItems, Comparison& result)
{
    std::map<PositionKey, KeyCount> keys;
    for (const RecordedItem& item : oldItems.items()) {
        KeyCount& count = keys[positionKeyOf(item)];
        if (count.oldCount++ == 0) {
            count.oldLine = item.line;
        }
    }
    for (const RecordedItem& item : newItems.items()) {
        KeyCount& count = keys[positionKeyOf(item)];
        if (count.newCount++ == 0) {
            count.newLine = item.line;
        }
    }
    for (const auto& [key, count] : keys) {
        if (count.newCount > count.oldCount) {
            result.added.push_back({key, count.oldCount, count.newCount, count.newLine});
        } else if (count.oldCount > count.newCount) {
            result.removed.push_back({key, count.oldCount, count.newCount, count.oldLine});
        }
    }
}

// The lines of `from` that `other` does not hold as often, in the order of `from`.
std::vector<std::string> linesBeyond(const RecordingObserver::Entries& from,
                                     const RecordingObserver::Entries& other)
{
    std::unordered_map<std::string_view, std::int64_t> available;
    for (const auto& entry : other) {
        ++available[entry.text];
    }
    std::vector<std::string> beyond;
    for (const auto& entry : from) {
        if (--available[entry.text] < 0) {
            beyond.emplace_back(entry.text);
        }
    }
    return beyond;
}

} // namespace

bool Comparison::alike() const
{
    for (const FigureRow& row : figures) {
        if (row.difference() != 0) {
            return false;
        }
    }
    for (const FindingChanges& changes : findings) {
        if (!changes.resolved.empty() || !changes.added.empty()) {
            return false;
        }
    }
    return added.empty() && removed.empty();
}

Comparison compareRuns(const Calculation& oldRun, const Calculation& newRun)
{
    Comparison result;
    result.figures = figureRows(oldRun, newRun);
    compareItems(oldRun.items, newRun.items, result);
    for (std::size_t i = 0; i < kFindingLists.size(); ++i) {
        const auto& oldLines = oldRun.window.list(kFindingLists[i]).entries;
        const auto& newLines = newRun.window.list(kFindingLists[i]).entries;
        result.findings[i] = {linesBeyond(oldLines, newLines), linesBeyond(newLines, oldLines)};
    }
    return result;
}

FileComparison compareFiles(const std::string& oldFile, const std::string& newFile,
                            const CalculationRequest& request)
{
    FileComparison comparison;
    CalculationRequest each = request;
    each.recordItems = true;
    // Both runs, and the comparison's money, with the same regional separators.
    if (!each.separators) {
        each.separators = systemLocaleSeparators();
    }
    const auto run = [&comparison, &each](Calculation& calc, const std::string& file,
                                          std::string_view which) {
        each.importFile = file;
        if (calculate(calc, each).reachedEnd() && calc.items.complete()) {
            return true;
        }
        std::string why = errorText(calc, file, which);
        if (why.empty()) {
            why = std::string(which) + ": Die Berechnung hat keine Rechnung ergeben.\n";
        }
        comparison.refusal += why;
        return false;
    };
    const bool oldDone = run(*comparison.oldRun, oldFile, "Alte Datei");
    const bool newDone = run(*comparison.newRun, newFile, "Neue Datei");
    if (oldDone && newDone) {
        comparison.result = compareRuns(*comparison.oldRun, *comparison.newRun);
        comparison.result->thousands = each.separators->thousands;
    }
    return comparison;
}

} // namespace tarvek
