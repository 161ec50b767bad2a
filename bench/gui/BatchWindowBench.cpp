// Frames while the window "Stapelprüfung" runs a batch of 1,000 files of 1,000 items against a
// 20,000-line price list: the longest gap between two turns of the event loop (a 1 ms timer),
// and how long "Stopp" takes to end the batch. Runs on Qt's offscreen platform unless another
// one is asked for.
//   tarvek-batch-window-bench [FILES]
#include "BenchInput.h"

#include "gui/FileNameText.h"
#include "views/batch/BatchModels.h"
#include "views/batch/TStapelpruefung.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// Runs a batch (stopped after stopAfterMs when >= 0); the frame gaps and the time to the end.
struct Frames
{
    double longestMs = 0;
    double p99Ms = 0;
    double endMs = 0; // the whole batch, or from the click on "Stopp" to its end
    int rows = 0;
};

Frames runBatch(TStapelpruefung& window, const QString& folder, int stopAfterMs)
{
    QSignalSpy finished(&window, &TStapelpruefung::batchFinished);
    std::vector<double> gaps;
    QElapsedTimer tick;
    QTimer frame;
    frame.setInterval(1);
    QObject::connect(&frame, &QTimer::timeout, [&] {
        gaps.push_back(double(tick.nsecsElapsed()) / 1e6);
        tick.restart();
    });
    QElapsedTimer clock;
    clock.start();
    tick.start();
    frame.start();
    window.startBatch({folder});
    if (stopAfterMs >= 0) {
        QTimer::singleShot(stopAfterMs, &window, [&] {
            clock.restart();
            window.stopBatch();
        });
    }
    finished.wait(600000);
    frame.stop();
    Frames result;
    result.endMs = double(clock.nsecsElapsed()) / 1e6;
    std::sort(gaps.begin(), gaps.end());
    result.longestMs = gaps.empty() ? 0 : gaps.back();
    result.p99Ms = gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100];
    result.rows = window.rows().rowCount();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
    tarvek::bench::InputShape shape;
    shape.items = 1000;
    shape.graphics = 100;
    const tarvek::bench::Input input = tarvek::bench::makeInput(shape);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Preisliste.txt")), input.priceList);
    const QString folder = dir.filePath(QStringLiteral("in"));
    QDir().mkpath(folder);
    for (int f = 0; f < files; ++f) {
        writeFile(folder + QStringLiteral("/haus%1.cfg").arg(10000 + f), input.importFile);
    }
    TStapelpruefung window(dir.path() + u'/', {});
    window.show();
    const Frames whole = runBatch(window, folder, -1);
    std::printf("window batch of %d files x 1000 items: %.0f ms, %d rows\n", files, whole.endMs,
                whole.rows);
    std::printf("  frames: longest %.1f ms, 99th percentile %.1f ms\n", whole.longestMs,
                whole.p99Ms);
    const Frames stopped = runBatch(window, folder, 300);
    std::printf("  \"Stopp\" after 300 ms: ended %.0f ms after the click, %d rows kept\n",
                stopped.endMs, stopped.rows);
    return whole.rows == files ? 0 : 1;
}
