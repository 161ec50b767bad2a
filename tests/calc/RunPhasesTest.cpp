// Run-level tests of the eight phases through a recording observer.
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

using namespace tarvek;
using namespace tarvek::testing;

namespace {
const std::string kT = "12:34:56";

std::vector<Item> repeat(const Item& it, int n)
{
    return std::vector<Item>(static_cast<std::size_t>(n), it);
}

} // namespace

TEST(RunPhases, CompleteRunProtocolLampsAndDisplays)
{
    RunFixture f;
    f.priceList = "0x0e75|Name|120|t|1|0|0|0\r\n";
    EXPECT_EQ(f.run(importFile({item("3701")})), RunOutcome::Complete);
    const std::vector<std::string> expected = {
        kT + " Berechnung Itemanzahl gestartet",
        kT + " Anzahl Items: 1 Stück",
        kT + " Berechnung Itemanzahl beendet",
        kT + " Ermittlung der niedrigsten Fläche gestartet",
        kT + " Niedrigste Fläche auf Z=0",
        kT + " Ermittlung der niedrigsten Fläche beendet",
        kT + " Ermittlung der X/Y Koordinaten gestartet",
        kT + " Kleinster X-Wert=100",
        kT + " Kleinster Y-Wert=200",
        kT + " Größter X-Wert=100",
        kT + " Größter Y-Wert=200",
        kT + " Ermittlung der X/Y Koordinaten beendet",
        kT + " Ermittlung der Quadratschritt gestartet",
        kT + " Ermittelte Quadratschritt: 1",
        kT + " Ermittlung der Quadratschritt beendet",
        kT + " Prüfung auf bewegliche Items gestartet",
        kT + " Anzahl beweglicher Items: 0",
        kT + " Prüfung auf bewegliche Items beendet",
        kT + " Anzahl Spawns: 0",
        kT + " Prüfung ineinanderliegender Items gestartet",
        kT + " Anzahl ineinanderliegender Items: 0",
        kT + " Prüfung ineinanderliegender Items beendet",
        kT + " Itemberechnung gestartet",
        "Gesamtsumme: 170 GS",
        kT + " Itemberechnung beendet",
    };
    EXPECT_EQ(f.protocol(), expected);
    const auto& entries = f.window.list(ResultList::Protocol).entries;
    for (const auto& e : entries) {
        const bool phaseLine = e.text.ends_with(" gestartet") || e.text.ends_with(" beendet");
        EXPECT_EQ(e.colour, phaseLine ? kColourGreen : kColourBlack) << e.text;
    }
    EXPECT_EQ(f.window.list(ResultList::Protocol).selected, static_cast<int>(entries.size()) - 1);
    for (const Lamp lamp : {Lamp::BLED1, Lamp::BLED2, Lamp::BLED3, Lamp::BLED4, Lamp::BLED5,
                            Lamp::BLED6, Lamp::BLED7, Lamp::BLED9}) {
        EXPECT_TRUE(f.window.lamp(lamp).on) << static_cast<int>(lamp);
        EXPECT_EQ(f.window.lamp(lamp).colour, kColourLampGreen) << static_cast<int>(lamp);
    }
    EXPECT_EQ(f.window.progress(), 100);
    EXPECT_EQ(f.window.display(NumberDisplay::ItemCount), 1);
    EXPECT_EQ(f.window.display(NumberDisplay::LowestLevel), 0);
    EXPECT_EQ(f.window.display(NumberDisplay::SquareSteps), 1);
    EXPECT_EQ(f.window.display(NumberDisplay::GrandTotal), 170);
    EXPECT_TRUE(f.state.billReady);
    EXPECT_EQ(f.state.itemSumHZ, 120);
    EXPECT_TRUE(f.window.controlsIdle());
    EXPECT_EQ(f.window.switchCount(), 2);
    EXPECT_EQ(f.window.resetCount(), 1);
    EXPECT_TRUE(f.window.messages().empty());
    EXPECT_EQ(f.priceListReads, 1); // in phase 5, for phases 5, 7 and 8
}

