// The tiles of the plan: which category a tile shows when items share it, and the levels.
#include "views/plan/PlanTiles.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

using namespace tarvek;
using namespace tarvek::testing;
using tarvek::plan::PlanTiles;
using tarvek::plan::Tile;

namespace {

// A complete run of a small house; the price list marks 0x0e77 as not importable.
ItemRecord recordOf(const std::vector<Item>& house)
{
    RunFixture f;
    f.priceList = lines(
        {"0x0064|Wand|250|t|1|0|0|0", "0x0e75|Rucksack|120|t|1|0|0|0", "0x0e77|Fass|90|t|1|1|1|0"});
    ItemRecord record;
    RunSettings settings;
    settings.readPriceList = [&] { return f.priceList; };
    settings.clock = &f.clock;
    settings.items = &record;
    EXPECT_EQ(CalculationRun(std::move(settings), f.state, f.window)
                  .execute(splitLines(importFile(house))),
              RunOutcome::Complete);
    return record;
}

std::vector<std::tuple<int, int, ItemCategory, int>> summary(const PlanTiles& tiles)
{
    std::vector<std::tuple<int, int, ItemCategory, int>> out;
    for (const Tile& t : tiles.tiles()) {
        out.emplace_back(t.x, t.y, t.category, int(t.count));
    }
    return out;
}

} // namespace

TEST(PlanTiles, TheMostImportantItemDecidesEachTileOnEveryLevel)
{
    const ItemRecord record = recordOf({
        item("100", "100", "200"),       // wall, priced HZ
        item("3703", "100", "200"),      // same tile: may not be imported
        item("100", "101", "200"),       // wall on level 0
        item("3701", "101", "200", "5"), // two backpacks in one another one level up
        item("3701", "101", "200", "5"),
        item("100", "102", "201", "5"),
        item("100", "99", "203"),
    });
    using C = ItemCategory;
    using Row = std::tuple<int, int, ItemCategory, int>;
    const PlanTiles all(record.items(), std::nullopt);
    EXPECT_EQ(summary(all), (std::vector<Row>{{100, 200, C::NotImportable, 2},
                                              {101, 200, C::Nested, 3},
                                              {102, 201, C::PricedHZ, 1},
                                              {99, 203, C::PricedHZ, 1}}));
    // A tile's items: the most important first, then in file order.
    const auto items = all.itemsOf(*all.at(101, 200));
    EXPECT_EQ(std::vector<std::uint32_t>(items.begin(), items.end()),
              (std::vector<std::uint32_t>{3, 4, 2}));
    EXPECT_EQ(all.at(100, 201), nullptr);

    EXPECT_EQ(summary(PlanTiles(record.items(), 0)),
              (std::vector<Row>{{100, 200, C::NotImportable, 2},
                                {101, 200, C::PricedHZ, 1},
                                {99, 203, C::PricedHZ, 1}}));
    EXPECT_EQ(summary(PlanTiles(record.items(), 5)),
              (std::vector<Row>{{101, 200, C::Nested, 2}, {102, 201, C::PricedHZ, 1}}));
    EXPECT_TRUE(PlanTiles(record.items(), 7).tiles().empty());
    EXPECT_EQ(plan::levelsOf(record.items()), (std::vector<std::int32_t>{0, 5}));

    // Only the tiles inside a rectangle are visited.
    std::vector<std::pair<int, int>> seen;
    all.forEachIn({100, 200, 102, 202}, [&](const Tile& t) { seen.emplace_back(t.x, t.y); });
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{100, 200}, {101, 200}, {102, 201}}));
}
