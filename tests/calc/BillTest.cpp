#include "calc/Bill.h"

#include "calc/RecordingObserver.h"

#include <gtest/gtest.h>

using namespace tarvek;

namespace {
const LocaleSeparators kDe{".", ":"};
}

TEST(Bill, WorkedExample)
{
    RunState state;
    state.itemSumHZ = 15250;
    state.itemSumNHZ = 3400;
    RecordingObserver window;
    rechnungsermittlung(state, {{true, false}, 120}, window, kDe);
    EXPECT_EQ(window.texts(ResultList::Bill), (std::vector<std::string>{
                                                  "Wasserbaupauschale     :      10.000 GS",
                                                  "QS gesamt              :       6.000 GS",
                                                  "Summe Items HZ gesamt  :      15.250 GS",
                                                  "Summe Items NHZ gesamt :       3.400 GS",
                                                  "---------------------------------------",
                                                  "Gesamtsumme            :      34.650 GS",
                                                  "=======================================",
                                              }));
    for (const auto& e : window.list(ResultList::Bill).entries) {
        EXPECT_EQ(e.colour, kColourBlack);
        EXPECT_EQ(e.text.size(), 39u);
    }
    EXPECT_EQ(window.list(ResultList::Bill).selected, 6);
    EXPECT_EQ(window.texts(ResultList::Protocol),
              std::vector<std::string>{"Gesamtsumme: 34.650 GS"});
    EXPECT_EQ(window.list(ResultList::Protocol).selected, 0);
    EXPECT_EQ(window.display(NumberDisplay::GrandTotal), 34650);
    EXPECT_EQ(state.waterFlatFee, 10000);
    EXPECT_EQ(state.basementFlatFee, 0);
    EXPECT_EQ(state.squareStepFee, 6000);
    EXPECT_EQ(state.grandTotal, 34650);
}

TEST(Bill, NeitherBoxSixLinesAllZero)
{
    RunState state;
    RecordingObserver window;
    rechnungsermittlung(state, {{false, false}, 0}, window, kDe);
    const auto lines = window.texts(ResultList::Bill);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "QS gesamt              :           0 GS");
    EXPECT_EQ(lines[1], "Summe Items HZ gesamt  :           0 GS");
    EXPECT_EQ(lines[4], "Gesamtsumme            :           0 GS");
}

TEST(Bill, BothBoxesWaterBeforeBasement)
{
    RunState state;
    RecordingObserver window;
    rechnungsermittlung(state, {{true, true}, 1}, window, kDe);
    const auto lines = window.texts(ResultList::Bill);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Wasserbaupauschale     :      10.000 GS");
    EXPECT_EQ(lines[1], "Kellerpauschale        :      10.000 GS");
    EXPECT_EQ(state.grandTotal, 20050);
}

TEST(Bill, MoneyOverflowMended)
{
    // A file without x and y lines: 99980001 square steps at 50 each.
    RunState state;
    RecordingObserver window;
    rechnungsermittlung(state, {{false, false}, 99980001}, window, kDe);
    EXPECT_EQ(state.squareStepFee, 4999000050LL);
    EXPECT_EQ(state.grandTotal, 4999000050LL);
    EXPECT_EQ(window.texts(ResultList::Bill)[0], "QS gesamt              : 4.999.000.050 GS");
    EXPECT_EQ(window.texts(ResultList::Protocol)[0], "Gesamtsumme: 4.999.000.050 GS");
    EXPECT_EQ(window.display(NumberDisplay::GrandTotal), 4999000050LL);
}

TEST(Bill, EachBillReplacesTheLastOne)
{
    RunState state;
    RecordingObserver window;
    rechnungsermittlung(state, {{false, false}, 2}, window, kDe);
    rechnungsermittlung(state, {{true, false}, 2}, window, kDe);
    EXPECT_EQ(window.texts(ResultList::Bill).size(), 7u);
    EXPECT_EQ(window.texts(ResultList::Protocol).size(), 2u);
}

TEST(RefreshBill, HintBeforeAnyRun)
{
    RunState state;
    RecordingObserver window;
    FixedClock clock({9, 5, 7});
    refreshBill(state, {{true, false}, 10}, window, clock, kDe);
    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].kind, RecordingObserver::Message::Kind::Information);
    EXPECT_EQ(window.messages()[0].title, "Hinweis");
    EXPECT_EQ(window.messages()[0].text,
              "Vor einer Neuberechnung bitte erst Import berechnen lassen!");
    EXPECT_TRUE(window.texts(ResultList::Bill).empty());
    EXPECT_EQ(state.grandTotal, 0);
}

TEST(RefreshBill, TwiceGivesTwoProtocolPairsAndOneBill)
{
    RunState state;
    state.billReady = true;
    state.itemSumHZ = 100;
    RecordingObserver window;
    FixedClock clock({9, 5, 7});
    refreshBill(state, {{false, false}, 10}, window, clock, kDe);
    refreshBill(state, {{false, false}, 10}, window, clock, kDe);
    EXPECT_EQ(
        window.texts(ResultList::Protocol),
        (std::vector<std::string>{"09:05:07 Neuberechnung gestartet", "Gesamtsumme: 600 GS",
                                  "09:05:07 Neuberechnung gestartet", "Gesamtsumme: 600 GS"}));
    EXPECT_EQ(window.list(ResultList::Protocol).entries[0].colour, kColourGreen);
    EXPECT_EQ(window.texts(ResultList::Bill).size(), 6u);
    EXPECT_TRUE(window.messages().empty());
}
