// What a run records about every item for the plan of the building.
#include "support/engine/RunHelpers.h"

#include "calc/ItemRecord.h"

#include <gtest/gtest.h>

using namespace tarvek;
using namespace tarvek::testing;

TEST(ItemRecord, CategoriesFollowTheFindingsInTheirOrder)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Rucksack|120|t|1|0|0|0", "0x0e77|Fass|90|t|1|1|1|1",
                         "0x1f13|Spawner|5000|t|1|1|0|1", "0x1bfb|Fackeln|500|b|10|1|0|0",
                         "0x0b1a|Kerzen|300|b|0|0|0|0"});
    std::vector<Item> house = {
        item("3701", "100", "200", "5"),         // nested with the next one, priced HZ
        item("3701", "100", "200", "5"),         //
        item("3701", "100", "200", "6"),         // same graphic one level up: priced HZ only
        item("3703", "101", "201"),              // not importable and spawn, priced NHZ
        item("7955", "102", "199", "-5"),        // spawn
        item("1173", "103", "200", "0", "1283"), // border, but its graphic is not calculated
        item("1173", "104", "200", "0", "1284"), // not calculated
        item("5702", "99", "202"),               // exempt
        item("7163", "100", "203"),              // priced NHZ
        item("4660", "105", "200"),              // at one place, but unpriced: not listed as nested
        item("4660", "105", "200"),
    };
    house.push_back(item("100", "1234567"));     // x cut to 1234 as phase 3 reads it
    house.push_back(item("2842", "101", "200")); // bundle of 0 pieces: not priced, not listed
    ItemRecord record;
    RunSettings settings;
    settings.readPriceList = [&] { return f.priceList; };
    settings.clock = &f.clock;
    settings.items = &record;
    CalculationRun run(std::move(settings), f.state, f.window);
    ASSERT_EQ(run.execute(splitLines(importFile(house))), RunOutcome::Complete);

    ASSERT_TRUE(record.complete());
    using C = ItemCategory;
    const std::vector<C> expected = {
        C::Nested,        C::Nested,        C::PricedHZ,     C::NotImportable, C::Spawn,
        C::NotCalculated, C::NotCalculated, C::Exempt,       C::PricedNHZ,     C::NotCalculated,
        C::NotCalculated, C::NotCalculated, C::NotCalculated};
    ASSERT_EQ(record.items().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(record.items()[i].category(), expected[i]) << i;
    }
    const auto& items = record.items();
    EXPECT_TRUE(items[3].has(C::Spawn));
    EXPECT_TRUE(items[5].has(C::BuildZoneBorder));
    EXPECT_EQ(items[4].z, -5);
    EXPECT_EQ(items[5].colour, 1283);
    EXPECT_EQ(items[11].x, 1234);
    // The lines the lists got for them.
    EXPECT_EQ(items[0].nestedLine, 0);
    EXPECT_EQ(items[1].nestedLine, 0);
    EXPECT_EQ(items[2].nestedLine, -1);
    EXPECT_EQ(items[3].movableLine, 0);
    EXPECT_EQ(f.texts(ResultList::NotCalculated)[std::size_t(items[9].notCalculatedLine)],
              "D:4660, H:0x1234, Anz.:2");
    EXPECT_EQ(items[5].notCalculatedLine, items[6].notCalculatedLine);
    EXPECT_EQ(items[12].notCalculatedLine, -1);
    EXPECT_EQ(record.minX(), 99);
    EXPECT_EQ(record.maxX(), 1234);
    EXPECT_EQ(record.minY(), 199);
    EXPECT_EQ(record.maxY(), 203);
    EXPECT_EQ(record.squareSteps(), (1234 - 99 + 1) * 5);
    EXPECT_EQ(record.lowestLevel(), -5);
}

TEST(ItemRecord, IncompleteRunsAndBrokenEntries)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Rucksack|120|t|1|0|0|0"});
    ItemRecord record;
    const auto runWith = [&](const std::string& bytes) {
        RunSettings settings;
        settings.readPriceList = [&] { return f.priceList; };
        settings.clock = &f.clock;
        settings.items = &record;
        return CalculationRun(std::move(settings), f.state, f.window).execute(splitLines(bytes));
    };
    // Answer No to the nested items: phase 8 never decides the prices.
    f.window.setAnswer(Answer::No);
    EXPECT_EQ(runWith(importFile({item("3701"), item("3701")})), RunOutcome::Stopped);
    EXPECT_FALSE(record.complete());
    EXPECT_TRUE(record.items()[0].has(ItemCategory::Nested));
    EXPECT_EQ(record.items()[0].category(), ItemCategory::Nested);

    // An entry whose y line is missing has no position; the next run starts afresh.
    f.window.setAnswer(Answer::Yes);
    const std::string broken = lines({"Entry Header", "{", "}", "Entry I 1", "{", "\tgraphic\t3701",
                                      "\tx\t5", "\tname\tKiste", "\tz\t0", "\tcolor\t0", "}"});
    EXPECT_EQ(runWith(broken), RunOutcome::Complete);
    ASSERT_EQ(record.items().size(), 1u);
    EXPECT_FALSE(record.items()[0].hasPosition);
    EXPECT_TRUE(record.items()[0].hasColour);
    EXPECT_EQ(record.items()[0].category(), ItemCategory::PricedHZ);
}
