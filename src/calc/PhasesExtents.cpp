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
    scan(kHasEntry, [&](std::size_t) {
        ++count;
        m_out.setDisplay(NumberDisplay::ItemCount, count);
    });
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
    // The lowest of 0 and every z value (each line's value stays the current one until the next
    // z line).
    std::int32_t lowest = 0;
    scan(kHasZ, [&](std::size_t i) {
        lowest = std::min(lowest, importNumber(fixedCut(m_lines[i], kKeyZ, kCoordinateCut), i));
    });
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

// The four extents in one pass over the lines, with the key set. The first x line that is no
// number ends the run here, as the first scan would; the first such y line is kept for the second
// scan, which ends the run there.
RunPhases::Extents RunPhases::measureExtents()
{
    Extents e;
    // Room for a key of every y line at once: grown step by step, the set would take twice that.
    std::size_t yLines = 0;
    for (std::size_t i = m_lines.nextWith(kHasY, 0); i < m_lines.size();
         i = m_lines.nextWith(kHasY, i + 1)) {
        ++yLines;
    }
    m_keySet.reserve(yLines);
    scan(kHasX | kHasY, [&](std::size_t i) {
        const std::uint8_t keys = m_lines.keys(i);
        if ((keys & kHasX) == 0 && e.badY) {
            return; // a y line after one that is no number: the second scan ends the run first
        }
        const std::string_view line = m_lines[i];
        if ((keys & kHasX) != 0) {
            const std::int32_t x = importNumber(fixedCut(line, kKeyX, kCoordinateCut), i);
            e.minX = std::min(e.minX, x);
            e.maxX = std::max(e.maxX, x);
        }
        if ((keys & kHasY) != 0 && !e.badY) {
            if (const auto y = toInteger(fixedCut(line, kKeyY, kCoordinateCut))) {
                e.minY = std::min(e.minY, *y);
                e.maxY = std::max(e.maxY, *y);
                if (const auto k = itemKeyText(m_lines, i)) {
                    m_keySet.emplace_back(*k, i);
                }
            } else {
                e.badY = i;
            }
        }
    });
    return e;
}

// One more scan of phase 3 whose values the first one found: its progress and cancel checks, and
// the conversion error of `bad` when it reaches that line.
void RunPhases::repeatScan(std::optional<std::size_t> bad, std::string_view key)
{
    const std::size_t n = m_lines.size();
    if (bad) {
        progressSteps(0, *bad, n);
        importNumber(fixedCut(m_lines[*bad], key, kCoordinateCut), *bad);
    }
    progressSteps(0, n, n);
}

void RunPhases::phase3Extents()
{
    protocol(" Ermittlung der X/Y Koordinaten gestartet", kColourGreen);
    select(ResultList::Protocol);
    lampStart(Lamp::BLED7);
    processMessages();
    const Extents e = measureExtents();
    m_minX = e.minX;
    protocol(" Kleinster X-Wert=" + number(m_minX), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    repeatScan(e.badY, kKeyY);
    m_minY = e.minY;
    protocol(" Kleinster Y-Wert=" + number(m_minY), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    repeatScan(std::nullopt, kKeyX);
    m_maxX = e.maxX;
    protocol(" Größter X-Wert=" + number(m_maxX), kColourBlack);
    select(ResultList::Protocol);
    processMessages();
    repeatScan(std::nullopt, kKeyY);
    m_maxY = e.maxY;
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
    // The sort texts one after the other in one block, each as long as it is: a file of a million
    // short items has a million keys.
    const std::size_t count = m_keySet.size();
    std::size_t room = 0;
    for (const auto& key : m_keySet) {
        room += 3 * key.first.size + 1;
    }
    std::vector<char> texts(room);
    std::vector<std::uint32_t> ends(count);
    std::vector<std::uint32_t> order(count);
    std::size_t end = 0;
    for (std::size_t k = 0; k < count; ++k) {
        end += writeItemKeySortText(m_keySet[k].first.view(), texts.data() + end);
        ends[k] = static_cast<std::uint32_t>(end);
        order[k] = static_cast<std::uint32_t>(k);
    }
    const auto text = [&](std::uint32_t k) {
        const std::uint32_t start = k == 0 ? 0 : ends[k - 1];
        return std::string_view(texts.data() + start, ends[k] - start);
    };
    // Equal texts in the order they were added, as a stable sort keeps them.
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int c = text(a).compare(text(b));
        return c != 0 ? c < 0 : a < b;
    });
    // Which keys begin a run of equal ones; then the texts are let go before the set is rebuilt.
    std::vector<bool> first(count);
    for (std::size_t k = 0; k < count; ++k) {
        first[k] = k == 0 || text(order[k]) != text(order[k - 1]);
    }
    std::vector<char>().swap(texts);
    std::vector<std::uint32_t>().swap(ends);
    std::vector<std::pair<ItemKeyText, std::size_t>> sorted;
    sorted.reserve(static_cast<std::size_t>(std::count(first.begin(), first.end(), true)));
    m_keyLines.assign(count, {});
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t original = order[k];
        if (first[k]) {
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
