// The run's per-line helpers against their plain forms: the keys of a line, the progress value.
#include "calc/RunSteps.h"

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

} // namespace
