// Measures a calculation run inside the main window: the whole run of a 10,000-item import file
// with every list and display update, and how soon "Stopp" ends a run. Runs on Qt's offscreen
// platform unless another one is asked for.
//
//   tarvek-gui-bench [IMPORTFILE [PRICELIST]]
// Without files, the engine benchmark's input is used: 10,000 items with a 20,000-line price
// list. An import file without a price list runs with the sample price list.
#include "AnsweringDialogs.h"
#include "BenchInput.h"

#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "views/lists/TResultList.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// Runs once; when stopAfterMs >= 0, "Stopp" is clicked that long after the start. Returns the
// whole run time, or the time from the due click to the end of the run.
double runOnce(THauptformular& window, int stopAfterMs)
{
    auto* start = window.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
    QElapsedTimer clock;
    if (stopAfterMs >= 0) {
        QTimer::singleShot(stopAfterMs, &window, [start] { start->click(); });
    }
    clock.start();
    QTest::mouseClick(start, Qt::LeftButton);
    while (window.RunActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const double total = double(clock.nsecsElapsed()) / 1e6;
    return stopAfterMs >= 0 ? total - stopAfterMs : total;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TarvekApplication application(argc, argv);
    QTemporaryDir dir;
    const QString priceList = dir.filePath(QStringLiteral("Preisliste.txt"));
    QString importFile;
    if (argc > 1) {
        importFile = QString::fromLocal8Bit(argv[1]);
        QFile::copy(argc > 2 ? QString::fromLocal8Bit(argv[2])
                             : QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                    priceList);
    } else {
        const tarvek::bench::Input input = tarvek::bench::makeInput({});
        importFile = dir.filePath(QStringLiteral("bench.cfg"));
        if (!writeFile(importFile, input.importFile) || !writeFile(priceList, input.priceList)) {
            std::fprintf(stderr, "Messdaten in %s nicht schreibbar\n", qPrintable(dir.path()));
            return 1;
        }
    }
    const AnsweringDialogs dialogs(importFile);

    TarvekWindows windows(dir.path() + u'/');
    THauptformular& window = windows.hauptformular();
    window.show();
    (void)QTest::qWaitFor([&window] { return window.startedUp(); }, 10000);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);

    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        runs.push_back(runOnce(window, -1));
    }
    std::printf("Lauf im Fenster (%s): Median %.1f ms, bester %.1f ms\n",
                qPrintable(importFile.section(u'/', -1)), median(runs),
                *std::min_element(runs.begin(), runs.end()));
    std::printf("Einträge der Listen 1 bis 6:");
    for (int n = 1; n <= 6; ++n) {
        std::printf(" %d", window.listBox(n)->count());
    }
    std::printf("\n");

    const double whole = median(runs);
    std::vector<double> stops;
    for (int percent = 5; percent < 100; percent += 10) {
        stops.push_back(runOnce(window, int(whole * percent / 100)));
    }
    std::printf("Stopp bis Leerlauf: Median %.1f ms, längste %.1f ms (%zu Messungen)\n",
                median(stops), *std::max_element(stops.begin(), stops.end()), stops.size());
    return 0;
}
