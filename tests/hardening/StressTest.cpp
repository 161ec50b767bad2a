// Inputs far outside what the export tool writes: huge files, huge lines, line ends alone,
// headers alone, random bytes, a price list where every line holds one key, numbers at the
// limits of 32 bits. Every run must end in a way a person can read (a bill, the answer to the
// question, or exactly one message), with the window back in its idle look. The inputs are made
// here, at test time.
#include "calc/ItemRecord.h"
#include "calc/cli/CalcCommand.h"
#include "importfile/ImportFormat.h"
#include "support/engine/CheckedWindow.h"
#include "support/engine/SampleInputs.h"
#include "support/engine/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace tarvek;
using namespace tarvek::hardening;

namespace {

const std::string kHeader = "Entry Header\r\n{\r\n}\r\n";

// One run in process over the given bytes, checked by the window's rules.
struct StressRun
{
    CheckedWindow window;
    RunState state;
    ItemRecord items; // the plan, recorded as the window records it
    RunOutcome outcome = RunOutcome::Aborted;

    explicit StressRun(const std::string& import, const std::string& prices = samplePriceList(),
                       Answer answer = Answer::Yes)
        : window(answer)
    {
        FixedClock clock({1, 2, 3});
        RunSettings settings;
        settings.clock = &clock;
        settings.readPriceList = [&prices]() -> std::optional<std::string> { return prices; };
        settings.items = &items;
        CalculationRun run(std::move(settings), state, window);
        outcome = run.execute(splitLines(import));
        window.checkEnd(outcome, state);
        EXPECT_EQ(items.complete(), outcome == RunOutcome::Complete);
    }

    std::vector<std::string> texts(ResultList list) const { return window.texts(list); }
    bool protocolHas(const std::string& suffix) const
    {
        const auto p = texts(ResultList::Protocol);
        return std::any_of(p.begin(), p.end(), [&](const auto& t) { return t.ends_with(suffix); });
    }
    std::string billLine(const std::string& label) const
    {
        for (const auto& t : texts(ResultList::Bill)) {
            if (t.starts_with(label)) {
                return t;
            }
        }
        return {};
    }
};

// The outcome word and exit status of tarvek-calc on a file, the way the program reads it.
struct CommandResult
{
    int status = -1;
    std::string json;
    bool outcomeIs(const std::string& word) const
    {
        return json.find("\"outcome\": \"" + word + "\"") != std::string::npos;
    }
};

CommandResult calcCommand(const std::string& import, const std::string& prices)
{
    const TempFolder folder;
    const std::string importPath = folder.write("Import.cfg", import);
    folder.write("Preisliste.txt", prices);
    std::ostringstream out;
    std::ostringstream err;
    CommandResult r;
    r.status = runCalcCommand({"--json", importPath}, folder.path().string() + "/", out, err);
    r.json = out.str();
    return r;
}

std::string randomBytes(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    std::uint32_t s = seed;
    for (auto& c : out) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        c = static_cast<char>(s >> 24);
    }
    return out;
}

