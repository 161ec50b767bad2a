#include "calc/CalculationRun.h"

#include "calc/ItemRecord.h"
#include "calc/RunSteps.h"
#include "importfile/Cp1252.h"
#include "importfile/ImportFormat.h"
#include "importfile/ItemKey.h"
#include "pricing/Bill.h"
#include "pricing/GraphicKey.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tarvek {
namespace {

using namespace detail;

constexpr std::string_view kNestedQuestion =
    "Es wurden ineinanderliegende Items gefunden.\r\nDiese werden natürlich mitberechnet. "
    "Möchtest du die\r\nBerechnung dennoch fortführen?";
constexpr std::string_view kBundleError = "Berechnungsfehler. Bundleitem hat Anzahl Items 0. "
                                          "Bitte folgende Zeile an Morlin senden:\r\n";

// One run over one ImportLines; lives inside CalculationRun::execute().
class Run : private detail::RunSteps
{
public:
    Run(const RunSettings& settings, RunState& state, RunObserver& observer, ImportLines lines)
        : RunSteps(settings, observer), m_state(state), m_lines(std::move(lines)),
          m_items(settings.items)
    {}

    RunOutcome run()
    {
        m_keys.reserve(m_lines.size());
        for (const std::string& line : m_lines) {
            m_keys.push_back(lineKeys(line));
        }
        if (m_items) {
            m_items->clear();
        }
        try {
            m_out.Resetten();
            m_autoSelect = true;
            phase1ItemCount();
            phase2LowestLevel();
            phase3Extents();
            phase4SquareSteps();
            m_autoSelect = false;
            phase5And6Movable();
            if (!phase7Nested()) {
                // Answer No: the run ends without phase 8 and without a bill.
                m_state.billReady = true;
                m_out.schalterschalt(true);
                return RunOutcome::Stopped;
            }
            phase8Pricing();
            m_state.billReady = true;
            m_out.schalterschalt(true);
            return RunOutcome::Complete;
        } catch (const RunEnd& end) {
            switch (end.outcome) {
            case RunOutcome::Cancelled:
                m_out.schalterschalt(true);
                m_out.Resetten();
                break;
            case RunOutcome::PriceListMissing:
                m_out.showMessage(MessageKind::Error, "Fehler", end.message);
                m_out.schalterschalt(true);
                m_out.Resetten();
                break;
            default:
                m_out.showMessage(MessageKind::Error, "Fehler", end.message);
                m_out.schalterschalt(true);
                break;
            }
            return end.outcome;
        }
    }

private:
    // ---- Phases

    void phase1ItemCount()
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