TEST(RunPhases, SecondRunEmptiesTheFirstOne)
{
    RunFixture f;
    const std::string file = importFile({item("3701")});
    f.run(file);
    const auto first = f.protocol();
    f.run(file);
    EXPECT_EQ(f.protocol(), first);
}

// ---- Phase 1

TEST(Phase1, ItemLimit)
{
    for (const int n : {3000, 3001}) {
        std::vector<std::string> ls = {"Entry Header", "{"};
        for (int i = 0; i < n; ++i) {
            ls.push_back(i % 3 == 0 ? "Entry I" : i % 3 == 1 ? "Entry M 1" : "x Entry C");
        }
        RunFixture f;
        f.run(lines(ls));
        EXPECT_EQ(f.window.display(NumberDisplay::ItemCount), n);
        EXPECT_TRUE(f.hasProtocol(kT + " Anzahl Items: " + std::to_string(n) + " Stück"));
        const auto warnings = f.texts(ResultList::Warnings);
        const bool warned = !warnings.empty() && warnings[0] == "Itemanzahl > 3000 Items";
        EXPECT_EQ(warned, n > 3000);
    }
}

TEST(Phase1, LineWithTwoEntryKeysCountsOnce)
{
    RunFixture f;
    f.run(lines({"Entry Header", "{", "Entry I Entry M Entry C", "Entry i", "EntryI"}));
    EXPECT_EQ(f.window.display(NumberDisplay::ItemCount), 1);
}

// ---- Phase 2

TEST(Phase2, BasementWarningFromMinus20)
{
    for (const auto& [z, warned] :
         std::vector<std::pair<std::string, bool>>{{"-19", false}, {"-20", true}, {"-123", true}}) {
        RunFixture f;
        f.run(importFile({item("1", "100", "200", z), item("1", "100", "200", "5")}));
        EXPECT_EQ(f.window.display(NumberDisplay::LowestLevel), std::stoi(z));
        EXPECT_TRUE(f.hasProtocol(kT + " Niedrigste Fläche auf Z=" + z));
        const auto w = f.texts(ResultList::Warnings);
        EXPECT_EQ(!w.empty() && w[0] == "ACHTUNG: Eventuell ist ein Keller vorhanden!!!", warned)
            << z;
    }
}

TEST(Phase2, AllItemsAboveZeroGiveZero)
{
    RunFixture f;
    f.run(importFile({item("1", "100", "200", "5"), item("1", "100", "200", "$A")}));
    EXPECT_TRUE(f.hasProtocol(kT + " Niedrigste Fläche auf Z=0"));
    EXPECT_EQ(f.window.display(NumberDisplay::LowestLevel), 0);
}

// ---- Phases 3 and 4

TEST(Phase3, NoXYLinesAndTheMendedMoneyOverflow)
{
    RunFixture f;
    EXPECT_EQ(f.run(lines({"Entry Header", "{", "Entry I"})), RunOutcome::Complete);
    EXPECT_TRUE(f.hasProtocol(kT + " Kleinster X-Wert=10000"));
    EXPECT_TRUE(f.hasProtocol(kT + " Kleinster Y-Wert=10000"));
    EXPECT_TRUE(f.hasProtocol(kT + " Größter X-Wert=0"));
    EXPECT_TRUE(f.hasProtocol(kT + " Größter Y-Wert=0"));
    EXPECT_TRUE(f.hasProtocol(kT + " Ermittelte Quadratschritt: 99980001"));
    EXPECT_EQ(f.window.display(NumberDisplay::SquareSteps), 99980001);
    EXPECT_EQ(f.texts(ResultList::Warnings),
              (std::vector<std::string>{
                  "QS überschreiten eventuell das Maximum für Paare",
                  "QS überschreiten event. das Maximum für nicht anerkannte Gilden",
                  "QS überschreiten event. das Maximum für anerkannte Gilden",
                  // phase 6 writes nothing more: no spawns
              }));
    EXPECT_EQ(f.state.squareStepFee, 4999000050LL);
    EXPECT_EQ(f.state.grandTotal, 4999000050LL);
    EXPECT_EQ(f.window.display(NumberDisplay::GrandTotal), 4999000050LL);
    EXPECT_EQ(f.texts(ResultList::Bill)[0], "QS gesamt              : 4.999.000.050 GS");
    EXPECT_TRUE(f.hasProtocol("Gesamtsumme: 4.999.000.050 GS"));
}

