// The run's per-line helpers against their plain forms: the keys of a line, the progress value.
#include "calc/RunSteps.h"

#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace tarvek::detail;

namespace {

// The keys as a plain search of every key text finds them.
std::uint8_t plainKeys(std::string_view line)
{
    const auto has = [line](std::string_view key) { return line.find(key) != line.npos; };
    std::uint8_t keys = 0;
    if (has("\t")) {
        keys |= (has("\tx\t") ? kHasX : 0) | (has("y\t") ? kHasYTab : 0) |
                (has("\ty\t") ? kHasY : 0) | (has("\tz\t") ? kHasZ : 0) |
                (has("graphic\t") ? kHasGraphic : 0);
    }
    if (has("Entry I") || has("Entry M") || has("Entry C")) {
        keys |= kHasEntry;
    }
    return static_cast<std::uint8_t>(keys);
}

TEST(RunSteps, LineKeysAsThePlainSearchOfEveryKey)
{
    const std::vector<std::string> pieces = {"\t",     "x", "y", "z", "graphic",
                                             "Entry ", "I", "C", "a"};
    std::mt19937 random(7);
    for (int n = 0; n < 200000; ++n) {
        std::string line;
        for (std::size_t k = random() % 7; k > 0; --k) {
            line += pieces[random() % pieces.size()];
        }
        ASSERT_EQ(lineKeys(line), plainKeys(line)) << line;
    }
}

TEST(RunSteps, ProgressValuesAsThePlainDivision)
{
    std::mt19937 random(11);
    ProgressSteps steps;
    for (std::size_t total = 1; total < 700; ++total) {
        // In order, as the scans go, then in jumps and back, as phase 8 and a new scan do.
        for (std::size_t index = 0; index < total + 3; ++index) {
            const std::size_t jumped = index % 5 == 4 ? random() % (total + 3) : index;
            const std::size_t plain = (jumped + 1) * 100 / total;
            ASSERT_EQ(steps.value(jumped, total), static_cast<int>(plain > 100 ? 100 : plain))
                << jumped << " of " << total;
        }
    }
}

// A window that keeps every progress value it was sent.
class ProgressLog : public tarvek::RecordingObserver
{
public:
    void setProgress(int percent) override
    {
        values.push_back(percent);
        RecordingObserver::setProgress(percent);
    }
    std::vector<int> values;
};

// A run that asks the window for its events only every few lines shows the same progress values
// and finds the same, and "Stopp" still ends it.
TEST(RunSteps, PumpingEveryFewLinesChangesNothingShown)
{
    using namespace tarvek;
    using namespace tarvek::testing;
    std::vector<Item> items;
    for (int i = 0; i < 300; ++i) {
        items.push_back(item(std::to_string(3701 + i % 7), std::to_string(100 + i % 13)));
    }
    const std::string file = importFile(items);
    const auto run = [&](std::size_t every, bool stop, ProgressLog& window) {
        window.setPumpEvery(every);
        window.setCancelHook([stop](std::uint64_t) { return stop; });
        RunState state;
        RunSettings settings;
        settings.readPriceList = [] { return std::optional<std::string>("0x0e75|A|1|t|1|0|0|0"); };
        const FixedClock clock{{12, 34, 56}};
        settings.clock = &clock;
        return CalculationRun(std::move(settings), state, window).execute(splitLines(file));
    };
    ProgressLog everyLine;
    ASSERT_EQ(run(1, false, everyLine), RunOutcome::Complete);
    for (const std::size_t every : {std::size_t{3}, std::size_t{64}, std::size_t{100000}}) {
        ProgressLog window;
        EXPECT_EQ(run(every, false, window), RunOutcome::Complete) << every;
        EXPECT_EQ(window.values, everyLine.values) << every;
        for (int l = 1; l <= 6; ++l) {
            EXPECT_EQ(window.texts(ResultList(l)), everyLine.texts(ResultList(l))) << every;
        }
        EXPECT_LE(window.pumpCount(), everyLine.pumpCount() / every + 16) << every;
        // A run shorter than the step between two pumps ends without asking.
        ProgressLog stopped;
        EXPECT_EQ(run(every, true, stopped),
                  every < everyLine.pumpCount() ? RunOutcome::Cancelled : RunOutcome::Complete)
            << every;
    }
}

} // namespace
