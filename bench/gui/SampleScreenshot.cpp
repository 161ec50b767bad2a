// Draws the main window after a run of an import file into a PNG file (the picture of the
// README), and when asked the "Kostenaufstellung" and "Grundriss" windows too. Uses the sample
// price list; every question is answered with Yes.
//
//   tarvek-screenshot OUT.png IMPORTFILE [BREAKDOWN.png [PLAN.png]]
#include "AnsweringDialogs.h"

#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "views/plan/TGrundriss.h"

#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

int main(int argc, char* argv[])
{
    TarvekApplication application(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "Aufruf: tarvek-screenshot BILD.png IMPORTDATEI [AUFSTELLUNG.png "
                             "[GRUNDRISS.png]]\n");
        return 2;
    }
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                dir.filePath(QStringLiteral("Preisliste.txt")));
    // The path as given, so that the status bar shows no folder of the machine it was made on.
    const AnsweringDialogs dialogs(QString::fromLocal8Bit(argv[2]));

    TarvekWindows windows(dir.path() + u'/');
    THauptformular& window = windows.hauptformular();
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    (void)QTest::qWaitFor([&window] { return window.startedUp(); }, 10000);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    QTest::qWait(50);
    while (window.RunActive()) {
        QTest::qWait(20);
    }
    QTest::qWait(200);
    // Without a window manager the X server keeps the window's first size (640 x 480) instead of
    // the fixed one; ask for it again.
    window.resize(window.maximumSize());
    (void)QTest::qWaitFor([&window] { return window.size() == window.maximumSize(); }, 2000);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "Bild %s kann nicht geschrieben werden\n", argv[1]);
        return 1;
    }
    if (argc >= 4) {
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn8")),
                          Qt::LeftButton);
        auto* breakdown = window.findChild<QWidget*>(QStringLiteral("Kostenaufstellung"));
        (void)QTest::qWaitForWindowExposed(breakdown);
        QTest::qWait(200);
        if (!breakdown->grab().save(QString::fromLocal8Bit(argv[3]))) {
            std::fprintf(stderr, "Bild %s kann nicht geschrieben werden\n", argv[3]);
            return 1;
        }
        breakdown->close();
    }
    if (argc == 5) {
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("ToolButton6")),
                          Qt::LeftButton);
        TGrundriss& plan = windows.grundriss();
        plan.resize(760, 520);
        (void)QTest::qWaitForWindowExposed(&plan);
        QTest::qWait(200);
        if (!plan.grab().save(QString::fromLocal8Bit(argv[4]))) {
            std::fprintf(stderr, "Bild %s kann nicht geschrieben werden\n", argv[4]);
            return 1;
        }
    }
    return 0;
}