TEST(Phase3, ExtentsReadFourCharacterCuts)
{
    RunFixture f;
    f.run(importFile({item("1", "12345", "200"), item("1", "1230", "-5")}));
    EXPECT_TRUE(f.hasProtocol(kT + " Kleinster X-Wert=1230"));
    EXPECT_TRUE(f.hasProtocol(kT + " Größter X-Wert=1234"));
    EXPECT_TRUE(f.hasProtocol(kT + " Kleinster Y-Wert=-5"));
    EXPECT_TRUE(f.hasProtocol(kT + " Größter Y-Wert=200"));
    EXPECT_EQ(f.window.display(NumberDisplay::SquareSteps), 5 * 206);
}

TEST(Phase4, OwnerTypeLimits)
{
    const std::string single = "QS überschreiten eventuell das Maximum für Einzelperson";
    const std::string couple = "QS überschreiten eventuell das Maximum für Paare";
    const std::string guild = "QS überschreiten event. das Maximum für nicht anerkannte Gilden";
    const std::string recognised = "QS überschreiten event. das Maximum für anerkannte Gilden";
    struct Case
    {
        int width, height;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {1, 1, {}},
        {20, 15, {}},
        {21, 15, {single}},
        {30, 15, {single}},
        {451, 1, {couple}},
        {1001, 1, {couple, guild}},
        {3001, 1, {couple, guild, recognised}},
    };
    for (const auto& c : cases) {
        RunFixture f;
        f.run(importFile({item("1", "100", "200"), item("1", std::to_string(100 + c.width - 1),
                                                        std::to_string(200 + c.height - 1))}));
        EXPECT_EQ(f.window.display(NumberDisplay::SquareSteps), c.width * c.height);
        EXPECT_EQ(f.texts(ResultList::Warnings), c.warnings) << c.width << "x" << c.height;
    }
}

// ---- Phases 5 and 6

TEST(Phase5, MovableItemsListedWithTheirPlace)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|1|1|0"});
    f.run(importFile({item("3701", "1432", "1610", "20"), item("100")}));
    EXPECT_EQ(f.texts(ResultList::Movable),
              std::vector<std::string>{"D:3701, H:0x0e75, Pos. X:1432, Y:1610, Z:20"});
    EXPECT_EQ(f.window.list(ResultList::Movable).entries[0].colour, kColourRed);
    EXPECT_EQ(f.window.list(ResultList::Movable).selected, 0);
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl beweglicher Items: 1"));
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl Spawns: 0"));
}

TEST(Phase5, ValuesAsWrittenTrimmed)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|1|1|0"});
    std::string file = importFile({});
    file += "Entry I\r\n\tgraphic\t 3701\r\n\tx\t 12345 \r\n\ty\t0x10\r\n\tz\t-5\r\n\tcolor\t0\r\n";
    EXPECT_EQ(f.run(file), RunOutcome::Complete);
    EXPECT_EQ(f.texts(ResultList::Movable),
              std::vector<std::string>{"D:3701, H:0x0e75, Pos. X:12345, Y:0x10, Z:-5"});
}

TEST(Phase5, TwoPriceLinesListAndCountTwice)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|1|1|1", "0x0e75|B|1|t|1|1|1|1", "0x0e77|C|1|t|1|1|1|1"});
    f.run(importFile({item("3701")}));
    EXPECT_EQ(f.texts(ResultList::Movable).size(), 2u);
    EXPECT_EQ(f.state.spawnCount, 2);
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl beweglicher Items: 2"));
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl Spawns: 2"));
}

TEST(Phase5, MarksAreIndependent)
{
    RunFixture f;
    f.priceList = lines(
        {"0x0001|only 6|1|t|1|1|0|0", "0x0002|only 7|1|t|1|0|1|0", "0x0003|spawn|1|t|1|0|0|1"});
    f.run(importFile({item("1"), item("2"), item("3", "101")}));
    EXPECT_TRUE(f.texts(ResultList::Movable).empty());
    EXPECT_EQ(f.state.spawnCount, 1);
}

