// How a run ends: cancel in every phase, the missing price list, aborts, the unreadable file.
#include "support/engine/RunHelpers.h"

#include "base/FileNames.h"
#include "calc/Calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace tarvek;
using namespace tarvek::testing;

namespace {

const std::string kMissing = "Die Datei Preisliste.txt existiert nicht. Der Preis für den Import "
                             "kann nicht ermittelt werden!";

// A file that reaches every phase and every loop: nested positions, a priced graphic, an
// unpriced one, a border item.
std::string everyPhaseFile()
{
    return importFile({item("3701"), item("3701"), item("7163", "101"), item("4660", "102"),
                       item("1173", "103", "200", "0", "1283")});
}
const std::string kPrices = lines({"0x0e75|A|120|t|1|0|0|0", "0x1bfb|B|500|b|10|1|0|1"});

void expectResetWindow(const RunFixture& f)
{
    for (int l = 1; l <= 6; ++l) {
        EXPECT_TRUE(f.window.list(static_cast<ResultList>(l)).entries.empty()) << l;
    }
    for (const Lamp lamp : {Lamp::BLED1, Lamp::BLED2, Lamp::BLED3, Lamp::BLED4, Lamp::BLED5,
                            Lamp::BLED6, Lamp::BLED7, Lamp::BLED9}) {
        EXPECT_EQ(f.window.lamp(lamp).colour, kColourLampGrey);
    }
    EXPECT_EQ(f.window.progress(), 0);
    for (const auto d : {NumberDisplay::ItemCount, NumberDisplay::LowestLevel,
                         NumberDisplay::SquareSteps, NumberDisplay::GrandTotal}) {
        EXPECT_EQ(f.window.display(d), 0);
    }
    EXPECT_TRUE(f.window.controlsIdle());
}

bool protocolHas(const RecordingObserver& w, const std::string& suffix)
{
    const auto& e = w.list(ResultList::Protocol).entries;
    return std::any_of(e.begin(), e.end(), [&](const auto& x) { return x.text.ends_with(suffix); });
}

} // namespace

// Cancel as soon as a given line has been written, in each phase.
class CancelInPhase : public ::testing::TestWithParam<const char*>
{};

TEST_P(CancelInPhase, ReturnsTheWindowToIdleAndEmpty)
{
    RunFixture f;
    f.priceList = kPrices;
    f.state.billReady = true; // from an earlier run
    f.state.spawnCount = 0;
    const std::string trigger = GetParam();
    f.window.setCancelHook([&](std::uint64_t) {
        return protocolHas(f.window, trigger) ||
               (trigger == "notCalculated" &&
                !f.window.list(ResultList::NotCalculated).entries.empty());
    });
    EXPECT_EQ(f.run(everyPhaseFile()), RunOutcome::Cancelled);
    expectResetWindow(f);
    EXPECT_TRUE(f.window.messages().empty() ||
                f.window.messages().back().kind == RecordingObserver::Message::Kind::Question);
    // The displays are reset and the sums half made: no "Refresh" bills them.
    EXPECT_FALSE(f.state.billReady);
    EXPECT_EQ(f.window.resetCount(), 2); // run start and cancel
}

INSTANTIATE_TEST_SUITE_P(AllPhases, CancelInPhase,
                         ::testing::Values(" Berechnung Itemanzahl gestartet",
                                           " Ermittlung der niedrigsten Fläche gestartet",
                                           " Ermittlung der X/Y Koordinaten gestartet",
                                           " Kleinster X-Wert=100", " Kleinster Y-Wert=200",
                                           " Größter X-Wert=103",
                                           " Ermittlung der Quadratschritt gestartet",
                                           " Prüfung auf bewegliche Items gestartet",
                                           " Prüfung ineinanderliegender Items gestartet",
                                           " Itemberechnung gestartet", "notCalculated"));

