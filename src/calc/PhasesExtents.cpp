// Phases 1 to 4: item count, lowest level, X/Y extents and square steps.
#include "calc/RunPhases.h"

#include "calc/ItemRecord.h"
#include "calc/Warnings.h"
#include "importfile/ImportFormat.h"
#include "importfile/ItemKey.h"

#include <algorithm>

namespace tarvek::detail {

void RunPhases::phase1ItemCount()
{
    lampStart(Lamp::BLED1);
    protocol(" Berechnung Itemanzahl gestartet", kColourGreen);
    select(ResultList::Protocol);
    processMessages();
    std::int64_t count = 0;
    const std::size_t n = m_lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        if ((m_keys[i] & kHasEntry) != 0) {
            ++count;
            m_out.setDisplay(NumberDisplay::ItemCount, count);
        }
        progressStep(i, n);
    }
    lampDone(Lamp::BLED1);
    protocol(" Anzahl Items: " + number(count) + " Stück", kColourBlack);
    if (count > 3000) {
        append(ResultList::Warnings, "Itemanzahl > 3000 Items", kColourRed);
    }
    protocol(" Berechnung Itemanzahl beendet", kColourGreen);
    select(ResultList::Protocol);
    select(ResultList::Warnings);
    processMessages();
}

void RunPhases::phase2LowestLevel()
{
    lampStart(Lamp::BLED2);
    protocol(" Ermittlung der niedrigsten Fläche gestartet", kColourGreen);
    select(ResultList::Protocol);
    std::int32_t current = 0;
    std::int32_t lowest = 0;
    const std::size_t n = m_lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = m_lines[i];
        if ((m_keys[i] & kHasZ) != 0) {
            current = importNumber(fixedCut(line, kKeyZ, kCoordinateCut), i);
        }
        lowest = std::min(lowest, current);
        progressStep(i, n);
    }
    m_out.setDisplay(NumberDisplay::LowestLevel, lowest);
    record([&](ItemRecord& r) { r.setLowestLevel(lowest); });
    lampDone(Lamp::BLED2);
    if (lowest <= -20) {
        append(ResultList::Warnings, "ACHTUNG: Eventuell ist ein Keller vorhanden!!!", kColourRed);
        select(ResultList::Warnings);
    }
    protocol(" Niedrigste Fläche auf Z=" + number(lowest), kColourBlack);
    protocol(" Ermittlung der niedrigsten Fläche beendet", kColourGreen);
}

// One extents scan: the value of every line holding `key` replaces the result when it is
// smaller (wantMin) or larger.
std::int32_t RunPhases::extentScan(std::string_view key, std::int32_t start, bool wantMin,
                                   bool keys)
{
    const std::uint8_t keyBit = key == kKeyX ? kHasX : kHasY;
    std::int32_t current = start;
    std::int32_t result = start;
    const std::size_t n = m_lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = m_lines[i];
        if ((m_keys[i] & keyBit) != 0) {
            current = importNumber(fixedCut(line, key, kCoordinateCut), i);
            if (keys) {
                if (auto k = itemPositionKey(m_lines, i)) {
                    m_keySet.push_back({std::move(*k), i});
                }
            }
        }
        result = wantMin ? std::min(result, current) : std::max(result, current);
        progressStep(i, n);
    }
    return result;
}

void RunPhases::phase3Extents()
{
    protocol(" Ermittlung der X/Y Koordinaten gestartet", kColourGreen);
    select(ResultList::Protocol);
    lampStart(Lamp::BLED7);
    processMessages();
    m_minX = extentScan(kKeyX, 10000, true, false);
    protocol(" Kleinster X-Wert=" + number(m_minX), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    m_minY = extentScan(kKeyY, 10000, true, false);
    protocol(" Kleinster Y-Wert=" + number(m_minY), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    m_maxX = extentScan(kKeyX, 0, false, false);
    protocol(" Größter X-Wert=" + number(m_maxX), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    m_maxY = extentScan(kKeyY, 0, false, true);
    sortKeySet();
    record([&](ItemRecord& r) { r.setExtents(m_minX, m_minY, m_maxX, m_maxY); });
    protocol(" Größter Y-Wert=" + number(m_maxY), kColourBlack);
    protocol(" Ermittlung der X/Y Koordinaten beendet", kColourGreen);
}

// ItemKeySet: sorted by compareItemKeys, each key once (the first one added stays). Sorts by
// precomputed sort texts that memcmp orders exactly as compareItemKeys does. Remembers for
// every y line that gave a key the index of its key in the set (phase 7 counts by it).
void RunPhases::sortKeySet()
{
    std::vector<std::pair<std::string, std::uint32_t>> order;
    order.reserve(m_keySet.size());
    for (std::size_t k = 0; k < m_keySet.size(); ++k) {
        order.emplace_back(itemKeySortText(m_keySet[k].first), static_cast<std::uint32_t>(k));
    }
    // Equal texts in the order they were added, as a stable sort keeps them: the second member is
    // that order.
    std::sort(order.begin(), order.end());
    std::vector<std::pair<std::string, std::size_t>> sorted;
    sorted.reserve(order.size());
    m_keyLines.assign(m_keySet.size(), {});
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t original = order[k].second;
        if (k == 0 || order[k].first != order[k - 1].first) {
            sorted.push_back(m_keySet[original]);
        }
        m_keyLines[original] = {m_keySet[original].second,
                                static_cast<std::uint32_t>(sorted.size() - 1)};
    }
    m_keySet = std::move(sorted);
}

void RunPhases::phase4SquareSteps()
{
    protocol(" Ermittlung der Quadratschritt gestartet", kColourGreen);
    select(ResultList::Protocol);
    lampDone(Lamp::BLED7);
    lampStart(Lamp::BLED5);
    processMessages();
    const std::int64_t width = std::int64_t{m_maxX} - m_minX + 1;
    const std::int64_t height = std::int64_t{m_maxY} - m_minY + 1;
    // 32-bit signed arithmetic (the cut values keep it in range; wraps like it otherwise).
    m_squareSteps = static_cast<std::int32_t>(static_cast<std::uint32_t>(
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height)));
    m_out.setDisplay(NumberDisplay::SquareSteps, m_squareSteps);
    record([&](ItemRecord& r) { r.setSquareSteps(m_squareSteps); });
    const std::int32_t qs = m_squareSteps;
    for (const AreaLimit& limit : exceededAreaLimits(qs)) {
        append(ResultList::Warnings, std::string(limit.warning), kColourRed);
    }
    select(ResultList::Warnings);
    protocol(" Ermittelte Quadratschritt: " + number(qs), kColourBlack);
    protocol(" Ermittlung der Quadratschritt beendet", kColourGreen);
    select(ResultList::Protocol);
    lampDone(Lamp::BLED5);
}

} // namespace tarvek::detail
