// In-process benchmarks of the engine: one whole run, and the price list lookups.
#include "BenchInput.h"
#include "base/AsciiCase.h"
#include "calc/CalculationRun.h"
#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "pricing/GraphicKey.h"
#include "pricing/PriceList.h"

#include <benchmark/benchmark.h>

namespace {

const tarvek::bench::Input& input(int scale)
{
    static const tarvek::bench::Input one = [] { return tarvek::bench::makeInput({}); }();
    static const tarvek::bench::Input ten = [] {
        tarvek::bench::InputShape shape;
        shape.items *= 10;
        shape.graphics *= 10;
        shape.priceLines *= 10;
        return tarvek::bench::makeInput(shape);
    }();
    return scale == 1 ? one : ten;
}

// Arguments: input scale, and 1 when the run records its items for the plan (as the window and
// tarvek-calc do).
void BM_WholeRun(benchmark::State& state)
{
    const auto& in = input(static_cast<int>(state.range(0)));
    const tarvek::ImportLines lines = tarvek::splitLines(in.importFile);
    tarvek::FixedClock clock;
    tarvek::ItemRecord items;
    for (auto _ : state) {
        tarvek::RecordingObserver window;
        tarvek::RunState runState;
        tarvek::RunSettings settings;
        settings.readPriceList = [&] { return std::optional<std::string>(in.priceList); };
        settings.clock = &clock;
        settings.items = state.range(1) != 0 ? &items : nullptr;
        tarvek::CalculationRun run(std::move(settings), runState, window);
        benchmark::DoNotOptimize(run.execute(lines));
    }
    state.SetLabel(std::to_string(lines.size()) + " lines" +
                   (state.range(1) != 0 ? ", items recorded" : ""));
}
BENCHMARK(BM_WholeRun)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond);

void BM_PriceListIndexedLookups(benchmark::State& state)
{
    const auto& in = input(1);
    for (auto _ : state) {
        const tarvek::PriceList list = tarvek::PriceList::fromBytes(in.priceList);
        std::size_t found = 0;
        for (int g = 0x100; g < 0x4000; g += 7) {
            const std::string key = tarvek::asciiLower(tarvek::graphicKey(g));
            found += list.findMovableMarks(key).size();
            found += list.findPriceLine(key).has_value() ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_PriceListIndexedLookups)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
