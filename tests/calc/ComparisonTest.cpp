// Comparing two runs: figures, items by position key, findings.
#include "calc/Comparison.h"
#include "support/engine/FileRuns.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

using namespace tarvek;
using namespace tarvek::testing;

namespace {

const FigureRow& figure(const Comparison& comparison, std::string_view label)
{
    for (const FigureRow& row : comparison.figures) {
        if (row.label == label) {
            return row;
        }
    }
    throw std::runtime_error("no figure " + std::string(label));
}

} // namespace

TEST(Comparison, SampleAgainstItsCleanedCopyListsTheRemovedEntriesAndTheNewTotal)
{
    FileRuns runs("tarvek_compare_sample");
    std::string copy = FileRuns::read(kSampleDir + "Haus.cfg");
    for (const std::string entry : {"Entry I 0x4000101F", "Entry I 0x40001022"}) {
        const std::size_t start = copy.find(entry);
        copy.erase(start, copy.find("}\r\n", start) + 3 - start);
    }
    const std::string cleaned = runs.write("Haus-bereinigt.cfg", copy);
    const FileComparison comparison =
        compareFiles(kSampleDir + "Haus.cfg", cleaned, runs.request(""));
    ASSERT_TRUE(comparison.result) << comparison.refusal;
    const Comparison& result = *comparison.result;
    EXPECT_TRUE(result.added.empty());
    ASSERT_EQ(result.removed.size(), 2u);
    EXPECT_EQ(result.removed[0].key, (PositionKey{1173, true, 1437, 1611, 0}));
    EXPECT_EQ(result.removed[1].key, (PositionKey{3703, true, 1436, 1614, 0}));
    EXPECT_EQ(result.removed[1].count(), 1);
    EXPECT_EQ(figure(result, "Anzahl Items").difference(), -2);
    const FigureRow& total = figure(result, "Gesamtsumme");
    EXPECT_EQ(total.oldValue, 38840);
    EXPECT_EQ(total.newValue, comparison.newRun->state.grandTotal);
    EXPECT_EQ(total.difference(), -90);
    EXPECT_EQ(result.findings[0].resolved,
              std::vector<std::string>{"Achtung: Bauzonenränder sind noch vorhanden!!!"});
    EXPECT_EQ(result.findings[1].resolved,
              std::vector<std::string>{"D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0"});
    EXPECT_TRUE(result.findings[0].added.empty());
    EXPECT_FALSE(result.alike());
}

TEST(Comparison, IdenticalFilesAreAlikeAndAMovedItemIsRemovedPlusAdded)
{
    FileRuns runs("tarvek_compare_moved");
    const std::string before = runs.write(
        "a.cfg",
        importFile({item("100", "10", "20"), item("100", "10", "20"), item("3703", "11", "20")}));
    const std::string same = runs.write("b.cfg", FileRuns::read(before));
    const FileComparison alike = compareFiles(before, same, runs.request(""));
    ASSERT_TRUE(alike.result) << alike.refusal;
    EXPECT_TRUE(alike.result->alike());

    // One of the two walls moves one step east: one fewer at the old place, one at the new.
    const std::string after = runs.write(
        "c.cfg",
        importFile({item("100", "10", "20"), item("100", "11", "21"), item("3703", "11", "20")}));
    const Comparison moved = *compareFiles(before, after, runs.request("")).result;
    ASSERT_EQ(moved.removed.size(), 1u);
    EXPECT_EQ(moved.removed[0].key, (PositionKey{100, true, 10, 20, 0}));
    EXPECT_EQ(moved.removed[0].oldCount, 2);
    EXPECT_EQ(moved.removed[0].newCount, 1);
    ASSERT_EQ(moved.added.size(), 1u);
    EXPECT_EQ(moved.added[0].key, (PositionKey{100, true, 11, 21, 0}));
    EXPECT_EQ(moved.added[0].line, 14u); // the graphic line of the second entry in the new file
    EXPECT_EQ(figure(moved, "Gesamtsumme").difference(), 100); // two more square steps
}

TEST(Comparison, NamesEachFileThatHasNoBill)
{
    FileRuns runs("tarvek_compare_refused");
    const std::string good = runs.write("gut.cfg", importFile({item("100")}));
    const std::string bad = runs.write("kaputt.cfg", "kein Import\r\n");
    const FileComparison oldBad = compareFiles(bad, good, runs.request(""));
    EXPECT_FALSE(oldBad.result);
    EXPECT_EQ(oldBad.refusal, "Alte Datei: Die Datei " + bad + " ist keine gültige Importdatei.\n");
    const FileComparison newMissing =
        compareFiles(good, runs.dir.string() + "/fehlt.cfg", runs.request(""));
    EXPECT_EQ(newMissing.refusal.rfind("Neue Datei: ", 0), 0u) << newMissing.refusal;
}
