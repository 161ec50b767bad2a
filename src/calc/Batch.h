#pragma once
// Many import files priced at once against one price list, on several threads: one row per file
// and the graphics that the price list does not know, over all files.

#include "calc/Calculation.h"
#include "calc/Clock.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

class PriceList;

// How one file of a batch ended.
enum class BatchOutcome
{
    Complete,   // all eight phases and the bill
    Stopped,    // stopped at the nested items, as the batch's rule says
    NotImport,  // the validity test refused it
    Aborted,    // the run broke off (a number it cannot read, a line beyond the end)
    Unreadable, // the file could not be read (missing, a folder, too large, no memory)
};

// The German word of the window and the text report; the English one of the JSON report.
std::string_view outcomeText(BatchOutcome outcome);
std::string_view outcomeName(BatchOutcome outcome);
// Complete and Stopped: the file ran to its end.
constexpr bool ranToEnd(BatchOutcome outcome)
{
    return outcome == BatchOutcome::Complete || outcome == BatchOutcome::Stopped;
}

// One file's row: what the main window would show at the end of its run.
struct BatchRow
{
    std::string file;
    BatchOutcome outcome = BatchOutcome::Unreadable;
    std::string reason; // Aborted and Unreadable: why (UTF-8, control characters made visible)
    std::int64_t items = 0;
    std::int64_t lowestZ = 0;
    std::int64_t squareSteps = 0;
    // The owners whose square-step limit the building exceeds, ", " between them.
    std::string limits;
    std::int64_t spawns = 0;
    std::int64_t nested = 0;
    std::int64_t movable = 0;  // items that may not be imported
    std::int64_t unpriced = 0; // graphics without a price
    std::int64_t borders = 0;  // build-zone borders
    std::int64_t sumHZ = 0;
    std::int64_t sumNHZ = 0;
    std::int64_t total = 0;
    bool operator==(const BatchRow&) const = default;
};

// The column names of the rows, as every copy of the table heads them.
inline constexpr std::array<std::string_view, 15> kBatchHeader = {
    "Datei",    "Items",      "Niedrigstes Z",      "QS",         "Grenzen",
    "Spawns",   "Ineinander", "Nicht importierbar", "Ohne Preis", "Bauzonenränder",
    "Summe HZ", "Summe NHZ",  "Gesamtsumme",        "Ergebnis",   "Grund"};
inline constexpr std::size_t kBatchColumns = kBatchHeader.size();
// The row's fields as texts, in the order of kBatchHeader (numbers plain).
std::array<std::string, kBatchColumns> batchFields(const BatchRow& row);

// A graphic without a price in one file.
struct UnpricedGraphic
{
    std::int32_t graphic = 0;
    std::string key; // lower-case GraphicKey
    std::int64_t items = 0;
};

// "Nicht berechnete Grafiken": every unpriced graphic over all files, with the number of files
// and of items, ordered by graphic number.
struct UnpricedEntry
{
    std::int32_t graphic = 0;
    std::string key;
    std::int64_t files = 0;
    std::int64_t items = 0;
    bool operator==(const UnpricedEntry&) const = default;
};
inline constexpr std::array<std::string_view, 4> kUnpricedHeader = {"Grafik", "Schlüssel",
                                                                    "Dateien", "Items"};
// The entry's fields as texts, in the order of kUnpricedHeader (numbers plain).
std::array<std::string, kUnpricedHeader.size()> unpricedFields(const UnpricedEntry& entry);
class UnpricedTable
{
public:
    void add(const std::vector<UnpricedGraphic>& graphics);
    std::vector<UnpricedEntry> entries() const;
    bool empty() const { return m_byGraphic.empty(); }

private:
    std::map<std::int32_t, UnpricedEntry> m_byGraphic;
};

// The row of one finished calculation, and the graphics it left without a price.
BatchRow batchRow(const std::string& file, const Calculation& calc,
                  std::vector<UnpricedGraphic>* unpriced);

// The files of a batch: a folder gives its "*.cfg" files (letter case ignored), sorted by name; a
// file stands for itself, also one that is not there (its row says so). A file named twice (by
// another spelling, a link, or in a folder given too) is there once, where it came first.
std::vector<std::string> batchFiles(const std::vector<std::string>& paths);

struct BatchSettings
{
    std::vector<std::string> files;
    std::shared_ptr<const PriceList> priceList; // from loadSharedPriceList
    FeeChoice fees;
    Answer nested = Answer::Yes;
    unsigned jobs = 0; // workers; 0: one per core
    LocaleSeparators separators;
};

// What a batch reports while it runs, from its worker threads (the callee synchronises).
struct BatchEvents
{
    std::function<void(std::size_t index)> started;
    std::function<void(std::size_t index, BatchRow row, std::vector<UnpricedGraphic> unpriced)>
        finished;
};

// The number of workers for `jobs` (0: one per core) and `files`.
unsigned batchWorkers(unsigned jobs, std::size_t files);

// Runs the files on the workers, each file once, and returns when all have ended. Once `stop` is
// set no file starts and the running ones end at their next cancel check, without a row.
void runBatch(const BatchSettings& settings, const BatchEvents& events,
              const std::atomic<bool>& stop);

// A whole batch collected: the rows of the files that ran, in file order, and the table.
struct BatchResult
{
    std::vector<BatchRow> rows;
    std::vector<UnpricedEntry> unpriced;
    // Every file ran to its end.
    bool allRan() const;
};
// `progress` (may be empty) is called under a lock after every file: files done, total, and
// the file just done.
BatchResult collectBatch(const BatchSettings& settings, const std::atomic<bool>& stop,
                         const std::function<void(std::size_t done, std::size_t total,
                                                  const std::string& file)>& progress = {});

} // namespace tarvek
