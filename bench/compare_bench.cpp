// Comparing two import files of 10,000 items each against running both: the comparison runs
// both files itself, so its cost beyond the two runs is the comparison of the runs' results.
#include "BenchInput.h"
#include "calc/Calculation.h"
#include "calc/Comparison.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The old file, a new one of another building of the same size, and the price list, on disk.
struct Files
{
    fs::path dir = fs::temp_directory_path() / "tarvek-compare-bench";
    std::string oldFile = (dir / "alt.cfg").string();
    std::string newFile = (dir / "neu.cfg").string();
    std::string priceList = (dir / "Preisliste.txt").string();

    Files()
    {
        fs::create_directories(dir);
        tarvek::bench::InputShape shape;
        const tarvek::bench::Input before = tarvek::bench::makeInput(shape);
        shape.seed += 1;
        const tarvek::bench::Input after = tarvek::bench::makeInput(shape);
        std::ofstream(oldFile, std::ios::binary) << before.importFile;
        std::ofstream(newFile, std::ios::binary) << after.importFile;
        std::ofstream(priceList, std::ios::binary) << before.priceList;
    }
    tarvek::CalculationRequest request(const std::string& file) const
    {
        return {.importFile = file,
                .programDir = dir.string() + "/",
                .priceListFile = priceList,
                .fees = {},
                .nested = tarvek::Answer::Yes,
                .recordItems = true};
    }
};

const Files& files()
{
    static const Files made;
    return made;
}

void BM_RunBoth(benchmark::State& state)
{
    const Files& f = files();
    for (auto _ : state) {
        tarvek::Calculation before;
        tarvek::Calculation after;
        benchmark::DoNotOptimize(tarvek::calculate(before, f.request(f.oldFile)));
        benchmark::DoNotOptimize(tarvek::calculate(after, f.request(f.newFile)));
    }
}
BENCHMARK(BM_RunBoth)->Unit(benchmark::kMillisecond);

void BM_CompareFiles(benchmark::State& state)
{
    const Files& f = files();
    for (auto _ : state) {
        const tarvek::FileComparison comparison =
            tarvek::compareFiles(f.oldFile, f.newFile, f.request(""));
        benchmark::DoNotOptimize(comparison.result->added.size());
    }
}
BENCHMARK(BM_CompareFiles)->Unit(benchmark::kMillisecond);

// The comparison of two finished runs alone.
void BM_CompareRuns(benchmark::State& state)
{
    const Files& f = files();
    tarvek::Calculation before;
    tarvek::Calculation after;
    tarvek::calculate(before, f.request(f.oldFile));
    tarvek::calculate(after, f.request(f.newFile));
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvek::compareRuns(before, after).removed.size());
    }
}
BENCHMARK(BM_CompareRuns)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