TEST(Cancel, InPhase8PricingComputesNoBill)
{
    RunFixture f;
    f.priceList = kPrices;
    f.window.setCancelHook(
        [&](std::uint64_t) { return !f.window.list(ResultList::NotCalculated).entries.empty(); });
    EXPECT_EQ(f.run(everyPhaseFile()), RunOutcome::Cancelled);
    EXPECT_FALSE(f.state.billReady);
    EXPECT_EQ(f.state.grandTotal, 0);
    expectResetWindow(f);
}

TEST(Cancel, ChecksAfterEveryLine)
{
    // Cancel at the first pump that is a cancel check: the run stops at once.
    RunFixture f;
    f.window.setCancelHook([](std::uint64_t n) { return n == 2; });
    EXPECT_EQ(f.run(everyPhaseFile()), RunOutcome::Cancelled);
    EXPECT_EQ(f.window.pumpCount(), 2u);
}

TEST(Cancel, PumpIsCalledAfterEveryLineOfEveryScan)
{
    RunFixture f;
    f.priceList = kPrices;
    const std::string file = everyPhaseFile();
    const std::size_t n = splitLines(file).size();
    f.run(file);
    // Seven scans over all lines (phases 1, 2, four in 3, 5, 7, 8 = 9) at least.
    EXPECT_GE(f.window.pumpCount(), 9 * n);
}

TEST(PriceListMissing, InPhase5)
{
    RunFixture f;
    f.priceList = std::nullopt;
    EXPECT_EQ(f.run(everyPhaseFile()), RunOutcome::PriceListMissing);
    ASSERT_EQ(f.window.messages().size(), 1u);
    EXPECT_EQ(f.window.messages()[0].kind, RecordingObserver::Message::Kind::Error);
    EXPECT_EQ(f.window.messages()[0].title, "Fehler");
    EXPECT_EQ(f.window.messages()[0].text, kMissing);
    expectResetWindow(f);
    EXPECT_FALSE(f.state.billReady);
}

TEST(PriceListMissing, TheMessageNamesTheFolderSearchedOrTheFileGiven)
{
    const std::string folder = ::testing::TempDir() + "tarvek_no_price_list/";
    std::filesystem::create_directories(folder);
    const std::string house = folder + "h.cfg";
    std::ofstream(house, std::ios::binary) << everyPhaseFile();
    const auto message = [&](const std::string& priceListFile) {
        Calculation calc;
        calculate(calc, {.importFile = house,
                         .programDir = folder,
                         .priceListFile = priceListFile,
                         .nested = Answer::Yes});
        return calc.window.messages().empty() ? std::string() : calc.window.messages()[0].text;
    };
    EXPECT_EQ(message(""), kMissing + "\r\n(gesucht im Ordner " + shownFileName(folder) + ")");
    const std::string given = folder + "Preise-Juni.txt";
    EXPECT_EQ(message(given), "Die Datei " + shownFileName(given) +
                                  " existiert nicht. Der Preis für den Import kann nicht "
                                  "ermittelt werden!");
    std::filesystem::remove_all(folder);
}

// The outcome of a whole calculation: each end with the word tarvek-calc reports and whether the
// run reached its end; only a run that did has a bill.
TEST(Calculate, ReportsEachEndTyped)
{
    const std::string folder = ::testing::TempDir() + "tarvek_calculate_ends/";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "Preisliste.txt", std::ios::binary) << kPrices;
    const std::string house = folder + "h.cfg";
    std::ofstream(house, std::ios::binary) << everyPhaseFile();
    const std::string broken = folder + "kaputt.cfg";
    std::ofstream(broken, std::ios::binary) << "kein Kopf\r\n";
    const auto ends = [&](const std::string& file, Answer nested, const std::string& priceList) {
        Calculation calc;
        const CalculationOutcome outcome = calculate(calc, {.importFile = file,
                                                            .programDir = folder,
                                                            .priceListFile = priceList,
                                                            .nested = nested});
        EXPECT_EQ(outcome.run, calc.outcome.run);
        EXPECT_EQ(outcome.reachedEnd(), calc.state.billReady) << outcome.name();
        return std::string(outcome.name());
    };
    EXPECT_EQ(ends(house, Answer::Yes, ""), "complete");
    EXPECT_EQ(ends(house, Answer::No, ""), "stopped");
    EXPECT_EQ(ends(broken, Answer::Yes, ""), "invalid");
    EXPECT_EQ(ends(folder + "fehlt.cfg", Answer::Yes, ""), "aborted");
    EXPECT_EQ(ends(house, Answer::Yes, folder + "fehlt.txt"), "aborted");
    std::filesystem::remove_all(folder);
}