std::string repeated(const std::string& line, std::size_t times)
{
    std::string out;
    out.reserve(line.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

#define EXPECT_CLEAN(run) EXPECT_TRUE((run).window.violations().empty()) << (run).window.report()

} // namespace

TEST(StressSize, HundredThousandItemsGiveABill)
{
    const StressRun run(generatedImport(100000));
    EXPECT_CLEAN(run);
    ASSERT_EQ(run.outcome, RunOutcome::Complete) << outcomeName(run.outcome);
    EXPECT_EQ(run.window.display(NumberDisplay::ItemCount), 100000);
    EXPECT_TRUE(run.protocolHas(" Anzahl Items: 100000 Stück"));
    const auto warnings = run.texts(ResultList::Warnings);
    EXPECT_EQ(warnings.front(), "Itemanzahl > 3000 Items");
    EXPECT_FALSE(run.texts(ResultList::Nested).empty());
    EXPECT_EQ(run.window.messages().size(), 1u); // the nested-items question
}

TEST(StressSize, MegabyteLinesWithoutKeysAreReadPast)
{
    const std::string junk(1 << 20, 'A');
    const StressRun run(kHeader + junk + "\r\n" + sampleImport() + junk);
    EXPECT_CLEAN(run);
    EXPECT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_EQ(run.window.display(NumberDisplay::ItemCount), 12);
}

TEST(StressSize, MegabyteKeyLinesEndInOneMessageOrABill)
{
    const std::string blanks(1 << 20, ' ');
    const std::string digits(1 << 20, '7');
    // A value followed by a megabyte of blanks: the fixed cuts read 4 characters, the rest cut
    // of phase 5 trims the blanks.
    const StressRun padded(kHeader + "Entry I 1\r\n\tgraphic\t100" + blanks + "\r\n\tx\t1234" +
                           blanks + "\r\n\ty\t2345\r\n\tz\t0\r\n\tcolor\t0\r\n");
    EXPECT_CLEAN(padded);
    EXPECT_EQ(padded.window.endingErrors().size(), 1u); // the graphic cut "100   " is no number
    // A graphic of a million digits: one conversion error, not a wrap-around.
    const StressRun huge(kHeader + "Entry I 1\r\n\tgraphic\t" + digits + "\r\n\tx\t1\r\n\ty\t2" +
                         "\r\n\tz\t3\r\n\tcolor\t0\r\n");
    EXPECT_CLEAN(huge);
    EXPECT_EQ(huge.outcome, RunOutcome::Aborted);
    // A price line of a megabyte that holds the key many times.
    const StressRun prices(sampleImport(), "0x0064|A|250|t|1|0|0|0|" +
                                               repeated("0x0064 0x0e75 ", 70000) + "\r\n" +
                                               samplePriceList());
    EXPECT_CLEAN(prices);
    EXPECT_EQ(prices.outcome, RunOutcome::Complete);
}

// A message box with a megabyte of digits takes the window many seconds to lay out and helps
// nobody; the texts quoted from the files must be cut to a readable length.
TEST(StressSize, MessagesQuoteMegabyteLinesShortened)
{
    const std::string digits(1 << 20, '7');
    const std::string bundle = "0x0064|A|5|b|0|0|0|0|" + std::string(1 << 20, 'x') + "\r\n";
    const std::string badLine = "0x0064|A|5|t|" + std::string(1 << 20, 'x') + "\r\n";
    const std::vector<StressRun> runs = [&] {
        std::vector<StressRun> r;
        r.emplace_back(kHeader + "Entry I 1\r\n\tgraphic\t" + digits +
                       "\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3\r\n\tcolor\t0\r\n");
        r.emplace_back(sampleImport(), bundle);
        r.emplace_back(sampleImport(), badLine);
        return r;
    }();
    for (const auto& run : runs) {
        EXPECT_CLEAN(run);
        for (const auto& message : run.window.messages()) {
            EXPECT_LT(message.text.size(), 2000u) << message.text.substr(0, 80);
        }
    }
}

TEST(StressLineEnds, OnlyCarriageReturns)
{
    const std::string crs(1 << 20, '\r');
    // No header: the load command refuses the file without a message.
    EXPECT_FALSE(pruefeimportdatei(splitLines(crs)));
    const CommandResult command = calcCommand(crs, samplePriceList());
    EXPECT_EQ(command.status, 1);
    EXPECT_TRUE(command.outcomeIs("invalid")) << command.json.substr(0, 200);
    // With a header in front the run goes over a million empty lines to the bill.
    const StressRun run("Entry Header\r{\r" + crs);
    EXPECT_CLEAN(run);
    EXPECT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_TRUE(run.protocolHas(" Ermittelte Quadratschritt: 99980001"));
}

TEST(StressLineEnds, OnlyHeaderLines)
{
    const std::string headers = repeated("Entry Header\r\n", 200000);
    EXPECT_FALSE(pruefeimportdatei(splitLines(headers)));
    const CommandResult command = calcCommand(headers, samplePriceList());
    EXPECT_TRUE(command.outcomeIs("invalid"));
    // The last one followed by a brace makes a valid file with no items.
    const StressRun run(headers + "{\r\n");
    EXPECT_CLEAN(run);
    EXPECT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_EQ(run.window.display(NumberDisplay::ItemCount), 0);
}

TEST(StressBinary, RandomBytesEndClearly)
{
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const std::string bytes = randomBytes(256 * 1024, seed);
        const CommandResult command = calcCommand(bytes, samplePriceList());
        EXPECT_TRUE(command.outcomeIs("invalid") || command.outcomeIs("complete") ||
                    command.outcomeIs("aborted"))
            << seed;
        for (const Answer answer : {Answer::Yes, Answer::No}) {
            const StressRun run(kHeader + bytes, samplePriceList(), answer);
            EXPECT_CLEAN(run);
            const StressRun prices(sampleImport(), bytes, answer);
            EXPECT_CLEAN(prices);
        }
    }
}

