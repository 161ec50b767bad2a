// tarvek-calc --clean and --compare through the command's options.
#include "calc/cli/FileCommands.h"
#include "calc/Cleaning.h"
#include "calc/cli/CommandCall.h"
#include "support/engine/FileRuns.h"
#include "support/engine/MiniJson.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tarvek;
using namespace tarvek::testing;
namespace fs = std::filesystem;

namespace {

CommandCall command(const FileRuns& runs, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--price-list", runs.priceList});
    return callCommand(args, runs.dir.string() + "/");
}

} // namespace

TEST(CleanCommand, WritesTheCopyAlsoWhenNothingGoesAndRefusesARunStoppedEarly)
{
    FileRuns runs("tarvek_cli_clean");
    const std::string sample = runs.write("Haus.cfg", FileRuns::read(kSampleDir + "Haus.cfg"));
    const std::string copy = (runs.dir / "Haus-bereinigt.cfg").string();
    const CommandCall cleaned = command(runs, {"--clean", copy, sample});
    EXPECT_EQ(cleaned.status, 0) << cleaned.err;
    EXPECT_NE(cleaned.out.find("Grafik 3703, X:1436, Y:1614, Z:0 (darf nicht importiert werden)"),
              std::string::npos)
        << cleaned.out;
    EXPECT_NE(cleaned.out.find("Bauzonenrand: 1\n"), std::string::npos);
    EXPECT_EQ(FileRuns::read(sample), FileRuns::read(kSampleDir + "Haus.cfg"));

    // The clean copy has nothing left to remove: it says so, and an older file of that name
    // (once made from another house) gives way to the copy all the same.
    const std::string again = runs.write("nochmal.cfg", FileRuns::read(sample));
    const CommandCall nothing = command(runs, {"--clean", again, copy});
    EXPECT_EQ(nothing.status, 0);
    EXPECT_EQ(nothing.out, std::string(kNothingToRemove) + "\nGeschrieben: " + again + "\n");
    EXPECT_EQ(FileRuns::read(again), FileRuns::read(copy));

    fs::remove(again);
    const CommandCall stopped = command(runs, {"--nested", "stop", "--clean", again, sample});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find(kCleaningNeedsCompleteRun), std::string::npos) << stopped.err;
    EXPECT_FALSE(fs::exists(again));

    // The copy never takes the place of the file it is made from.
    EXPECT_EQ(command(runs, {"--clean", sample, sample}).status, 2);
    EXPECT_EQ(command(runs, {"--clean", again, "--json", sample}).status, 2);
    EXPECT_EQ(command(runs, {"--nested-copies", sample}).status, 2);
}

TEST(CleanCommand, TheEntryKeptAtANestedPositionIsOneThatStays)
{
    FileRuns runs("tarvek_cli_clean_nested");
    // A build-zone border first, then two entries of its graphic in another colour at its place:
    // the border goes as a border, the first of the others stays.
    const std::string file = runs.write(
        "n.cfg", importFile({item("1173", "1", "2", "0", "1283"), item("100"),
                             item("1173", "1", "2", "0", "5"), item("1173", "1", "2", "0", "5")}));
    const std::string copy = (runs.dir / "c.cfg").string();
    const CommandCall cleaned = command(runs, {"--clean", copy, "--nested-copies", file});
    ASSERT_EQ(cleaned.status, 0) << cleaned.err;
    EXPECT_NE(cleaned.out.find("  Bauzonenrand: 1\n  ineinanderliegend: 1\n"), std::string::npos)
        << cleaned.out;
    EXPECT_EQ(FileRuns::read(copy), importFile({item("100"), item("1173", "1", "2", "0", "5")}));
}

TEST(CompareCommand, TextJsonAndCsvTellTheSameChange)
{
    FileRuns runs("tarvek_cli_compare");
    const std::string before =
        runs.write("alt.cfg", importFile({item("100"), item("3703", "101")}));
    const std::string after = runs.write("neu.cfg", importFile({item("100"), item("100", "102")}));

    const CommandCall text = command(runs, {"--compare", before, after});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Hinzugekommene Items (1)\n  Grafik 100, X:102, Y:200, Z:0, Anz.: 1\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("  behoben: D:3703, H:0x0e77, Pos. X:101, Y:200, Z:0\n"),
              std::string::npos);

    const Json json = JsonReader::parse(command(runs, {"--json", "--compare", before, after}).out);
    EXPECT_EQ(json["outcome"].string, "different");
    ASSERT_EQ(json["removed"].size(), 1u);
    EXPECT_EQ(json["removed"][0]["graphic"].number, 3703);
    EXPECT_EQ(json["removed"][0]["old"].number, 1);
    const Json& total = json["figures"][json["figures"].size() - 1];
    EXPECT_EQ(total["label"].string, "Gesamtsumme");
    EXPECT_EQ(total["difference"].number, 250 - 90 + 50); // a wall for a barrel, one more QS

    const CommandCall csv = command(runs, {"--compare", before, "--csv", "-", after});
    EXPECT_NE(csv.out.find("\r\nKennzahl;Gesamtsumme;"), std::string::npos);
    EXPECT_NE(csv.out.find("\r\nItem entfernt;Grafik 3703, X:101, Y:200, Z:0;1;0;-1\r\n"),
              std::string::npos)
        << csv.out;

    EXPECT_EQ(JsonReader::parse(command(runs, {"--json", "--compare", after, after}).out)["outcome"]
                  .string,
              "alike");
    const CommandCall refused = command(runs, {"--compare", before, kSampleDir + "Preisliste.txt"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.rfind("tarvek-calc: Neue Datei: Die Datei ", 0), 0u) << refused.err;
    EXPECT_TRUE(refused.out.empty());
}