// A run reads the price list once, when phase 5 begins, and prices phases 7 and 8 with it: a
// list deleted or changed on disk during the run counts from the next run on.
TEST(PriceList, ReadOnceAndKeptWhileTheRunGoesOn)
{
    RunFixture undisturbed;
    undisturbed.priceList = kPrices;
    ASSERT_EQ(undisturbed.run(everyPhaseFile()), RunOutcome::Complete);
    ASSERT_FALSE(undisturbed.texts(ResultList::Nested).empty()); // phase 7 needs the list too

    for (const std::optional<std::string>& later :
         {std::optional<std::string>(), std::optional<std::string>("0x0e75|X|1|t|1|0|0|0")}) {
        RunFixture f;
        f.priceList = kPrices;
        f.window.setCancelHook([&](std::uint64_t) {
            if (protocolHas(f.window, " Prüfung ineinanderliegender Items gestartet")) {
                f.priceList = later; // deleted or replaced while the run goes on
            }
            return false;
        });
        EXPECT_EQ(f.run(everyPhaseFile()), RunOutcome::Complete);
        EXPECT_EQ(f.priceListReads, 1);
        for (const ResultList list :
             {ResultList::Protocol, ResultList::Warnings, ResultList::Movable, ResultList::Nested,
              ResultList::NotCalculated, ResultList::Bill}) {
            EXPECT_EQ(f.texts(list), undisturbed.texts(list)) << static_cast<int>(list);
        }
        EXPECT_EQ(f.state.grandTotal, undisturbed.state.grandTotal);
    }
}

TEST(Abort, ConversionErrorKeepsTheLists)
{
    RunFixture f;
    f.state.billReady = true;
    EXPECT_EQ(f.run(importFile({item("1", "100", "200", "5 ")})), RunOutcome::Aborted);
    ASSERT_EQ(f.window.messages().size(), 1u);
    EXPECT_EQ(f.window.messages()[0].title, "Fehler");
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'5 ' ist kein gültiger Integerwert"))
        << f.window.messages()[0].text;
    EXPECT_NE(f.window.messages()[0].text.find("Zeile 10"), std::string::npos);
    EXPECT_EQ(f.protocol().size(), 4u); // phase 1 and the start of phase 2
    EXPECT_TRUE(f.window.lamp(Lamp::BLED2).on);
    EXPECT_EQ(f.window.lamp(Lamp::BLED2).colour, kColourRed);
    EXPECT_TRUE(f.window.controlsIdle());
    EXPECT_EQ(f.window.resetCount(), 1);
    EXPECT_FALSE(f.state.billReady); // the sums belong to no complete run
}

TEST(Abort, GraphicNotANumber)
{
    RunFixture f;
    EXPECT_EQ(f.run(importFile({item("abc")})), RunOutcome::Aborted);
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'abc' ist kein gültiger Integerwert"));
    EXPECT_TRUE(f.hasProtocol("12:34:56 Prüfung auf bewegliche Items gestartet"));
}

TEST(Abort, NestedGraphicTextNotANumber)
{
    // Phase 5 reads the trimmed rest ("5"), phase 7 the fixed cut "5 " of six characters.
    RunFixture f;
    f.priceList = lines({"0x0005|A|1|t|1|0|0|0"});
    EXPECT_EQ(f.run(importFile({item("5 "), item("5 ")})), RunOutcome::Aborted);
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'5 ' ist kein gültiger Integerwert"));
    EXPECT_TRUE(f.hasProtocol("12:34:56 Prüfung ineinanderliegender Items gestartet"));
}

