#include "calc/Batch.h"

#include "base/AsciiCase.h"
#include "base/FileNames.h"
#include "calc/Warnings.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <new>
#include <set>
#include <thread>

namespace tarvek {
namespace {

// The German word and the English one of every outcome, in the order of BatchOutcome.
constexpr std::pair<std::string_view, std::string_view> kOutcomeWords[] = {
    {"vollständig", "complete"},      {"bei ineinanderliegenden Items gestoppt", "stopped"},
    {"keine Importdatei", "invalid"}, {"abgebrochen", "aborted"},
    {"nicht lesbar", "unreadable"},
};

// The run's error messages on one line each, "; " between them, every control made visible.
std::string errorMessages(const RecordingObserver& window)
{
    std::string text;
    for (const auto& message : window.messages()) {
        if (message.kind != RecordingObserver::Message::Kind::Error) {
            continue;
        }
        std::string line;
        for (std::size_t i = 0; i < message.text.size(); ++i) {
            if (message.text.compare(i, 2, "\r\n") == 0) {
                line += ' ';
                ++i;
            } else {
                line += message.text[i];
            }
        }
        text += (text.empty() ? "" : "; ") + displayText(line, TextEncoding::Utf8);
    }
    return text;
}

bool isImportFileName(const std::filesystem::path& path)
{
    return asciiLower(fileNameOf(path.extension())) == ".cfg";
}

} // namespace

std::string_view outcomeText(BatchOutcome outcome)
{
    return kOutcomeWords[static_cast<std::size_t>(outcome)].first;
}

std::string_view outcomeName(BatchOutcome outcome)
{
    return kOutcomeWords[static_cast<std::size_t>(outcome)].second;
}

std::array<std::string, kBatchColumns> batchFields(const BatchRow& row)
{
    const auto n = [](std::int64_t value) { return std::to_string(value); };
    return {row.file,        n(row.items),
            n(row.lowestZ),  n(row.squareSteps),
            row.limits,      n(row.spawns),
            n(row.nested),   n(row.movable),
            n(row.unpriced), n(row.borders),
            n(row.sumHZ),    n(row.sumNHZ),
            n(row.total),    std::string(outcomeText(row.outcome)),
            row.reason};
}

std::array<std::string, kUnpricedHeader.size()> unpricedFields(const UnpricedEntry& entry)
{
    return {std::to_string(entry.graphic), entry.key, std::to_string(entry.files),
            std::to_string(entry.items)};
}

void UnpricedTable::add(const std::vector<UnpricedGraphic>& graphics)
{
    for (const UnpricedGraphic& graphic : graphics) {
        UnpricedEntry& entry = m_byGraphic[graphic.graphic];
        if (entry.files == 0) {
            entry.graphic = graphic.graphic;
            entry.key = graphic.key;
        }
        ++entry.files;
        entry.items += graphic.items;
    }
}

std::vector<UnpricedEntry> UnpricedTable::entries() const
{
    std::vector<UnpricedEntry> out;
    out.reserve(m_byGraphic.size());
    for (const auto& [graphic, entry] : m_byGraphic) {
        out.push_back(entry);
    }
    return out;
}

BatchRow batchRow(const std::string& file, const Calculation& calc,
                  std::vector<UnpricedGraphic>* unpriced)
{
    BatchRow row;
    row.file = file;
    const RecordingObserver& window = calc.window;
    if (!calc.outcome.run) {
        row.outcome = BatchOutcome::NotImport;
        return row;
    }
    switch (*calc.outcome.run) {
    case RunOutcome::Complete:
        row.outcome = BatchOutcome::Complete;
        break;
    case RunOutcome::Stopped:
        row.outcome = BatchOutcome::Stopped;
        break;
    case RunOutcome::Unreadable:
        row.outcome = BatchOutcome::Unreadable;
        row.reason = errorMessages(window);
        return row;
    default:
        row.outcome = BatchOutcome::Aborted;
        row.reason = errorMessages(window);
        return row;
    }
    row.items = window.display(NumberDisplay::ItemCount);
    row.lowestZ = window.display(NumberDisplay::LowestLevel);
    row.squareSteps = window.display(NumberDisplay::SquareSteps);
    for (const AreaLimit& limit : exceededAreaLimits(row.squareSteps)) {
        row.limits += (row.limits.empty() ? "" : ", ") + std::string(limit.owner);
    }
    for (const auto& entry : window.list(ResultList::Warnings).entries) {
        row.borders += entry.text == kBorderWarning ? 1 : 0;
    }
    const RunState& state = calc.state;
    row.spawns = state.spawnCount;
    row.nested = state.nestedCount;
    row.movable = static_cast<std::int64_t>(window.list(ResultList::Movable).entries.size());
    for (const BreakdownRow& graphic : state.breakdown.rows()) {
        if (graphic.status == BreakdownStatus::NotCalculated) {
            ++row.unpriced;
            if (unpriced != nullptr) {
                unpriced->push_back({graphic.graphic, graphic.key, graphic.items});
            }
        }
    }
    row.sumHZ = state.itemSumHZ;
    row.sumNHZ = state.itemSumNHZ;
    row.total = state.billShown ? state.grandTotal : 0;
    return row;
}

std::vector<std::string> batchFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    // A file named twice, by whatever name, is priced and counted once: by the file itself where
    // it can be found, else by its absolute spelling.
    std::set<std::pair<std::uint64_t, std::uint64_t>> identities;
    std::set<std::filesystem::path> spellings;
    const auto add = [&](std::string file) {
        const auto identity = fileIdentity(file);
        std::error_code ignored;
        const bool first =
            identity
                ? identities.insert(*identity).second
                : spellings
                      .insert(std::filesystem::absolute(pathOf(file), ignored).lexically_normal())
                      .second;
        if (first) {
            files.push_back(std::move(file));
        }
    };
    for (const std::string& given : paths) {
        std::error_code error;
        const std::filesystem::path path = pathOf(given);
        if (!std::filesystem::is_directory(path, error)) {
            add(given);
            continue;
        }
        std::vector<std::string> found;
        for (std::filesystem::directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (isImportFileName(it->path()) && !it->is_directory(ignored)) {
                found.push_back(fileNameOf(it->path()));
            }
        }
        if (error) {
            add(given); // its row tells why the folder cannot be read
        }
        std::sort(found.begin(), found.end());
        for (std::string& file : found) {
            add(std::move(file));
        }
    }
    return files;
}