TEST(Phase6, SpawnLimits)
{
    const auto msg = [](int n, const char* who) {
        return "Anzahl Spawns (" + std::to_string(n) + ") zuviel für " + who;
    };
    for (const int n : {10, 11, 21, 31, 61}) {
        RunFixture f;
        f.priceList = lines({"0x1f13|Spawner|1|t|1|1|0|1"});
        std::vector<Item> items;
        for (int i = 0; i < n; ++i) {
            items.push_back(item("7955", std::to_string(100 + i)));
        }
        f.run(importFile(items));
        EXPECT_EQ(f.state.spawnCount, n);
        std::vector<std::string> expected;
        if (n > 10) {
            expected.push_back(msg(n, "einen Char"));
        }
        if (n > 20) {
            expected.push_back(msg(n, "zwei Chars"));
        }
        if (n > 30) {
            expected.push_back(msg(n, "nichtanerkannte Gilde"));
        }
        if (n > 60) {
            expected.push_back(msg(n, "anerkannte Gilde"));
        }
        // x from 100 to 100+n-1 at one y: no square-step warning below 301.
        EXPECT_EQ(f.texts(ResultList::Warnings), expected) << n;
    }
}

TEST(Phase5, UpperCasePriceListGivesNoMarks)
{
    RunFixture f;
    f.priceList = lines({"0X0E75|Name|120|t|1|1|1|1"});
    f.run(importFile({item("3701")}));
    EXPECT_TRUE(f.texts(ResultList::Movable).empty());
    EXPECT_EQ(f.state.spawnCount, 0);
    // ... but item pricing finds it (lower-cased line).
    EXPECT_EQ(f.state.itemSumNHZ, 120);
}

TEST(Phase5, NoGraphicLines)
{
    RunFixture f;
    f.run(lines({"Entry Header", "{"}));
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl beweglicher Items: 0"));
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl Spawns: 0"));
    EXPECT_EQ(f.window.list(ResultList::Warnings).selected, 2); // the last square-step warning
}

// ---- Phase 7

TEST(Phase7, NestedPositionListedAndQuestionAsked)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|0|0|0"});
    EXPECT_EQ(
        f.run(importFile({item("3701", "1432", "1610", "20"), item("3701", "1432", "1610", "20"),
                          item("3701", "1432", "1610", "21")})),
        RunOutcome::Complete);
    EXPECT_EQ(f.texts(ResultList::Nested),
              std::vector<std::string>{"D:3701, H:0x0E75, Pos. X:1432, Y:1610, Z:20, Anz.:2"});
    EXPECT_EQ(f.window.list(ResultList::Nested).entries[0].colour, kColourRed);
    EXPECT_EQ(f.window.list(ResultList::Nested).selected, 0);
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl ineinanderliegender Items: 2"));
    ASSERT_EQ(f.window.messages().size(), 1u);
    const auto& q = f.window.messages()[0];
    EXPECT_EQ(q.kind, RecordingObserver::Message::Kind::Question);
    EXPECT_EQ(q.title, "Bestätigen");
    EXPECT_EQ(q.text, "Es wurden ineinanderliegende Items gefunden.\r\nDiese werden natürlich "
                      "mitberechnet. Möchtest du die\r\nBerechnung dennoch fortführen?");
    EXPECT_FALSE(f.window.lamp(Lamp::BLED6).on);
    EXPECT_EQ(f.state.itemSumHZ, 360); // the nested items stay in the calculation
    EXPECT_EQ(f.priceListReads, 1);
}

TEST(Phase7, ThreeItemsAtOnePlace)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|0|0|0"});
    f.run(importFile(repeat(item("3701"), 3)));
    EXPECT_EQ(f.texts(ResultList::Nested),
              std::vector<std::string>{"D:3701, H:0x0E75, Pos. X:100, Y:200, Z:0, Anz.:3"});
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl ineinanderliegender Items: 3"));
}