TEST(Abort, PriceNotANumber)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|zw\xf6lf|t|1|0|0|0"}); // Windows-1252
    EXPECT_EQ(f.run(importFile({item("3701")})), RunOutcome::Aborted);
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'zwölf' ist kein gültiger Integerwert"));
    EXPECT_NE(f.window.messages()[0].text.find("Preisliste.txt, Zeile 1"), std::string::npos);
}

TEST(Abort, MalformedPriceLine)
{
    for (const char* line : {"0x0e75|A|1|t", "0x0e75|A|1|t|1||0|0", "0x0e75|A|1|t|1|0|0|"}) {
        RunFixture f;
        f.priceList = lines({"", line});
        EXPECT_EQ(f.run(importFile({item("3701")})), RunOutcome::Aborted) << line;
        EXPECT_TRUE(f.window.messages()[0].text.starts_with("Die Zeile 2 der Preisliste ist "
                                                            "fehlerhaft"))
            << f.window.messages()[0].text;
    }
}

TEST(Abort, GraphicWithPriceLineTooCloseToTheEnd)
{
    RunFixture f;
    f.priceList = lines({"0x0e75|A|1|t|1|0|0|0"});
    EXPECT_EQ(f.run(lines({"Entry Header", "{", "\tgraphic\t3701", "\tx\t1", "\ty\t1"})),
              RunOutcome::Aborted);
    EXPECT_TRUE(f.window.messages()[0].text.starts_with("'' ist kein gültiger Integerwert"));
    // Without a matching price line the phase goes on.
    RunFixture g;
    EXPECT_EQ(g.run(lines({"Entry Header", "{", "\tgraphic\t3701", "\tx\t1", "\ty\t1"})),
              RunOutcome::Complete);
}

TEST(Abort, BorderColourLineBeyondTheEnd)
{
    RunFixture f;
    EXPECT_EQ(f.run(lines({"Entry Header", "{", "\tgraphic\t1173", "\tx\t1", "\ty\t1", "\tz\t0"})),
              RunOutcome::Aborted);
    EXPECT_TRUE(f.hasProtocol("12:34:56 Itemberechnung gestartet"));
}

TEST(Unreadable, MessageAndNoPhase)
{
    RecordingObserver window;
    RunState state;
    RunSettings settings;
    settings.importFileName = "/nonexistent/tarvek/Haus.cfg";
    CalculationRun run(std::move(settings), state, window);
    EXPECT_EQ(run.execute(), RunOutcome::Unreadable);
    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].title, "Fehler");
    EXPECT_TRUE(window.messages()[0].text.starts_with(
        "Datei " + shownFileName("/nonexistent/tarvek/Haus.cfg") +
        " kann nicht geöffnet werden. "));
    EXPECT_EQ(window.resetCount(), 0);
    EXPECT_EQ(window.switchCount(), 2);
    EXPECT_TRUE(window.controlsIdle());
}

TEST(Robustness, ArbitraryBytesNeverCrash)
{
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    const std::vector<std::string> pieces = {"Entry Header\r\n{\r\n",
                                             "Entry I\n",
                                             "\tgraphic\t",
                                             "\tx\t",
                                             "\ty\t",
                                             "\tz\t",
                                             "\tcolor\t",
                                             "1173",
                                             "1283",
                                             "-5",
                                             "$",
                                             "0x",
                                             "y\t",
                                             "x\t",
                                             "\r",
                                             "\n",
                                             "|",
                                             std::string(1, '\0'),
                                             "\xe4",
                                             "9999999999",
                                             " ",
                                             "a"};
    for (int round = 0; round < 300; ++round) {
        std::string file = "Entry Header\r\n{\r\n";
        const int count = static_cast<int>(next() % 80);
        for (int i = 0; i < count; ++i) {
            file += pieces[next() % pieces.size()];
        }
        std::string prices;
        const int pc = static_cast<int>(next() % 20);
        for (int i = 0; i < pc; ++i) {
            prices += pieces[next() % pieces.size()];
        }
        RunFixture f;
        f.priceList = prices;
        f.window.setAnswer(round % 2 ? Answer::Yes : Answer::No);
        const RunOutcome outcome = f.run(file);
        EXPECT_TRUE(f.window.controlsIdle());
        (void)outcome;
    }
}