TEST(StressPriceList, HundredThousandLinesWithOneKey)
{
    // Every line prices the wall and marks it as a spawn that may not be imported: phase 5
    // lists each of the three walls once per line.
    const StressRun run(sampleImport(), repeated("0x0064|Steinwand|250|t|1|1|1|1\r\n", 100000));
    EXPECT_CLEAN(run);
    ASSERT_EQ(run.outcome, RunOutcome::Complete) << outcomeName(run.outcome);
    EXPECT_EQ(run.texts(ResultList::Movable).size(), 300000u);
    EXPECT_TRUE(run.protocolHas(" Anzahl Spawns: 300000"));
    EXPECT_EQ(run.state.itemSumNHZ, 3 * 250);
    // The key stands in other columns of other lines too; only the first line prices it.
    std::string mixed = "0x0064|Steinwand|250|t|1|0|0|0\r\n";
    for (int i = 0; i < 100000; ++i) {
        mixed += "0x" + std::to_string(10000 + i) + "|siehe 0x0064|" + std::to_string(i) +
                 "|t|1|1|0|0\r\n";
    }
    const StressRun second(sampleImport(), mixed);
    EXPECT_CLEAN(second);
    EXPECT_EQ(second.outcome, RunOutcome::Complete);
    EXPECT_EQ(second.state.itemSumHZ, 3 * 250);
}

TEST(StressNumbers, GraphicsAtThe32BitLimits)
{
    // Phase 5 reads the whole rest of the graphic line, so full 32-bit numbers reach it; the
    // fixed cut of phase 8 reads 6 characters of them.
    const auto oneItem = [](const std::string& graphic) {
        return kHeader + "Entry I 1\r\n\tgraphic\t" + graphic +
               "\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3\r\n\tcolor\t0\r\n";
    };
    for (const std::string bad : {"2147483648", "-2147483649", "$FFFFFFFF", "0x100000000"}) {
        const StressRun run(oneItem(bad));
        EXPECT_CLEAN(run);
        EXPECT_EQ(run.outcome, RunOutcome::Aborted) << bad;
        ASSERT_EQ(run.window.endingErrors().size(), 1u);
        EXPECT_TRUE(run.window.endingErrors().front().starts_with(
            "'" + bad + "' ist kein gültiger Integerwert"))
            << run.window.endingErrors().front();
    }
    for (const std::string good : {"2147483647", "-2147483648", "$7FFFFFFF", "-$80000000"}) {
        const StressRun run(oneItem(good), "0x7fffffff|Max|1|t|1|1|1|1\r\n"
                                           "0x80000000|Min|1|t|1|1|1|1\r\n");
        EXPECT_CLEAN(run);
        // Phase 8 cuts "214748" or "-21474" or "$7FFFF": numbers again, so the run ends with a
        // bill; phase 5 found the full number's key with its marks.
        EXPECT_EQ(run.outcome, RunOutcome::Complete) << good;
        EXPECT_EQ(run.texts(ResultList::Movable).size(), 1u) << good;
    }
}