TEST(Phase7, NotNested)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|0|0|0", "0x0e76|B|1|t|1|0|0|0"});
    f.run(importFile({item("3701"), item("3702"), item("3701", "100", "200", "1")}));
    EXPECT_TRUE(f.texts(ResultList::Nested).empty());
    EXPECT_TRUE(f.window.lamp(Lamp::BLED6).on);
    EXPECT_EQ(f.window.lamp(Lamp::BLED6).colour, kColourLampGreen);
    EXPECT_TRUE(f.window.messages().empty());
}

TEST(Phase7, XDifferingAfterTheFourthCharacterIsNested)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|0|0|0"});
    f.run(importFile({item("3701", "12345"), item("3701", "12346")}));
    EXPECT_EQ(f.texts(ResultList::Nested),
              std::vector<std::string>{"D:3701, H:0x0E75, Pos. X:1234, Y:200, Z:0, Anz.:2"});
}

TEST(Phase7, UnpricedNestedGraphicIsNotListed)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|0|0|0"});
    f.run(importFile(repeat(item("4660"), 2)));
    EXPECT_TRUE(f.texts(ResultList::Nested).empty());
    EXPECT_TRUE(f.hasProtocol(kT + " Anzahl ineinanderliegender Items: 0"));
    EXPECT_TRUE(f.window.lamp(Lamp::BLED6).on);
    EXPECT_TRUE(f.window.messages().empty());
}

TEST(Phase7, ListedInKeyOrderNotFileOrder)
{
    RunFixture f;
    f.priceList = lines({"0x0002|A|1|t|1|0|0|0", "0x0495|B|1|t|1|0|0|0", "0x0075|C|1|t|1|0|0|0"});
    f.run(importFile(
        {item("2"), item("2"), item("117", "5"), item("117", "5"), item("1173"), item("1173")}));
    EXPECT_EQ(f.texts(ResultList::Nested),
              (std::vector<std::string>{"D:117, H:0x0075, Pos. X:5, Y:200, Z:0, Anz.:2",
                                        "D:1173, H:0x0495, Pos. X:100, Y:200, Z:0, Anz.:2",
                                        "D:2, H:0x0002, Pos. X:100, Y:200, Z:0, Anz.:2"}));
}

TEST(Phase7, AnswerNoStopsWithoutBill)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|100|t|1|0|0|0"});
    f.state.itemSumHZ = 999;
    f.window.setAnswer(Answer::No);
    EXPECT_EQ(f.run(importFile(repeat(item("3701"), 2))), RunOutcome::Stopped);
    EXPECT_TRUE(f.state.billReady);
    EXPECT_EQ(f.state.itemSumHZ, 0);
    EXPECT_EQ(f.state.itemSumNHZ, 0);
    EXPECT_TRUE(f.texts(ResultList::Bill).empty());
    EXPECT_EQ(f.protocol().back(), kT + " Prüfung ineinanderliegender Items beendet");
    EXPECT_FALSE(f.window.lamp(Lamp::BLED4).on);
    EXPECT_FALSE(f.window.lamp(Lamp::BLED6).on);
    EXPECT_TRUE(f.window.controlsIdle());
    EXPECT_EQ(f.window.messages().back().answer, Answer::No);
    EXPECT_EQ(f.priceListReads, 1);
}

TEST(Phase7, YLineAtTheEdgesIsSkipped)
{
    RunFixture f;
    // "\ty\t" on the first and the last line: no key, but the Y values count for the extents.
    EXPECT_EQ(f.run(lines({"\ty\t5", "Entry Header", "{", "\ty\t7"})), RunOutcome::Complete);
    EXPECT_TRUE(f.hasProtocol(kT + " Kleinster Y-Wert=5"));
    EXPECT_TRUE(f.hasProtocol(kT + " Größter Y-Wert=7"));
    EXPECT_TRUE(f.texts(ResultList::Nested).empty());
}

TEST(Phase7, KeysDifferingInLetterCaseAreOneKey)
{
    RunFixture f;
    f.priceList = lines({"0x000a|A|1|t|1|0|0|0"});
    std::string file = importFile({});
    for (const auto& [g, x] : {std::pair{"$a", "$AB"}, std::pair{"$A", "$ab"}}) {
        file += std::string("Entry I\r\n\tgraphic\t") + g + "\r\n\tx\t" + x +
                "\r\n\ty\t1\r\n\tz\t0\r\n\tcolor\t0\r\n";
    }
    EXPECT_EQ(f.run(file), RunOutcome::Complete);
    // The spelling added first stays in ItemKeySet.
    EXPECT_EQ(f.texts(ResultList::Nested),
              std::vector<std::string>{"D:$a, H:0x000A, Pos. X:$AB, Y:1, Z:0, Anz.:2"});
}