unsigned batchWorkers(unsigned jobs, std::size_t files)
{
    const unsigned wanted = jobs != 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(wanted, files)));
}

void runBatch(const BatchSettings& settings, const BatchEvents& events,
              const std::atomic<bool>& stop)
{
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < settings.files.size() && !stop.load(); i = next++) {
            if (events.started) {
                events.started(i);
            }
            const std::string& file = settings.files[i];
            std::vector<UnpricedGraphic> unpriced;
            BatchRow row;
            try {
                Calculation calc;
                calc.window.setCancelHook([&stop](std::uint64_t) { return stop.load(); });
                calculate(calc, {.importFile = file,
                                 .priceList = settings.priceList,
                                 .separators = settings.separators,
                                 .fees = settings.fees,
                                 .nested = settings.nested});
                if (calc.outcome.run == RunOutcome::Cancelled) {
                    return;
                }
                row = batchRow(file, calc, &unpriced);
            } catch (const std::bad_alloc&) {
                // A file too large for the memory left: its row says so, the others go on.
                unpriced.clear();
                row = BatchRow();
                row.file = file;
                row.reason = "Nicht genügend Arbeitsspeicher";
            }
            if (events.finished) {
                events.finished(i, std::move(row), std::move(unpriced));
            }
        }
    };
    const unsigned workers = batchWorkers(settings.jobs, settings.files.size());
    std::vector<std::jthread> threads;
    for (unsigned w = 1; w < workers; ++w) {
        threads.emplace_back(work);
    }
    work(); // the calling thread is a worker too
}

bool BatchResult::allRan() const
{
    return std::all_of(rows.begin(), rows.end(),
                       [](const BatchRow& row) { return ranToEnd(row.outcome); });
}

BatchResult collectBatch(const BatchSettings& settings, const std::atomic<bool>& stop,
                         const std::function<void(std::size_t done, std::size_t total,
                                                  const std::string& file)>& progress)
{
    std::vector<std::optional<BatchRow>> rows(settings.files.size());
    UnpricedTable table;
    std::mutex mutex;
    std::size_t done = 0;
    BatchEvents events;
    events.finished = [&](std::size_t index, BatchRow row, std::vector<UnpricedGraphic> unpriced) {
        const std::lock_guard<std::mutex> lock(mutex);
        table.add(unpriced);
        rows[index] = std::move(row);
        if (progress) {
            progress(++done, settings.files.size(), settings.files[index]);
        }
    };
    runBatch(settings, events, stop);
    BatchResult result;
    for (auto& row : rows) {
        if (row) {
            result.rows.push_back(std::move(*row));
        }
    }
    result.unpriced = table.entries();
    return result;
}

} // namespace tarvek
