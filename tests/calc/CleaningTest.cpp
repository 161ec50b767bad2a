// Cleaning: which entries go, and that every other byte stays.
#include "calc/Cleaning.h"
#include "support/engine/FileRuns.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

using namespace tarvek;
using namespace tarvek::testing;

namespace {

// The lines of an entry in the sample, from its "Entry" line to its closing brace, with CR LF.
std::string sampleEntry(const std::string& sample, const std::string& entryLine)
{
    const std::size_t start = sample.find(entryLine);
    return sample.substr(start, sample.find("}\r\n", start) + 3 - start);
}

struct Cleaned
{
    std::optional<CleaningPlan> plan;
    std::string bytes;
    std::string refusal;
};

Cleaned clean(const FileRuns& runs, const std::string& file, bool nestedCopies = false,
              Answer nested = Answer::Yes)
{
    Calculation calc;
    calculate(calc, runs.request(file, nested));
    const auto source = readCleaningSource(file);
    Cleaned result;
    result.plan = planCleaning(*source, calc.items, nestedCopies, result.refusal);
    if (result.plan) {
        result.bytes = cleanedBytes(*source, *result.plan).value_or("(nicht geschnitten)");
    }
    return result;
}

} // namespace

TEST(Cleaning, SampleLosesExactlyTheEntryNotImportableAndTheBorder)
{
    FileRuns runs("tarvek_clean_sample");
    const std::string sample = FileRuns::read(kSampleDir + "Haus.cfg");
    const Cleaned cleaned = clean(runs, kSampleDir + "Haus.cfg");
    ASSERT_TRUE(cleaned.plan) << cleaned.refusal;
    EXPECT_EQ(cleaned.plan->count(RemovalReason::NotImportable), 1u);
    EXPECT_EQ(cleaned.plan->count(RemovalReason::BuildZoneBorder), 1u);
    EXPECT_EQ(cleaned.plan->count(RemovalReason::NestedCopy), 0u);

    std::string expected = sample;
    for (const std::string entry : {"Entry I 0x4000101F", "Entry I 0x40001022"}) {
        const std::string lines = sampleEntry(sample, entry);
        EXPECT_NE(lines.find("graphic"), std::string::npos);
        expected.erase(expected.find(lines), lines.size());
    }
    EXPECT_EQ(cleaned.bytes, expected);

    // The copy's run lists neither, and finds nothing more to clean.
    const std::string copy = runs.write("Haus-bereinigt.cfg", cleaned.bytes);
    Calculation again;
    ASSERT_TRUE(calculate(again, runs.request(copy)).reachedEnd());
    EXPECT_TRUE(again.window.texts(ResultList::Movable).empty());
    EXPECT_TRUE(again.window.texts(ResultList::Warnings).empty());
    EXPECT_TRUE(clean(runs, copy).plan->empty());
}

TEST(Cleaning, KeepsWindows1252CrLfAndLinesNothingReads)
{
    FileRuns runs("tarvek_clean_bytes");
    // A name in Windows-1252 (0xE4 is "ä"), a line Tarvek does not know, no line end at the end.
    const std::string head = "Vorspann \xE4\r\nEntry Header\r\n{\r\n}\r\n";
    const std::string keep =
        "Entry I 0x1\r\n{\r\n\tgraphic\t100\r\n\tx\t10\r\n\ty\t20\r\n\tz\t0\r\n\tcolor\t0\r\n"
        "\tname\tK\xE4se }\r\n}\r\n";
    const std::string border =
        "Entry M 0x2\r\n{\r\n\tgraphic\t1173\r\n\tx\t11\r\n\ty\t20\r\n\tz\t0\r\n\tcolor\t1283\r\n"
        "}\r\n";
    const std::string tail = "Entry C 0x3\r\n{\r\n\tgraphic\t3703\r\n\tx\t12\r\n\ty\t20\r\n"
                             "\tz\t0\r\n\tcolor\t0\r\n\tunbekannt\t\xFF\r\n}";
    const std::string file = runs.write("k.cfg", head + keep + border + keep + tail);
    const Cleaned cleaned = clean(runs, file);
    ASSERT_TRUE(cleaned.plan) << cleaned.refusal;
    EXPECT_EQ(cleaned.plan->removals.size(), 2u);
    EXPECT_EQ(cleaned.bytes, head + keep + keep);
}

TEST(Cleaning, NestedCopiesGoOnlyWhenAskedAndTheFirstStays)
{
    FileRuns runs("tarvek_clean_nested");
    const std::string file =
        runs.write("n.cfg", importFile({item("100", "1", "2"), item("1313"), item("100", "1", "2"),
                                        item("100", "1", "2")}));
    EXPECT_TRUE(clean(runs, file).plan->empty());
    const Cleaned cleaned = clean(runs, file, true);
    ASSERT_EQ(cleaned.plan->count(RemovalReason::NestedCopy), 2u);
    EXPECT_EQ(cleaned.bytes, importFile({item("100", "1", "2"), item("1313")}));
}

TEST(Cleaning, RefusesAnIncompleteRunAndAFileChangedSinceTheRun)
{
    FileRuns runs("tarvek_clean_refused");
    const std::string sample = FileRuns::read(kSampleDir + "Haus.cfg");
    const std::string file = runs.write("h.cfg", sample);
    // "Nein" at the nested items: phase 8 never looked for build-zone borders.
    Cleaned stopped = clean(runs, file, false, Answer::No);
    EXPECT_FALSE(stopped.plan);
    EXPECT_EQ(stopped.refusal, kCleaningNeedsCompleteRun);

    Calculation calc;
    calculate(calc, runs.request(file));
    // A line added above the items moves every entry: cutting by the run's lines would cut the
    // wrong ones.
    std::string reason;
    runs.write("h.cfg", "// neu\r\n" + sample);
    const auto moved = readCleaningSource(file);
    EXPECT_FALSE(planCleaning(*moved, calc.items, false, reason));
    EXPECT_EQ(reason, kCleaningFileChanged);
}
