// The batch against its own runs: 1,000 files of 1,000 items each against a 20,000-line price
// list, with one worker and with two, and the sum of the same files' single in-process runs (each
// reading the price list as a single run does). Prints the times and their ratios.
//   tarvek-batch-bench [FILES [ITEMS]]
#include "BenchInput.h"
#include "calc/Batch.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Everything a batch does from the price list to the last row.
double batchMs(const std::vector<std::string>& paths, const std::string& programDir, unsigned jobs,
               std::size_t& rows)
{
    const auto start = Clock::now();
    std::string message;
    tarvek::BatchSettings settings;
    settings.priceList = tarvek::loadSharedPriceList({}, programDir, message);
    settings.files = tarvek::batchFiles(paths);
    settings.jobs = jobs;
    const std::atomic<bool> stop{false};
    rows = tarvek::collectBatch(settings, stop).rows.size();
    return msSince(start);
}

} // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
    tarvek::bench::InputShape shape;
    shape.items = argc > 2 ? std::atoi(argv[2]) : 1000;
    shape.graphics = 100;
    const tarvek::bench::Input input = tarvek::bench::makeInput(shape);
    const fs::path dir = fs::temp_directory_path() / "tarvek-batch-bench";
    fs::remove_all(dir);
    fs::create_directories(dir / "in");
    std::ofstream(dir / "Preisliste.txt", std::ios::binary) << input.priceList;
    for (int f = 0; f < files; ++f) {
        std::ofstream(dir / "in" / ("haus" + std::to_string(10000 + f) + ".cfg"), std::ios::binary)
            << input.importFile;
    }
    const std::string programDir = dir.string() + "/";
    const std::vector<std::string> paths = {(dir / "in").string()};

    std::size_t rows = 0;
    batchMs(paths, programDir, 0, rows); // warm-up: the files in the page cache
    const double one = batchMs(paths, programDir, 1, rows);
    const double two = batchMs(paths, programDir, 2, rows);
    const double cores = batchMs(paths, programDir, 0, rows);
    double singles = 0;
    for (const std::string& file : tarvek::batchFiles(paths)) {
        const auto start = Clock::now();
        tarvek::Calculation calc;
        tarvek::calculate(calc, {.importFile = file, .programDir = programDir});
        singles += msSince(start);
    }
    std::printf("batch of %d files x %d items, %d price lines, %zu rows\n", files, shape.items,
                shape.priceLines, rows);
    std::printf("  --jobs 1:                 %8.0f ms\n", one);
    std::printf("  --jobs 2:                 %8.0f ms   (jobs 1 / jobs 2: %.2f)\n", two, one / two);
    std::printf("  one worker per core (%u): %8.0f ms\n", tarvek::batchWorkers(0, 1000), cores);
    std::printf("  single runs, summed:      %8.0f ms   (batch --jobs 1 / singles: %.2f)\n",
                singles, one / singles);
    fs::remove_all(dir);
    return rows == static_cast<std::size_t>(files) ? 0 : 1;
}
