// Phase 7: items lying in one another, and the question whether to go on.
#include "calc/RunPhases.h"

#include "base/AsciiCase.h"
#include "calc/ItemRecord.h"
#include "importfile/ImportFormat.h"
#include "importfile/ItemKey.h"
#include "pricing/GraphicKey.h"
#include "pricing/PriceList.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace tarvek::detail {
namespace {

constexpr std::string_view kNestedQuestion =
    "Es wurden ineinanderliegende Items gefunden.\r\nDiese werden natürlich mitberechnet. "
    "Möchtest du die\r\nBerechnung dennoch fortführen?";

} // namespace

// Phase 7; false when the user declined to go on.
bool RunPhases::phase7Nested()
{
    std::int64_t nested = 0;
    m_state.nestedCount = 0;
    lampStart(Lamp::BLED3);
    protocol(" Prüfung ineinanderliegender Items gestartet", kColourGreen);
    {
        // AllKeys as counts per key of ItemKeySet (keys equal case-insensitively are one
        // key; keys that ItemKeySet does not hold are never counted). The y lines of phase 3
        // are known with their key; other lines with "y\t" are looked up by their key.
        std::vector<std::int64_t> counts(m_keySet.size(), 0);
        std::unordered_map<std::string, std::uint32_t> byKey;          // built when first needed
        std::vector<std::pair<std::size_t, std::uint32_t>> otherLines; // y line, key
        std::size_t next = 0;
        scan(kHasYTab, [&](std::size_t line) {
            if (next < m_keyLines.size() && m_keyLines[next].first == line) {
                ++counts[m_keyLines[next].second];
                ++next;
            } else if (auto key = itemPositionKey(m_lines, line)) {
                if (byKey.empty()) {
                    for (std::size_t keyIndex = 0; keyIndex < m_keySet.size(); ++keyIndex) {
                        byKey.emplace(asciiLower(m_keySet[keyIndex].first.view()),
                                      static_cast<std::uint32_t>(keyIndex));
                    }
                }
                if (const auto it = byKey.find(asciiLower(*key)); it != byKey.end()) {
                    ++counts[it->second];
                    otherLines.emplace_back(line, it->second);
                }
            }
        });
        std::shared_ptr<const PriceList> prices;
        const std::size_t keyCount = m_keySet.size();
        std::vector<std::int32_t> listedLine(m_items ? keyCount : 0, -1); // per key
        for (std::size_t keyIndex = 0; keyIndex < keyCount; ++keyIndex) {
            const std::string_view key = m_keySet[keyIndex].first.view();
            const std::size_t yIndex = m_keySet[keyIndex].second;
            const std::int64_t count = counts[keyIndex];
            // One test per removal and the final failing test, each followed by processing.
            for (std::int64_t test = 0; test <= count; ++test) {
                processMessages();
            }
            if (count > 1) {
                const std::size_t b1 = key.find('|');
                const std::size_t b2 = key.find('|', b1 + 1);
                const std::size_t b3 = key.find('|', b2 + 1);
                const std::string_view keyText = key;
                const std::string_view graphic = keyText.substr(0, b1);
                const std::string_view posX = keyText.substr(b1 + 1, b2 - b1 - 1);
                const std::string_view posY = keyText.substr(b2 + 1, b3 - b2 - 1);
                const std::string_view posZ = keyText.substr(b3 + 1);
                if (!prices) {
                    prices = loadPriceList();
                    // The graphics of this and of the remaining nested positions.
                    auto graphicKeys = nestedGraphicKeys(counts);
                    if (const auto first = toInteger(graphic)) {
                        graphicKeys.push_back(graphicKey(*first));
                    }
                    prices->prepareFind(graphicKeys);
                }
                const std::string priceKey = graphicKey(importNumber(graphic, yIndex - 2));
                if (prices->contains(priceKey)) {
                    nested += count;
                    append(ResultList::Nested,
                           "D:" + importText(graphic) + ", H:" + priceKey +
                               ", Pos. X:" + importText(posX) + ", Y:" + importText(posY) +
                               ", Z:" + importText(posZ) + ", Anz.:" + number(count),
                           kColourRed);
                    select(ResultList::Nested);
                    record(
                        [&](ItemRecord& items) { listedLine[keyIndex] = items.nextNestedLine(); });
                }
            }
            progressStep(keyIndex, keyCount);
        }
        record([&](ItemRecord& items) {
            items.markNested(m_keyLines, listedLine);
            items.markNested(otherLines, listedLine);
        });
    }
    m_state.nestedCount = nested;
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
std::vector<std::string> RunPhases::nestedGraphicKeys(const std::vector<std::int64_t>& counts) const
{
    std::vector<std::string> keys;
    std::unordered_set<std::int32_t> seen;
    for (std::size_t p = 0; p < m_keySet.size(); ++p) {
        if (counts[p] < 2) {
            continue;
        }
        const std::string_view key = m_keySet[p].first.view();
        if (const auto g = toInteger(key.substr(0, key.find('|'))); g && seen.insert(*g).second) {
            keys.push_back(graphicKey(*g));
        }
    }
    return keys;
}

} // namespace tarvek::detail
