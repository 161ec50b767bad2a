// The cost breakdown that phase 8 records.
#include "pricing/GraphicKey.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <random>

using namespace tarvek;
using namespace tarvek::testing;

// Over generated imports and price lists (bundles that do not divide evenly, piece counts of 0,
// duplicate and upper-case lines, exempt and unknown graphics, huge counts and prices) the rows
// of each class add up exactly to that item sum, and each row tells what happened to it.
TEST(Breakdown, RowsAddUpToTheItemSums)
{
    std::mt19937 random(1234);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 60; ++round) {
        RunFixture f;
        std::vector<std::string> priceLines;
        for (int g = 1; g <= 30; ++g) {
            if (pick(0, 4) == 0) {
                continue; // no price line: not calculated
            }
            const bool bundle = pick(0, 1) == 1;
            const std::string price = std::to_string(pick(0, 2) == 0 ? 2000000000 : pick(0, 999));
            priceLines.push_back(graphicKey(g) + "|Ware " + std::to_string(g) + "|" + price +
                                 (bundle ? "|b|" + std::to_string(pick(0, 12)) : "|t|1") + "|" +
                                 std::to_string(pick(0, 1)) + "|0|0");
        }
        priceLines.push_back("0x1646|Ausnahme|5|t|1|0|0|0");
        f.priceList = lines(priceLines);
        std::vector<Item> items;
        const int count = pick(1, 120);
        for (int i = 0; i < count; ++i) {
            const int g = pick(0, 8) == 0 ? 5702 + pick(0, 1) : pick(1, 34);
            items.push_back(item(std::to_string(g), std::to_string(100 + i), "200"));
        }
        ASSERT_EQ(f.run(importFile(items)), RunOutcome::Complete);

        const Breakdown& b = f.state.breakdown;
        EXPECT_EQ(b.sum(true), f.state.itemSumHZ);
        EXPECT_EQ(b.sum(false), f.state.itemSumNHZ);
        std::int64_t itemCount = 0;
        std::vector<std::string> notCalculated;
        for (const BreakdownRow& row : b.rows()) {
            itemCount += row.items;
            EXPECT_EQ(b.find(row.graphic), &row);
            if (row.status == BreakdownStatus::NotCalculated) {
                notCalculated.push_back("D:" + std::to_string(row.graphic) + ", H:" + row.key +
                                        ", Anz.:" + std::to_string(row.items));
            }
            if (row.status == BreakdownStatus::Priced && row.kind != "t") {
                EXPECT_EQ(row.amount, row.items * row.price / *row.pieces) << row.key;
            }
            if (row.status != BreakdownStatus::Priced) {
                EXPECT_EQ(row.amount, 0) << row.key;
            }
            EXPECT_EQ(row.status == BreakdownStatus::Exempt, row.graphic == 5703);
        }
        EXPECT_EQ(itemCount, count);
        EXPECT_EQ(notCalculated, f.texts(ResultList::NotCalculated));

        // "Stopp" while phase 8 prices (two progress steps per graphic at the end of the run):
        // the rows recorded so far still match the sums that "Refresh" would bill.
        RunFixture stopped;
        stopped.priceList = f.priceList;
        const int pumps = static_cast<int>(f.window.pumpCount());
        stopped.window.setCancelHook([at = pick(pumps - 2 * int(b.rows().size()), pumps - 2)](
                                         std::uint64_t n) { return n >= std::uint64_t(at); });
        stopped.run(importFile(items));
        EXPECT_EQ(stopped.state.breakdown.sum(true), stopped.state.itemSumHZ);
        EXPECT_EQ(stopped.state.breakdown.sum(false), stopped.state.itemSumNHZ);
    }
}

TEST(Breakdown, RowOfEachKind)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Rucksack|120|t|1|0|0|0", "0x1bfb|Fackeln|500|B|10|1|0|0",
                         "0x0001|Leer|9|b|0|1|0|0"});
    f.run(importFile({item("3701"), item("7163", "101"), item("7163", "102"), item("7163", "103"),
                      item("1", "104"), item("4660", "105"), item("5702", "106")}));
    const Breakdown& b = f.state.breakdown;
    ASSERT_EQ(b.rows().size(), 5u);
    const BreakdownRow& bundle = b.rows()[1];
    EXPECT_EQ(bundle.key, "0x1bfb");
    EXPECT_EQ(bundle.name, "Fackeln");
    EXPECT_EQ(bundle.kind, "b");
    EXPECT_EQ(bundle.pieces, 10);
    EXPECT_FALSE(bundle.hz);
    EXPECT_EQ(bundle.amount, 150);
    EXPECT_EQ(b.rows()[2].status, BreakdownStatus::BundleError);
    EXPECT_EQ(b.rows()[3].status, BreakdownStatus::NotCalculated);
    EXPECT_EQ(b.find(5702)->status, BreakdownStatus::Exempt);
    EXPECT_EQ(b.find(42), nullptr);

    // Answer No to the nested-items question: no pricing, so no rows either, and the fields of
    // the last bill belong to no bill on screen.
    EXPECT_TRUE(f.state.billShown);
    f.window.setAnswer(Answer::No);
    f.run(importFile({item("3701"), item("3701")}));
    EXPECT_TRUE(f.state.breakdown.empty());
    EXPECT_FALSE(f.state.billShown);
}
