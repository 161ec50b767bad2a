#include "calc/ComparisonText.h"

#include "base/TextEncoding.h"
#include "calc/BreakdownCsv.h"
#include "pricing/Money.h"

namespace tarvek {
namespace {

// Area, entry (from the files), old, new, difference.
void csvRow(std::string& out, std::string_view area, std::string_view entry, const std::string& old,
            const std::string& now, const std::string& difference)
{
    appendCsvRow(out, std::array<std::string_view, 5>{area, entry, old, now, difference}, {1});
}

} // namespace

std::array<std::string, 4> figureCells(const FigureRow& row, std::string_view thousands)
{
    if (row.kind == FigureRow::Kind::Exceeded) {
        const auto yesNo = [](std::int64_t value) { return value != 0 ? "ja" : "nein"; };
        return {std::string(row.label), yesNo(row.oldValue), yesNo(row.newValue), std::string()};
    }
    const bool money = row.kind == FigureRow::Kind::Money;
    const auto value = [&](std::int64_t amount) {
        return money ? moneyText(amount, thousands) : std::to_string(amount);
    };
    std::string difference = row.difference() > 0 ? "+" : "";
    difference += value(row.difference());
    return {std::string(row.label), value(row.oldValue), value(row.newValue), difference};
}

std::string itemChangeText(const ItemChange& change)
{
    return "Grafik " + std::to_string(change.key.graphic) + ", " + positionText(change.key) +
           ", Anz.: " + std::to_string(change.count());
}

std::string compareText(const ComparedFiles& files, const Comparison& comparison)
{
    constexpr std::size_t kLabel = 56;
    constexpr std::size_t kValue = 18;
    std::string o = "Vergleich\n  Alt: " + files.oldFile + "\n  Neu: " + files.newFile + "\n\n";
    o += padRight("", kLabel) + padRight("Alt", kValue) + padRight("Neu", kValue) + "Differenz\n";
    for (const FigureRow& row : comparison.figures) {
        const auto cells = figureCells(row, comparison.thousands);
        o += padRight(cells[0], kLabel) + padRight(cells[1], kValue);
        // A limit's row ends with its new value.
        o += cells[3].empty() ? cells[2] : padRight(cells[2], kValue) + cells[3];
        o += "\n";
    }
    const auto items = [&o](std::string_view caption, const std::vector<ItemChange>& changes) {
        // Appended piece by piece: GCC 12 warns wrongly about "literal" + string in a release
        // build.
        o += '\n';
        o += caption;
        o += " (";
        o += std::to_string(changes.size());
        o += ")\n";
        for (const ItemChange& change : changes) {
            o += "  ";
            o += itemChangeText(change);
            o += '\n';
        }
    };
    items("Hinzugekommene Items", comparison.added);
    items("Entfernte Items", comparison.removed);
    for (std::size_t i = 0; i < kFindingLists.size(); ++i) {
        o += '\n';
        o += listCaption(kFindingLists[i]);
        o += '\n';
        const FindingChanges& changes = comparison.findings[i];
        if (changes.resolved.empty() && changes.added.empty()) {
            o += "  (unverändert)\n";
        }
        for (const std::string& line : changes.resolved) {
            o += "  behoben: " + line + "\n";
        }
        for (const std::string& line : changes.added) {
            o += "  neu:     " + line + "\n";
        }
    }
    o += std::string("\nErgebnis: ") + (comparison.alike() ? "gleich" : "verschieden") + "\n";
    return o;
}

std::string compareCsv(const Comparison& comparison)
{
    std::string o(kUtf8Bom);
    o += "Bereich;Eintrag;Alt;Neu;Differenz\r\n";
    for (const FigureRow& row : comparison.figures) {
        csvRow(o, "Kennzahl", row.label, std::to_string(row.oldValue), std::to_string(row.newValue),
               std::to_string(row.difference()));
    }
    const auto items = [&o](std::string_view area, const std::vector<ItemChange>& changes) {
        for (const ItemChange& change : changes) {
            csvRow(o, area,
                   "Grafik " + std::to_string(change.key.graphic) + ", " + positionText(change.key),
                   std::to_string(change.oldCount), std::to_string(change.newCount),
                   std::to_string(change.newCount - change.oldCount));
        }
    };
    items("Item hinzugekommen", comparison.added);
    items("Item entfernt", comparison.removed);
    for (std::size_t i = 0; i < kFindingLists.size(); ++i) {
        const std::string caption(listCaption(kFindingLists[i]));
        for (const std::string& line : comparison.findings[i].resolved) {
            csvRow(o, "Befund behoben", caption + ": " + line, "1", "0", "-1");
        }
        for (const std::string& line : comparison.findings[i].added) {
            csvRow(o, "Befund neu", caption + ": " + line, "0", "1", "1");
        }
    }
    return o;
}

} // namespace tarvek