// ---- Phase 8

TEST(Phase8, WorkedExample)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|0|0|0", "0x1bfb|Name|500|b|10|1|0|0"});
    const std::vector<Item> items = {item("3701", "101"), item("3701", "102"), item("3701", "103"),
                                     item("3701", "104"), item("7163", "105"), item("7163", "106"),
                                     item("4660", "107")};
    f.run(importFile(items));
    EXPECT_EQ(f.state.itemSumHZ, 480);
    EXPECT_EQ(f.state.itemSumNHZ, 100);
    EXPECT_EQ(f.texts(ResultList::NotCalculated),
              std::vector<std::string>{"D:4660, H:0x1234, Anz.:1"});
    EXPECT_EQ(f.window.list(ResultList::NotCalculated).entries[0].colour, kColourRed);
    EXPECT_TRUE(f.texts(ResultList::Nested).empty());
    EXPECT_EQ(f.state.grandTotal, 480 + 100 + 7 * 50); // x 101..107: 7 square steps
}

TEST(Phase8, NotCalculatedInOrderOfFirstOccurrenceAndExemptGraphics)
{
    RunFixture f;
    f.run(importFile(
        {item("5"), item("5702", "101"), item("5703", "102"), item("2", "103"), item("5", "104")}));
    EXPECT_EQ(f.texts(ResultList::NotCalculated),
              (std::vector<std::string>{"D:5, H:0x0005, Anz.:2", "D:2, H:0x0002, Anz.:1"}));
    EXPECT_EQ(f.state.itemSumHZ, 0);
    EXPECT_EQ(f.state.itemSumNHZ, 0);
    EXPECT_EQ(f.texts(ResultList::Bill).size(), 6u); // the bill is still computed
}

TEST(Phase8, ExemptGraphicsArePricedWhenKnown)
{
    RunFixture f;
    f.priceList = lines({"0x1646|A|7|t|1|0|0|0"});
    f.run(importFile({item("5702")}));
    EXPECT_EQ(f.state.itemSumHZ, 7);
}

TEST(Phase8, BorderItems)
{
    RunFixture f;
    f.run(importFile(
        {item("1173", "100", "200", "0", "1283"), item("1173", "101", "200", "0", "1283"),
         item("1173", "102", "200", "0", "1282"), item("11730", "103", "200", "0", "1283")}));
    EXPECT_EQ(f.texts(ResultList::Warnings),
              (std::vector<std::string>{"Achtung: Bauzonenränder sind noch vorhanden!!!",
                                        "Achtung: Bauzonenränder sind noch vorhanden!!!"}));
}

TEST(Phase8, BundleWithZeroPiecesShowsTheErrorAndGoesOn)
{
    RunFixture f;
    f.priceList = lines({"0x0E75|Name|120|B|0|0|0|0", "0x0001|Name|3|t|1|0|0|0"});
    EXPECT_EQ(f.run(importFile({item("3701"), item("1", "101")})), RunOutcome::Complete);
    ASSERT_EQ(f.window.messages().size(), 1u);
    EXPECT_EQ(f.window.messages()[0].title, "Fehler");
    EXPECT_EQ(f.window.messages()[0].text,
              "Berechnungsfehler. Bundleitem hat Anzahl Items 0. Bitte folgende Zeile an Morlin "
              "senden:\r\n0x0e75|name|120|b|0|0|0|0");
    EXPECT_TRUE(f.texts(ResultList::NotCalculated).empty());
    EXPECT_EQ(f.state.itemSumHZ, 3);
}

