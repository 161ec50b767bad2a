#pragma once
// "Vergleichen": what changed between two import files, each run as the window runs it.

#include "calc/Calculation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// One figure of both runs, as the window "Vergleich" shows it in a row.
struct FigureRow
{
    enum class Kind
    {
        Number,
        Money,   // gold pieces
        Exceeded // 1: the limit is exceeded, 0: not
    };
    std::string_view label;
    Kind kind = Kind::Number;
    std::int64_t oldValue = 0;
    std::int64_t newValue = 0;

    std::int64_t difference() const { return newValue - oldValue; }
};

// Items added or removed at one position key: how many each file has there, and the graphic
// line of the first of them in the file that has more (new: added; old: removed).
struct ItemChange
{
    PositionKey key;
    std::int64_t oldCount = 0;
    std::int64_t newCount = 0;
    std::uint32_t line = 0;

    // How many were added or removed.
    std::int64_t count() const
    {
        return newCount > oldCount ? newCount - oldCount : oldCount - newCount;
    }
};

// The finding lists compared, in the order the comparison shows them (named by listCaption).
inline constexpr std::array<ResultList, 4> kFindingLists = {
    ResultList::Warnings, ResultList::Movable, ResultList::Nested, ResultList::NotCalculated};

// The lines of one finding list that the new run no longer writes (resolved) and those that only
// it writes (new), each in the order of its run; a line written twice counts twice.
struct FindingChanges
{
    std::vector<std::string> resolved;
    std::vector<std::string> added;
};

struct Comparison
{
    std::vector<FigureRow> figures;
    std::vector<ItemChange> added;   // by position key
    std::vector<ItemChange> removed; // by position key
    std::array<FindingChanges, kFindingLists.size()> findings;
    // The thousands separator of the runs' money texts, as the bill writes them.
    std::string thousands = LocaleSeparators{}.thousands;

    // Nothing changed: every figure, item and finding alike.
    bool alike() const;
};

// Compares two complete runs (both with their items recorded).
Comparison compareRuns(const Calculation& oldRun, const Calculation& newRun);

// Both files run with the same price list and fees (the nested items' question answered as
// `request` says), and the comparison when both reached a bill.
struct FileComparison
{
    std::unique_ptr<Calculation> oldRun = std::make_unique<Calculation>();
    std::unique_ptr<Calculation> newRun = std::make_unique<Calculation>();
    // Why the files cannot be compared, one line for each file that has no bill, beginning with
    // "Alte Datei: " or "Neue Datei: "; empty when `result` holds the comparison.
    std::string refusal;
    std::optional<Comparison> result;
};

// `request.importFile` is ignored; the items are always recorded.
FileComparison compareFiles(const std::string& oldFile, const std::string& newFile,
                            const CalculationRequest& request);

} // namespace tarvek
