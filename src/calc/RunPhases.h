#pragma once

#include "calc/CalculationRun.h"
#include "calc/RunSteps.h"
#include "importfile/ItemKey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {

class ItemRecord;
class PriceList;
struct BreakdownRow;

namespace detail {

// One run over one ImportLines; lives inside CalculationRun::execute(). run() is the driver
// (CalculationRun.cpp); the phases live in files of their own: PhasesExtents.cpp (phases 1 to 4:
// item count, lowest level, extents, square steps), PhaseMovable.cpp (5 and 6: items that may not
// be imported, spawns), PhaseNested.cpp (7: nested items) and PhasePricing.cpp (8: item pricing
// and the bill).
class RunPhases : private RunSteps
{
public:
    RunPhases(const RunSettings& settings, RunState& state, RunObserver& observer, ImportText lines,
              TextEncoding encoding)
        : RunSteps(settings, observer, encoding), m_state(state), m_lines(std::move(lines)),
          m_items(settings.items)
    {}

    RunOutcome run();

private:
    // A scan over every line: `work` for each line holding one of the keys `mask` (in file
    // order), and after every line its progress step and cancel check.
    template <typename Work> void scan(std::uint8_t mask, Work work)
    {
        const std::size_t n = m_lines.size();
        std::size_t done = 0;
        for (std::size_t i = m_lines.nextWith(mask, 0); i < n; i = m_lines.nextWith(mask, i + 1)) {
            progressSteps(done, i, n);
            work(i);
            progressStep(i, n);
            done = i + 1;
        }
        progressSteps(done, n, n);
    }

    // ---- Phases

    void phase1ItemCount();

    void phase2LowestLevel();

    // Phase 3's four scans find their values in one pass (measureExtents); the other three
    // repeat only its progress steps and cancel checks (repeatScan).
    struct Extents
    {
        std::int32_t minX = 10000;
        std::int32_t minY = 10000;
        std::int32_t maxX = 0;
        std::int32_t maxY = 0;
        std::optional<std::size_t> badY; // the first y line that is no number
    };
    Extents measureExtents();
    void repeatScan(std::optional<std::size_t> bad, std::string_view key);

    void phase3Extents();

    // ItemKeySet: sorted by compareItemKeys, each key once (the first one added stays). Sorts by
    // precomputed sort texts that memcmp orders exactly as compareItemKeys does. Remembers for
    // every y line that gave a key the index of its key in the set (phase 7 counts by it).
    void sortKeySet();

    void phase4SquareSteps();

    void phase5And6Movable();

    // Phase 7; false when the user declined to go on.
    bool phase7Nested();

    // The keys phase 7 will look up: the graphics of positions holding more than one item.
    std::vector<std::string> nestedGraphicKeys(const std::vector<std::int64_t>& counts) const;

    void phase8Pricing();

    // The pricing of one graphic from its price line; the row of the breakdown records it.
    void priceGraphic(const PriceList& prices, std::size_t index, BreakdownRow& row);

    // Writes into the item record, when the run keeps one.
    template <typename Write> void record(Write write)
    {
        if (m_items) {
            write(*m_items);
        }
    }

    RunState& m_state;
    ImportText m_lines;

    std::int32_t m_minX = 10000;
    std::int32_t m_minY = 10000;
    std::int32_t m_maxX = 0;
    std::int32_t m_maxY = 0;
    std::int32_t m_squareSteps = 0;
    // ItemKeySet: the keys with the index of the y line of their first occurrence.
    std::vector<std::pair<ItemKeyText, std::size_t>> m_keySet;
    // Every y line of phase 3 that gave a key, in file order, with the index of its key.
    std::vector<std::pair<std::size_t, std::uint32_t>> m_keyLines;
    ItemRecord* const m_items; // the plan of the building, when the run keeps one
};

} // namespace detail
} // namespace tarvek
