// The window "Grundriss" with the 10,000 items of the engine benchmark's input (offscreen):
// opening the plan (copying the run's items, building the tiles, the first picture) and one
// repaint at several zooms, on all levels and on one level.
#include "BenchInput.h"

#include "calc/CalculationRun.h"
#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "views/plan/TGrundriss.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

const tarvek::ItemRecord& record()
{
    static const tarvek::ItemRecord items = [] {
        const tarvek::bench::Input in = tarvek::bench::makeInput({});
        tarvek::ItemRecord record;
        tarvek::RecordingObserver window;
        tarvek::RunState state;
        tarvek::FixedClock clock;
        tarvek::RunSettings settings;
        settings.readPriceList = [&] { return std::optional<std::string>(in.priceList); };
        settings.clock = &clock;
        settings.items = &record;
        tarvek::CalculationRun(std::move(settings), state, window)
            .execute(tarvek::splitLines(in.importFile));
        return record;
    }();
    return items;
}

// One paint of the whole map area.
void paintOnce(QWidget& view, QImage& target)
{
    target.fill(Qt::black);
    view.render(&target);
}

void BM_PlanOpen(benchmark::State& state)
{
    TGrundriss plan;
    plan.resize(900, 700);
    QImage target(plan.view()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        plan.showPlan(record());
        paintOnce(*plan.view(), target);
    }
    state.SetLabel(std::to_string(record().items().size()) + " items");
}
BENCHMARK(BM_PlanOpen)->Unit(benchmark::kMillisecond);

// Arguments: pixels per tile times 4 (0: fitted), and 1 for one level instead of all.
void BM_PlanRepaint(benchmark::State& state)
{
    TGrundriss plan;
    plan.resize(900, 700);
    plan.showPlan(record());
    if (state.range(1) != 0) {
        plan.findChild<QComboBox*>(QStringLiteral("Ebene"))->setCurrentIndex(2);
    }
    tarvek::plan::PlanView& view = *plan.view();
    if (state.range(0) != 0) {
        // Zoom around the centre to the scale asked for.
        const double factor = double(state.range(0)) / 4 / view.scale();
        QWheelEvent wheel(QPointF(view.rect().center()), view.mapToGlobal(view.rect().center()), {},
                          QPoint(0, int(std::lround(240 * std::log2(factor)))), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
    }
    QImage target(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        paintOnce(view, target);
    }
    state.SetLabel(QStringLiteral("%1 px per tile").arg(view.scale(), 0, 'f', 2).toStdString());
}
BENCHMARK(BM_PlanRepaint)
    ->ArgsProduct({{0, 1, 4, 16, 64, 256}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
