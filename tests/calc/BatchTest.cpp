// The batch: many files against one shared price list on several workers, each row equal to the
// file's single run.
#include "calc/Batch.h"
#include "calc/BatchCsv.h"
#include "pricing/PriceList.h"
#include "support/engine/RunHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tarvek;
using namespace tarvek::testing;
namespace fs = std::filesystem;

namespace {

// Movable (6 and 7 "1"), a spawn (8 "1"), HZ and NHZ lines, a bundle.
const std::string kPrices = lines({"0x0e75|Tisch|120|t|1|0|0|0", "0x1bfb|Kiste|500|b|10|1|0|1",
                                   "0x0f00|Fass|7|t|1|1|1|0", "0x0a0a|Stuhl|33|t|1|0|0|0"});

struct BatchFolder
{
    fs::path dir = fs::path(::testing::TempDir()) / "batch-test";
    BatchFolder()
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "Preisliste.txt", std::ios::binary) << kPrices;
    }
    ~BatchFolder() { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
};

// A file of its own for every seed: priced, unpriced, nested, movable and border items.
std::string variedFile(int seed)
{
    static const char* const kGraphics[] = {"3701", "7163", "3840", "2570", "1173", "100", "4660"};
    std::vector<Item> items;
    for (int i = 0; i < 20 + seed % 13; ++i) {
        const std::string graphic = kGraphics[(i * 7 + seed) % 7];
        items.push_back(item(graphic, std::to_string(100 + (i * seed) % 9),
                             std::to_string(200 + i % 5), std::to_string(i % 3 - seed % 2),
                             graphic == "1173" && seed % 3 == 0 ? "1283" : "0"));
    }
    return importFile(items);
}

BatchSettings settingsFor(const BatchFolder& folder, std::vector<std::string> files)
{
    std::string message;
    BatchSettings settings;
    settings.priceList = loadSharedPriceList({}, folder.dir.string() + "/", message);
    EXPECT_TRUE(settings.priceList) << message;
    settings.files = std::move(files);
    settings.fees = {true, false};
    settings.jobs = 4;
    return settings;
}

BatchRow singleRun(const std::string& file, std::vector<UnpricedGraphic>* unpriced,
                   const BatchFolder& folder, Answer nested)
{
    Calculation calc;
    calculate(calc, {.importFile = file,
                     .programDir = folder.dir.string() + "/",
                     .fees = {true, false},
                     .nested = nested});
    return batchRow(file, calc, unpriced);
}

TEST(Batch, AFolderOfGoodAndBadFilesGivesOneRowEachAndSaysNotAllRan)
{
    BatchFolder folder;
    folder.write("a-good.cfg", variedFile(3));
    folder.write("b-BROKEN.CFG", importFile({item("12x")}));
    folder.write("c-empty.cfg", "");
    folder.write("d-notes.cfg", "Einkaufsliste\r\n");
    folder.write("e-ignored.txt", variedFile(4));
    fs::create_directories(folder.dir / "f-folder.cfg");
#ifndef _WIN32
    // Not a regular file: refused without waiting for a writer.
    ASSERT_EQ(mkfifo((folder.dir / "g-pipe.cfg").c_str(), 0600), 0);
#endif
    const std::string missing = (folder.dir / "h-missing.cfg").string();
    auto files = batchFiles({folder.dir.string(), missing});
    const std::atomic<bool> stop{false};
    const BatchResult result = collectBatch(settingsFor(folder, files), stop);

    std::vector<std::pair<std::string, BatchOutcome>> outcomes;
    for (const BatchRow& row : result.rows) {
        outcomes.emplace_back(fs::path(row.file).filename().string(), row.outcome);
        EXPECT_EQ(row.reason.empty(),
                  ranToEnd(row.outcome) || row.outcome == BatchOutcome::NotImport)
            << row.file;
    }
    std::vector<std::pair<std::string, BatchOutcome>> expected = {
        {"a-good.cfg", BatchOutcome::Complete},     {"b-BROKEN.CFG", BatchOutcome::Aborted},
        {"c-empty.cfg", BatchOutcome::NotImport},   {"d-notes.cfg", BatchOutcome::NotImport},
#ifndef _WIN32
        {"g-pipe.cfg", BatchOutcome::Unreadable},
#endif
        {"h-missing.cfg", BatchOutcome::Unreadable}};
    EXPECT_EQ(outcomes, expected);
    EXPECT_FALSE(result.allRan());
    EXPECT_NE(result.rows.back().reason.find("nicht gefunden"), std::string::npos);
    EXPECT_GT(result.rows.front().items, 0);
}

