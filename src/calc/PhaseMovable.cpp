// Phases 5 and 6: items that may not be imported, spawns and their limits.
#include "calc/RunPhases.h"

#include "base/AsciiCase.h"
#include "calc/ItemRecord.h"
#include "importfile/ImportFormat.h"
#include "pricing/GraphicKey.h"
#include "pricing/PriceList.h"

#include <string_view>
#include <unordered_set>
#include <utility>

namespace tarvek::detail {

void RunPhases::phase5And6Movable()
{
    lampStart(Lamp::BLED9);
    protocol(" Prüfung auf bewegliche Items gestartet", kColourGreen);
    select(ResultList::Protocol);
    const std::shared_ptr<const PriceList> list = loadPriceList();
    const PriceList& prices = *list;
    {
        // The keys this phase will look up (unconvertible ones stop the scan below anyway).
        std::vector<std::string> keys;
        std::unordered_set<std::int32_t> seen;
        std::size_t graphicLines = 0;
        for (std::size_t i = m_lines.nextWith(kHasGraphic, 0); i < m_lines.size();
             i = m_lines.nextWith(kHasGraphic, i + 1)) {
            ++graphicLines;
            if (const auto g = toInteger(restCut(m_lines[i], kKeyGraphic));
                g && seen.insert(*g).second) {
                keys.push_back(asciiLower(graphicKey(*g)));
            }
        }
        // Phases 7 and 8 look up the same graphics in any case: prepared in the same pass.
        prices.prepareLookups(keys);
        // Every graphic line becomes an item of the record: its room taken at once, not grown.
        record([&](ItemRecord& r) { r.reserve(graphicLines); });
    }
    std::int64_t movable = 0;
    std::uint32_t spawns = 0; // wraps like the 32-bit field instead of overflowing
    m_state.spawnCount = 0;
    const std::size_t n = m_lines.size();
    scan(kHasGraphic, [&](std::size_t i) {
        const std::string_view line = m_lines[i];
        const std::string_view d = restCut(line, kKeyGraphic);
        const std::string h = asciiLower(graphicKey(importNumber(d, i)));
        const auto& matches = prices.findMovableMarks(h);
        record([&](ItemRecord& r) { r.addItem(m_lines, i); });
        if (!matches.empty() && i + 3 >= n) {
            beyondEnd(i, "eine x-, y- oder z-Zeile");
        }
        for (const std::uint32_t m : matches) {
            const PriceList::Marks marks = prices.marks(m);
            if (!marks.wellFormed) {
                malformedPriceLine(prices, m);
            }
            if (marks.notImportable) {
                ++movable;
                append(ResultList::Movable,
                       "D:" + importText(d) + ", H:" + h +
                           ", Pos. X:" + importText(restCut(m_lines[i + 1], "x\t")) +
                           ", Y:" + importText(restCut(m_lines[i + 2], "y\t")) +
                           ", Z:" + importText(restCut(m_lines[i + 3], "z\t")),
                       kColourRed);
                select(ResultList::Movable);
                record([&](ItemRecord& r) { r.markNotImportable(); });
            }
            if (marks.spawn) {
                record([&](ItemRecord& r) { r.markSpawn(); });
                ++spawns;
                m_state.spawnCount = static_cast<std::int32_t>(spawns);
            }
            processMessages();
        }
    });
    protocol(" Anzahl beweglicher Items: " + number(movable), kColourBlack);
    select(ResultList::Protocol);
    protocol(" Prüfung auf bewegliche Items beendet", kColourGreen);
    select(ResultList::Protocol);

    // Phase 6: spawn limits.
    const std::int32_t count = m_state.spawnCount;
    protocol(" Anzahl Spawns: " + number(count), kColourBlack);
    select(ResultList::Protocol);
    // Who may own that many spawns: a warning for each limit the count exceeds.
    constexpr std::pair<std::int32_t, std::string_view> kSpawnLimits[] = {
        {10, "einen Char"},
        {20, "zwei Chars"},
        {30, "nichtanerkannte Gilde"},
        {60, "anerkannte Gilde"},
    };
    for (const auto& [limit, owner] : kSpawnLimits) {
        if (count > limit) {
            append(ResultList::Warnings,
                   "Anzahl Spawns (" + number(count) + ") zuviel für " + std::string(owner),
                   kColourRed);
        }
    }
    select(ResultList::Warnings);
    lampDone(Lamp::BLED9);
}

} // namespace tarvek::detail