TEST(Phase8, BundleArithmeticAndKinds)
{
    RunFixture f;
    f.priceList = lines({"0x0001|a|500|b|10|0|0|0", "0x0002|b|5|b|10|0|0|0",
                         "0x0003|c|7|T|99|1|0|0", "0x0004|d|7|t |2|1|0|0"});
    f.run(importFile({item("1"), item("1"), item("1"), item("2", "101"), item("3", "102"),
                      item("3", "102", "201"), item("4", "103"), item("4", "103", "202")}));
    EXPECT_EQ(f.state.itemSumHZ, 150 + 0);
    EXPECT_EQ(f.state.itemSumNHZ, 14 + 7);
}

TEST(Phase8, FirstMatchingLineOnlyAndSubstringMatch)
{
    RunFixture f;
    f.priceList = lines({"0x0e751|Longer key|1000|t|1|1|0|0", "0x0e75|Name|120|t|1|0|0|0"});
    f.run(importFile({item("3701")}));
    EXPECT_EQ(f.state.itemSumNHZ, 1000);
    EXPECT_EQ(f.state.itemSumHZ, 0);
}

TEST(Phase8, NegativeGraphicAndBigCounts)
{
    RunFixture f;
    f.priceList = lines({"0xfffffffb|neg|2147483647|t|1|0|0|0"});
    std::vector<Item> items;
    for (int i = 0; i < 3; ++i) {
        items.push_back(item("-5", std::to_string(100 + i)));
    }
    f.run(importFile(items));
    EXPECT_EQ(f.state.itemSumHZ, 3LL * 2147483647LL);
    EXPECT_EQ(f.texts(ResultList::Bill)[1], "Summe Items HZ gesamt  : 6.442.450.941 GS");
}

TEST(Phase8, FeesReadFromTheWindowAtTheEnd)
{
    RunFixture f;
    f.window.setFeeChoice({true, true});
    f.run(importFile({item("1")}));
    EXPECT_EQ(f.state.waterFlatFee, 10000);
    EXPECT_EQ(f.state.basementFlatFee, 10000);
    EXPECT_EQ(f.texts(ResultList::Bill).size(), 8u);
}

TEST(Phase8, ProgressReachesOneHundred)
{
    RunFixture f;
    f.run(importFile({item("1"), item("2", "101"), item("3", "102")}));
    EXPECT_EQ(f.window.progress(), 100);
}

TEST(Texts, FilePiecesConvertedFromWindows1252)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|Name|120|t|1|1|1|0"});
    std::string file = importFile({});
    // The x piece of phase 5 follows "x\t" on a line without "\tx\t" (phase 3 does not read it).
    // 0x81, undefined in Windows-1252, would be a C1 control: it shows as U+FFFD.
    file += "Entry I\r\n\tgraphic\t3701\r\n\tboxx\t\xe4\x80\x81\r\n\ty\t1\r\n\tz\t0\r\n";
    EXPECT_EQ(f.run(file), RunOutcome::Complete);
    EXPECT_EQ(f.texts(ResultList::Movable),
              std::vector<std::string>{"D:3701, H:0x0e75, Pos. X:ä€\uFFFD, Y:1, Z:0"});
}

TEST(Texts, ConversionErrorNamesTheTextInUtf8)
{
    RunFixture f;
    std::string file = importFile({});
    file += "Entry I\r\n\tgraphic\t3701\r\n\tx\t1\xe4\r\n\ty\t1\r\n\tz\t0\r\n";
    EXPECT_EQ(f.run(file), RunOutcome::Aborted);
    ASSERT_EQ(f.window.messages().size(), 1u);
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'1ä' ist kein gültiger Integerwert"));
}

TEST(Phase7, OtherLinesWithYTabDoNotDisturbTheCount)
{
    // "\tkey\t..." holds "y\t" but not "\ty\t": phase 7 builds a key for it that no item has.
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|0|0|0"});
    std::string file = importFile({item("3701"), item("3701")});
    file += "\tkey\t1\r\n\tkey\t2\r\n";
    file += importFile({item("3701")})
                .substr(std::string("Entry Header\r\n{\r\n\tVersion\t2\r\n}\r\n").size());
    EXPECT_EQ(f.run(file), RunOutcome::Complete);
    EXPECT_EQ(f.texts(ResultList::Nested),
              std::vector<std::string>{"D:3701, H:0x0E75, Pos. X:100, Y:200, Z:0, Anz.:3"});
}
