// Phase 8: the graphics tallied and priced from the price list, then the bill.
#include "calc/RunPhases.h"

#include "base/AsciiCase.h"
#include "calc/Bill.h"
#include "calc/ItemRecord.h"
#include "calc/Warnings.h"
#include "importfile/ImportFormat.h"
#include "pricing/GraphicKey.h"
#include "pricing/PriceList.h"

#include <unordered_map>

namespace tarvek::detail {
namespace {

constexpr std::string_view kBundleError = "Berechnungsfehler. Bundleitem hat Anzahl Items 0. "
                                          "Bitte folgende Zeile an Morlin senden:\r\n";

} // namespace

void RunPhases::phase8Pricing()
{
    lampStart(Lamp::BLED4);
    protocol(" Itemberechnung gestartet", kColourGreen);
    {
        // GraphicTally: graphics in the order of first occurrence, with their counts.
        std::vector<std::pair<std::string, std::int64_t>> tally;
        std::unordered_map<std::int32_t, std::size_t> tallyIndex;
        std::vector<std::int32_t> tallyGraphics; // the graphic number of each entry
        const std::size_t n = m_lines.size();
        scan(kHasGraphic, [&](std::size_t i) {
            const std::string_view text = fixedCut(m_lines[i], kKeyGraphic, kGraphicCut);
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
                    append(ResultList::Warnings, std::string(kBorderWarning), kColourRed);
                    select(ResultList::Warnings);
                    record([&](ItemRecord& r) { r.markBorder(i); });
                }
            }
        });
        const std::shared_ptr<const PriceList> list = loadPriceList();
        const PriceList& prices = *list;
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
            // A bundle line with the piece count 0 adds nothing: its items are not calculated.
            const ItemCategory outcome =
                row.status == BreakdownStatus::Exempt   ? ItemCategory::Exempt
                : row.status != BreakdownStatus::Priced ? ItemCategory::NotCalculated
                : row.hz                                ? ItemCategory::PricedHZ
                                                        : ItemCategory::PricedNHZ;
            const bool listed = row.status == BreakdownStatus::NotCalculated;
            record([&](ItemRecord& r) { r.setGraphicOutcome(row.graphic, outcome, listed); });
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
void RunPhases::priceGraphic(const PriceList& prices, std::size_t index, BreakdownRow& row)
{
    const std::string line = asciiLower(prices.line(index));
    checkColumns(prices, index, line, {6});
    const std::string_view kind = priceColumnText(line, 4);
    row.hasPriceLine = true;
    row.name = priceText(priceColumnText(prices.line(index), 2));
    row.kind = priceText(kind);
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
                              std::string(kBundleError) + messageQuote(line, prices.encoding()));
            return;
        }
        row.amount = row.items * row.price / pieces;
    }
    row.status = BreakdownStatus::Priced;
    (row.hz ? m_state.itemSumHZ : m_state.itemSumNHZ) += row.amount;
}

} // namespace tarvek::detail