TEST(Batch, RowsAndUnpricedTableEqualTheSingleRunsFileByFile)
{
    BatchFolder folder;
    std::vector<std::string> files;
    for (int seed = 0; seed < 24; ++seed) {
        files.push_back(
            folder.write("haus" + std::to_string(100 + seed) + ".cfg", variedFile(seed)));
    }
    // 51 by 31 square steps: beyond a pair's area and an unrecognised guild's.
    files.push_back(folder.write(
        "weit.cfg", importFile({item("100", "100", "200"), item("100", "150", "230")})));
    for (const Answer nested : {Answer::Yes, Answer::No}) {
        BatchSettings settings = settingsFor(folder, files);
        settings.nested = nested;
        const std::atomic<bool> stop{false};
        const BatchResult result = collectBatch(settings, stop);
        ASSERT_EQ(result.rows.size(), files.size());
        UnpricedTable union_;
        std::set<BatchOutcome> seen;
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::vector<UnpricedGraphic> unpriced;
            EXPECT_EQ(result.rows[i], singleRun(files[i], &unpriced, folder, nested)) << files[i];
            union_.add(unpriced);
            seen.insert(result.rows[i].outcome);
        }
        EXPECT_EQ(result.unpriced, union_.entries());
        EXPECT_TRUE(result.allRan());
        // The files exercise both ends of the nested-items rule, borders and limits.
        EXPECT_TRUE(
            seen.count(nested == Answer::Yes ? BatchOutcome::Complete : BatchOutcome::Stopped));
    }
    const std::atomic<bool> stop{false};
    const BatchResult result = collectBatch(settingsFor(folder, files), stop);
    const auto has = [&](auto field) {
        return std::any_of(result.rows.begin(), result.rows.end(), field);
    };
    EXPECT_TRUE(has([](const BatchRow& r) { return r.borders > 0; }));
    // A single person's area is the smallest; a run beyond it names an owner type.
    for (const BatchRow& row : result.rows) {
        EXPECT_EQ(row.limits.empty(), row.squareSteps <= 300) << row.file;
    }
    EXPECT_TRUE(
        has([](const BatchRow& r) { return r.limits == "Paare, nicht anerkannte Gilden"; }));
    EXPECT_TRUE(has([](const BatchRow& r) { return r.nested > 0 && r.movable > 0; }));
    EXPECT_TRUE(has([](const BatchRow& r) { return r.unpriced > 0 && r.total > 0; }));
    // The second table sums items over files: 0x0064 (100) stands in many of them.
    ASSERT_FALSE(result.unpriced.empty());
    EXPECT_GT(result.unpriced.front().files, 1);
}

TEST(Batch, StopEndsTheBatchAndKeepsTheRowsDone)
{
    BatchFolder folder;
    std::vector<std::string> files;
    for (int seed = 0; seed < 40; ++seed) {
        files.push_back(
            folder.write(std::string("h") + std::to_string(seed) + ".cfg", variedFile(seed)));
    }
    BatchSettings settings = settingsFor(folder, files);
    settings.jobs = 2;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::vector<BatchRow> rows;
    BatchEvents events;
    events.finished = [&](std::size_t, BatchRow row, std::vector<UnpricedGraphic>) {
        const std::lock_guard<std::mutex> lock(mutex);
        rows.push_back(std::move(row));
        if (rows.size() == 5) {
            stop = true;
        }
    };
    runBatch(settings, events, stop);
    // The other worker may finish the file it had begun before the stop.
    EXPECT_GE(rows.size(), 5U);
    EXPECT_LE(rows.size(), 6U);
    for (const BatchRow& row : rows) {
        EXPECT_EQ(row.outcome, BatchOutcome::Complete);
    }
}

TEST(Batch, CsvTablesGuardTextsFromOutside)
{
    BatchRow row;
    row.file = "=HYPERLINK(\"x\");a.cfg";
    row.outcome = BatchOutcome::Complete;
    row.limits = "Paare";
    const std::string csv = batchRowsCsv({row});
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF"
                                "Datei;Items;"));
    EXPECT_NE(csv.find("\r\n\"'=HYPERLINK(\"\"x\"\");a.cfg\";0;0;0;Paare;"), std::string::npos);
    // A direction mark in a name would turn the rest of its row round in the spreadsheet.
    row.file = "Haus\xE2\x80\xAEgfc.cfg";
    EXPECT_NE(batchRowsCsv({row}).find("\r\nHaus\uFFFDgfc.cfg;0;"), std::string::npos);
    EXPECT_EQ(unpricedCsv({{100, "0x0064", 2, 7}}),
              "\xEF\xBB\xBF"
              "Grafik;Schlüssel;Dateien;Items\r\n100;0x0064;2;7\r\n");
}

} // namespace
