// Draws the main window after a run of an import file into a PNG file (the picture of the
// README). Uses the sample price list; every question is answered with Yes.
//
//   tarvek-screenshot OUT.png IMPORTFILE
#include "AnsweringDialogs.h"

#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"

#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[])
{
    TarvekApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: tarvek-screenshot BILD.png IMPORTDATEI\n");
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
    // Without a window manager the X server keeps the window's first size (640 x 480) instead of
    // the fixed one; ask for it again.
    window.resize(window.minimumSize());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    QTest::qWait(50);
    while (window.RunActive()) {
        QTest::qWait(20);
    }
    QTest::qWait(200);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "Bild %s kann nicht geschrieben werden\n", argv[1]);
        return 1;
    }
    return 0;
}
