// Measures a calculation run inside the main window: the whole run of a 10,000-item import file
// with every list and display update, and how soon "Stopp" ends a run. Runs on Qt's offscreen
// platform unless another one is asked for.
//
//   tarvek-gui-bench [IMPORTFILE [PRICELIST]]
// Without a file, a 10,000-item file is generated; without a price list, the sample one is used.
#include "AnsweringDialogs.h"

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
#include <vector>

namespace {

// An import file of `items` items over the sample price list's graphics, with a few graphics
// without a price and a few items lying in one another.
QByteArray generateImport(int items)
{
    static constexpr int Graphics[] = {100, 1313, 1701, 2856, 2870, 3701, 7163, 2171, 16515, 4242};
    QByteArray out = "[SCP Export] Messdatei\r\nEntry Header\r\n{\r\n\tVersion\t2\r\n}\r\n";
    for (int i = 0; i < items; ++i) {
        const int n = i % 997 == 0 && i > 0 ? i - 1 : i; // now and then the item before again
        out += "Entry I 0x" + QByteArray::number(0x40000000 + i, 16) + "\r\n{\r\n";
        out += "\tgraphic\t" + QByteArray::number(Graphics[n % 10]) + "\r\n";
        out += "\tx\t" + QByteArray::number(1400 + n % 97) + "\r\n";
        out += "\ty\t" + QByteArray::number(1600 + (n / 97) % 89) + "\r\n";
        out += "\tz\t" + QByteArray::number(n % 7 * 5 - 10) + "\r\n";
        out += "\tcolor\t0\r\n\tname\tTeil\r\n}\r\n";
    }
    return out;
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
    QFile::copy(argc > 2 ? QString::fromLocal8Bit(argv[2])
                         : QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                dir.filePath(QStringLiteral("Preisliste.txt")));
    QString importFile = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (importFile.isEmpty()) {
        importFile = dir.filePath(QStringLiteral("Messung.cfg"));
        QFile file(importFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(generateImport(10000)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(importFile));
            return 1;
        }
    }
    const AnsweringDialogs dialogs(importFile);

    TarvekWindows windows(dir.path() + u'/');
    THauptformular& window = windows.hauptformular();
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);

    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        runs.push_back(runOnce(window, -1));
    }
    std::printf("Lauf im Fenster (%s): Median %.1f ms, bester %.1f ms\n",
                qPrintable(importFile.section(u'/', -1)), median(runs),
                *std::min_element(runs.begin(), runs.end()));
    for (int i = 0; i < window.listBox(1)->count(); ++i) {
        std::printf("  %s\n", qPrintable(window.listBox(1)->entryText(i)));
    }

    const double whole = median(runs);
    std::vector<double> stops;
    for (int percent = 5; percent < 100; percent += 10) {
        stops.push_back(runOnce(window, int(whole * percent / 100)));
    }
    std::printf("Stopp bis Leerlauf: Median %.1f ms, längste %.1f ms (%zu Messungen)\n",
                median(stops), *std::max_element(stops.begin(), stops.end()), stops.size());
    return 0;
}