    void phase2LowestLevel()
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
            append(ResultList::Warnings, "ACHTUNG: Eventuell ist ein Keller vorhanden!!!",
                   kColourRed);
            select(ResultList::Warnings);
        }
        protocol(" Niedrigste Fläche auf Z=" + number(lowest), kColourBlack);
        protocol(" Ermittlung der niedrigsten Fläche beendet", kColourGreen);
    }

    // One extents scan: the value of every line holding `key` replaces the result when it is
    // smaller (wantMin) or larger.
    std::int32_t extentScan(std::string_view key, std::int32_t start, bool wantMin, bool keys)
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

    void phase3Extents()
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
    void sortKeySet()
    {
        std::vector<std::pair<std::string, std::uint32_t>> order;
        order.reserve(m_keySet.size());
        for (std::size_t k = 0; k < m_keySet.size(); ++k) {
            order.emplace_back(itemKeySortText(m_keySet[k].first), static_cast<std::uint32_t>(k));
        }
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
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

    void phase4SquareSteps()
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
        if (qs > 300 && qs <= 450) {
            append(ResultList::Warnings, "QS überschreiten eventuell das Maximum für Einzelperson",
                   kColourRed);
        } else if (qs > 450) {
            append(ResultList::Warnings, "QS überschreiten eventuell das Maximum für Paare",
                   kColourRed);
        }
        if (qs > 1000) {
            append(ResultList::Warnings,
                   "QS überschreiten event. das Maximum für nicht anerkannte Gilden", kColourRed);
        }
        if (qs > 3000) {
            append(ResultList::Warnings,
                   "QS überschreiten event. das Maximum für anerkannte Gilden", kColourRed);
        }
        select(ResultList::Warnings);
        protocol(" Ermittelte Quadratschritt: " + number(qs), kColourBlack);
        protocol(" Ermittlung der Quadratschritt beendet", kColourGreen);
        select(ResultList::Protocol);
        lampDone(Lamp::BLED5);
    }

    void phase5And6Movable()
    {
        lampStart(Lamp::BLED9);
        protocol(" Prüfung auf bewegliche Items gestartet", kColourGreen);
        select(ResultList::Protocol);
        const PriceList prices = loadPriceList();
        {
            // The keys this phase will look up (unconvertible ones stop the scan below anyway).
            std::vector<std::string> keys;
            std::unordered_set<std::int32_t> seen;
            for (std::size_t i = 0; i < m_lines.size(); ++i) {
                const std::string& line = m_lines[i];
                if ((m_keys[i] & kHasGraphic) != 0) {
                    if (const auto g = toInteger(restCut(line, kKeyGraphic));
                        g && seen.insert(*g).second) {
                        keys.push_back(asciiLower(graphicKey(*g)));
                    }
                }
            }
            prices.prepareMovableMarks(keys);
        }
        std::int64_t movable = 0;
        std::uint32_t spawns = 0; // wraps like the 32-bit field instead of overflowing
        m_state.spawnCount = 0;
        const std::size_t n = m_lines.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& line = m_lines[i];
            if ((m_keys[i] & kHasGraphic) != 0) {
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
                               "D:" + cp1252ToUtf8(d) + ", H:" + h +
                                   ", Pos. X:" + cp1252ToUtf8(restCut(m_lines[i + 1], "x\t")) +
                                   ", Y:" + cp1252ToUtf8(restCut(m_lines[i + 2], "y\t")) +
                                   ", Z:" + cp1252ToUtf8(restCut(m_lines[i + 3], "z\t")),
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
            }
            progressStep(i, n);
        }
        protocol(" Anzahl beweglicher Items: " + number(movable), kColourBlack);
        select(ResultList::Protocol);
        protocol(" Prüfung auf bewegliche Items beendet", kColourGreen);
        select(ResultList::Protocol);

        // Phase 6: spawn limits.
        const std::int32_t count = m_state.spawnCount;
        protocol(" Anzahl Spawns: " + number(count), kColourBlack);
        select(ResultList::Protocol);
        const std::string n2 = number(count);
        if (count > 10) {
            append(ResultList::Warnings, "Anzahl Spawns (" + n2 + ") zuviel für einen Char",
                   kColourRed);
        }
        if (count > 20) {
            append(ResultList::Warnings, "Anzahl Spawns (" + n2 + ") zuviel für zwei Chars",
                   kColourRed);
        }
        if (count > 30) {
            append(ResultList::Warnings,
                   "Anzahl Spawns (" + n2 + ") zuviel für nichtanerkannte Gilde", kColourRed);
        }
        if (count > 60) {
            append(ResultList::Warnings, "Anzahl Spawns (" + n2 + ") zuviel für anerkannte Gilde",
                   kColourRed);
        }
        select(ResultList::Warnings);
        lampDone(Lamp::BLED9);
    }

    // Phase 7; false when the user declined to go on.
    bool phase7Nested()
    {
        std::int64_t nested = 0;
        lampStart(Lamp::BLED3);
        protocol(" Prüfung ineinanderliegender Items gestartet", kColourGreen);
        {
            // AllKeys as counts per key of ItemKeySet (keys equal case-insensitively are one
            // key; keys that ItemKeySet does not hold are never counted). The y lines of phase 3
            // are known with their key; other lines with "y\t" are looked up by their key.
            std::vector<std::int64_t> counts(m_keySet.size(), 0);
            std::unordered_map<std::string, std::uint32_t> byKey; // built when first needed
            std::vector<std::pair<std::size_t, std::uint32_t>> otherLines; // y line, key
            std::size_t next = 0;
            const std::size_t n = m_lines.size();
            for (std::size_t i = 0; i < n; ++i) {
                if (next < m_keyLines.size() && m_keyLines[next].first == i) {
                    ++counts[m_keyLines[next].second];
                    ++next;
                } else if ((m_keys[i] & kHasYTab) != 0) {
                    if (auto key = itemPositionKey(m_lines, i)) {
                        if (byKey.empty()) {
                            for (std::size_t p = 0; p < m_keySet.size(); ++p) {
                                byKey.emplace(asciiLower(m_keySet[p].first),
                                              static_cast<std::uint32_t>(p));
                            }
                        }
                        if (const auto it = byKey.find(asciiLower(*key)); it != byKey.end()) {
                            ++counts[it->second];
                            otherLines.emplace_back(i, it->second);
                        }
                    }
                }
                progressStep(i, n);
            }
            std::optional<PriceList> prices;
            const std::size_t keys = m_keySet.size();
            std::vector<std::int32_t> listedLine(m_items ? keys : 0, -1); // per key
            for (std::size_t p = 0; p < keys; ++p) {
                const auto& [key, yIndex] = m_keySet[p];
                const std::int64_t j = counts[p];
                // One test per removal and the final failing test, each followed by processing.
                for (std::int64_t t = 0; t <= j; ++t) {
                    processMessages();
                }
                if (j > 1) {
                    const std::size_t b1 = key.find('|');
                    const std::size_t b2 = key.find('|', b1 + 1);
                    const std::size_t b3 = key.find('|', b2 + 1);
                    const std::string_view k = key;
                    const std::string_view g = k.substr(0, b1);
                    const std::string_view x = k.substr(b1 + 1, b2 - b1 - 1);
                    const std::string_view y = k.substr(b2 + 1, b3 - b2 - 1);
                    const std::string_view z = k.substr(b3 + 1);
                    if (!prices) {
                        prices = loadPriceList();
                        // The graphics of this and of the remaining nested positions.
                        auto keys = nestedGraphicKeys(counts);
                        if (const auto first = toInteger(g)) {
                            keys.push_back(graphicKey(*first));
                        }
                        prices->prepareFind(keys);
                    }
                    const std::string h = graphicKey(importNumber(g, yIndex - 2));
                    if (prices->contains(h)) {
                        nested += j;
                        append(ResultList::Nested,
                               "D:" + cp1252ToUtf8(g) + ", H:" + h + ", Pos. X:" + cp1252ToUtf8(x) +
                                   ", Y:" + cp1252ToUtf8(y) + ", Z:" + cp1252ToUtf8(z) +
                                   ", Anz.:" + number(j),
                               kColourRed);
                        select(ResultList::Nested);
                        record([&](ItemRecord& r) { listedLine[p] = r.nextNestedLine(); });
                    }
                }
                progressStep(p, keys);
            }
            record([&](ItemRecord& r) {
                r.markNested(m_keyLines, listedLine);
                r.markNested(otherLines, listedLine);
            });
        }
        protocol(" Anzahl ineinanderliegender Items: " + number(nested), kColourBlack);
        protocol(" Prüfung ineinanderliegender Items beendet", kColourGreen);
        lampDone(Lamp::BLED3);
        m_keySet.clear();
        m_keySet.shrink_to_fit();
        m_keyLines.clear();
        m_keyLines.shrink_to_fit();
        bool goOn = true;
        if (nested == 0) {
            m_out.setLampColour(Lamp::BLED6, kColourLampGreen);
            m_out.setLampOn(Lamp::BLED6, true);
        } else {
            goOn = m_out.askYesNo("Bestätigen", kNestedQuestion) != Answer::No;
        }
        m_state.itemSumHZ = 0;
        m_state.itemSumNHZ = 0;
        m_state.breakdown.clear();
        return goOn;
    }

    // The keys phase 7 will look up: the graphics of positions holding more than one item.
    std::vector<std::string> nestedGraphicKeys(const std::vector<std::int64_t>& counts) const
    {
        std::vector<std::string> keys;
        std::unordered_set<std::int32_t> seen;
        for (std::size_t p = 0; p < m_keySet.size(); ++p) {
            if (counts[p] < 2) {
                continue;
            }
            const std::string& key = m_keySet[p].first;
            if (const auto g = toInteger(std::string_view(key).substr(0, key.find('|')));
                g && seen.insert(*g).second) {
                keys.push_back(graphicKey(*g));
            }
        }
        return keys;
    }

    void phase8Pricing()
    {
        lampStart(Lamp::BLED4);
        protocol(" Itemberechnung gestartet", kColourGreen);
        {
            // GraphicTally: graphics in the order of first occurrence, with their counts.
            std::vector<std::pair<std::string, std::int64_t>> tally;
            std::unordered_map<std::int32_t, std::size_t> tallyIndex;
            std::vector<std::int32_t> tallyGraphics; // the graphic number of each entry
            const std::size_t n = m_lines.size();
            for (std::size_t i = 0; i < n; ++i) {
                const std::string& line = m_lines[i];
                if ((m_keys[i] & kHasGraphic) != 0) {
                    const std::string_view text = fixedCut(line, kKeyGraphic, kGraphicCut);
                    const std::int32_t graphic = importNumber(text, i);
                    const auto [it, added] = tallyIndex.try_emplace(graphic, tally.size());
                    if (added) {
                        tally.emplace_back(asciiLower(graphicKey(graphic)), 1);
                        tallyGraphics.push_back(graphic);
                    } else {
                        ++tally[it->second].second;
                    }
                    if (text == "1173") {
                        if (i + 4 >= n) {
                            beyondEnd(i, "die color-Zeile");
                        }
                        if (fixedCut(m_lines[i + 4], kKeyColor, kColorCut) == "1283") {
                            append(ResultList::Warnings,
                                   "Achtung: Bauzonenränder sind noch vorhanden!!!", kColourRed);
                            select(ResultList::Warnings);
                            record([&](ItemRecord& r) { r.markBorder(i); });
                        }
                    }
                }
                progressStep(i, n);
            }
            const PriceList prices = loadPriceList();
            {
                std::vector<std::string> keys;
                keys.reserve(tally.size());
                for (const auto& entry : tally) {
                    keys.push_back(entry.first);
                }
                prices.prepareFind(keys);
            }
            const std::size_t entries = tally.size() * 2; // key and count text per graphic
            for (std::size_t g = 0; g < tally.size(); ++g) {
                const auto& [key, count] = tally[g];
                BreakdownRow row;
                row.graphic = tallyGraphics[g];
                row.key = key;
                row.items = count;
                if (const auto found = prices.findPriceLine(key)) {
                    priceGraphic(prices, *found, row);
                } else if (key == "0x1646" || key == "0x1647") {
                    row.status = BreakdownStatus::Exempt;
                } else {
                    append(ResultList::NotCalculated,
                           "D:" + number(graphicKeyToNumber(key)) + ", H:" + key +
                               ", Anz.:" + number(count),
                           kColourRed);
                    select(ResultList::NotCalculated);
                }
                const ItemCategory outcome =
                    row.status == BreakdownStatus::Exempt          ? ItemCategory::Exempt
                    : row.status == BreakdownStatus::NotCalculated ? ItemCategory::NotCalculated
                    : row.hz                                       ? ItemCategory::PricedHZ
                                                                   : ItemCategory::PricedNHZ;
                record([&](ItemRecord& r) { r.setGraphicOutcome(row.graphic, outcome); });
                m_state.breakdown.add(std::move(row));
                progressStep(2 * g, entries);
                progressStep(2 * g + 1, entries); // the count text, passed over
            }
            rechnungsermittlung(m_state, BillInputs{m_out.feeChoice(), m_squareSteps}, m_out,
                                m_settings.separators);
        }
        protocol(" Itemberechnung beendet", kColourGreen);
        select(ResultList::Protocol);
        lampDone(Lamp::BLED4);
        record([](ItemRecord& r) { r.finish(); });
    }

    // The pricing of one graphic from its price line; the row of the breakdown records it.
    void priceGraphic(const PriceList& prices, std::size_t index, BreakdownRow& row)
    {
        const std::string line = asciiLower(prices.line(index));
        checkColumns(prices, index, line, {6});
        const std::string_view kind = priceColumnText(line, 4);
        row.hasPriceLine = true;
        row.name = cp1252ToUtf8(priceColumnText(prices.line(index), 2));
        row.kind = kind;
        row.price = priceNumber(priceColumnText(line, 3), index);
        row.pieces = toInteger(priceColumnText(line, 5));
        row.hz = priceColumnMark(line, 6) == "0";
        if (kind == "t") {
            row.amount = row.items * row.price;
        } else {
            const std::int32_t pieces = priceNumber(priceColumnText(line, 5), index);
            if (pieces == 0) {
                row.status = BreakdownStatus::BundleError;
                m_out.showMessage(MessageKind::Error, "Fehler",
                                  std::string(kBundleError) + messageQuote(line));
                return;
            }
            row.amount = row.items * row.price / pieces;
        }
        row.status = BreakdownStatus::Priced;
        (row.hz ? m_state.itemSumHZ : m_state.itemSumNHZ) += row.amount;
    }

    // Writes into the item record, when the run keeps one.
    template <typename Write> void record(Write write)
    {
        if (m_items) {
            write(*m_items);
        }
    }

    RunState& m_state;
    ImportLines m_lines;
    std::vector<std::uint8_t> m_keys; // lineKeys() of every line

    std::int32_t m_minX = 10000;
    std::int32_t m_minY = 10000;
    std::int32_t m_maxX = 0;
    std::int32_t m_maxY = 0;
    std::int32_t m_squareSteps = 0;
    // ItemKeySet: the keys with the index of the y line of their first occurrence.
    std::vector<std::pair<std::string, std::size_t>> m_keySet;
    // Every y line of phase 3 that gave a key, in file order, with the index of its key.
    std::vector<std::pair<std::size_t, std::uint32_t>> m_keyLines;
    ItemRecord* const m_items; // the plan of the building, when the run keeps one
};

} // namespace

CalculationRun::CalculationRun(RunSettings settings, RunState& state, RunObserver& observer)
    : m_settings(std::move(settings)), m_state(state), m_observer(observer)
{}

CalculationRun::~CalculationRun() = default;

RunOutcome CalculationRun::execute()
{
    m_observer.schalterschalt(false);
    std::string reason;
    auto lines = readImportLines(m_settings.importFileName, &reason);
    if (!lines) {
        m_observer.showMessage(MessageKind::Error, "Fehler",
                               fileOpenErrorText(m_settings.importFileName, reason));
        m_observer.schalterschalt(true);
        return RunOutcome::Unreadable;
    }
    Run run(m_settings, m_state, m_observer, std::move(*lines));
    return run.run();
}

RunOutcome CalculationRun::execute(ImportLines lines)
{
    m_observer.schalterschalt(false);
    Run run(m_settings, m_state, m_observer, std::move(lines));
    return run.run();
}

} // namespace tarvek
