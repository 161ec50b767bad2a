// Draws the main window after a run of an import file into a PNG file (the picture of the
// README), and when asked the "Kostenaufstellung" and "Grundriss" windows too, and the window
// "Vergleich" of the file (the old one) with another (the new one, such as its cleaned copy).
// Uses the sample price list; every question is answered with Yes.
//
//   tarvek-screenshot OUT.png IMPORTFILE [BREAKDOWN.png [PLAN.png [COMPARE.png NEWFILE]]]
#include "AnsweringDialogs.h"

#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "views/plan/TGrundriss.h"

#include <QAction>
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
    if (argc < 3 || argc > 7 || argc == 6) {
        std::fprintf(stderr, "Aufruf: tarvek-screenshot BILD.png IMPORTDATEI [AUFSTELLUNG.png "
                             "[GRUNDRISS.png [VERGLEICH.png NEUE_DATEI]]]\n");
        return 2;
    }
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                dir.filePath(QStringLiteral("Preisliste.txt")));
    // The path as given, so that the status bar shows no folder of the machine it was made on.
    AnsweringDialogs dialogs(QString::fromLocal8Bit(argv[2]));

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
    // the described one; ask for it again.
    window.resize(window.minimumSize());
    (void)QTest::qWaitFor([&window] { return window.size() == window.minimumSize(); }, 2000);
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
    if (argc >= 5) {
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
        plan.close();
    }
    if (argc == 7) {
        // The new file loaded, the first one chosen as the old one.
        dialogs.answerWith(QString::fromLocal8Bit(argv[6]));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
        dialogs.answerWith(QString::fromLocal8Bit(argv[2]));
        window.findChild<QAction*>(QStringLiteral("Vergleichen1"))->trigger();
        auto* comparison = window.findChild<QWidget*>(QStringLiteral("Vergleich"));
        if (comparison == nullptr) {
            std::fprintf(stderr, "kein Fenster \"Vergleich\"\n");
            return 1;
        }
        (void)QTest::qWaitForWindowExposed(comparison);
        QTest::qWait(200);
        if (!comparison->grab().save(QString::fromLocal8Bit(argv[5]))) {
            std::fprintf(stderr, "Bild %s kann nicht geschrieben werden\n", argv[5]);
            return 1;
        }
    }
    return 0;
}