TEST(StressNumbers, SumsBeyond32BitsStayExact)
{
    // 3 items at the largest price and 2 bundles at the smallest price per bundle of -1.
    std::string import = kHeader;
    for (int i = 0; i < 3; ++i) {
        import += "Entry I 1\r\n\tgraphic\t$7FFF\r\n\tx\t1\r\n\ty\t2\r\n\tz\t3\r\n\tcolor\t0\r\n";
    }
    for (int i = 0; i < 2; ++i) {
        import += "Entry I 2\r\n\tgraphic\t$7FFE\r\n\tx\t2\r\n\ty\t2\r\n\tz\t3\r\n\tcolor\t0\r\n";
    }
    const StressRun run(import,
                        "0x7fff|A|2147483647|t|1|0|0|0\r\n0x7ffe|B|-2147483648|b|-1|1|0|0\r\n");
    EXPECT_CLEAN(run);
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_EQ(run.state.itemSumHZ, 3 * std::int64_t{2147483647});
    EXPECT_EQ(run.state.itemSumNHZ, 2 * std::int64_t{2147483648});
    EXPECT_EQ(run.billLine("Summe Items HZ gesamt  : "),
              "Summe Items HZ gesamt  : 6.442.450.941 GS");
}

TEST(StressNumbers, CoordinatesAtTheirCutLimits)
{
    std::string import = kHeader;
    for (const auto& [x, y, z] : std::vector<std::array<std::string, 3>>{
             {"9999", "9999", "9999"}, {"-999", "-999", "-999"}, {"$FFF", "x7FF", "-$FF"}}) {
        import += "Entry I 1\r\n\tgraphic\t100\r\n\tx\t" + x + "\r\n\ty\t" + y + "\r\n\tz\t" + z +
                  "\r\n\tcolor\t0\r\n";
    }
    const StressRun run(import);
    EXPECT_CLEAN(run);
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_TRUE(run.protocolHas(" Ermittelte Quadratschritt: 120978001")); // 10999 * 10999
    EXPECT_EQ(run.window.display(NumberDisplay::LowestLevel), -999);
    EXPECT_EQ(run.state.squareStepFee, std::int64_t{120978001} * 50);
}

TEST(StressCancel, StoppAtEveryMomentEndsCleanly)
{
    // How many times the whole run lets the window process its messages.
    const StressRun whole(sampleImport());
    ASSERT_EQ(whole.outcome, RunOutcome::Complete);
    const std::uint64_t pumps = whole.window.pumpCount();
    ASSERT_GT(pumps, 100u);
    for (std::uint64_t at = 1; at <= pumps; ++at) {
        CheckedWindow window(Answer::Yes, at);
        RunState state;
        const std::string prices = samplePriceList();
        RunSettings settings;
        settings.readPriceList = [&prices]() -> std::optional<std::string> { return prices; };
        CalculationRun run(std::move(settings), state, window);
        const RunOutcome outcome = run.execute(splitLines(sampleImport()));
        window.checkEnd(outcome, state);
        ASSERT_TRUE(window.violations().empty()) << "Stopp at " << at << ":\n" << window.report();
        // The last pumps come after the last cancel check: the run may still end complete.
        ASSERT_TRUE(outcome == RunOutcome::Cancelled || outcome == RunOutcome::Complete) << at;
    }
}

TEST(StressCancel, PriceListVanishingBeforeOrAfterItsReadingEndsClearly)
{
    // The run reads the price list once, in phase 5: gone before, it ends with its message; gone
    // after, the run prices with the list it read.
    for (int present = 0; present < 2; ++present) {
        CheckedWindow window;
        RunState state;
        int reads = 0;
        RunSettings settings;
        settings.readPriceList = [&]() -> std::optional<std::string> {
            if (reads++ < present) {
                return samplePriceList();
            }
            return std::nullopt;
        };
        CalculationRun run(std::move(settings), state, window);
        const RunOutcome outcome = run.execute(splitLines(sampleImport()));
        window.checkEnd(outcome, state);
        EXPECT_TRUE(window.violations().empty()) << window.report();
        EXPECT_EQ(reads, 1);
        if (present == 0) {
            EXPECT_EQ(outcome, RunOutcome::PriceListMissing);
            ASSERT_EQ(window.endingErrors().size(), 1u);
            EXPECT_EQ(window.endingErrors().front(),
                      "Die Datei Preisliste.txt existiert nicht. Der Preis für den Import kann "
                      "nicht ermittelt werden!");
        } else {
            EXPECT_EQ(outcome, RunOutcome::Complete);
        }
    }
}
