#include "app/Dialogs.h"
#include "app/SingleInstance.h"
#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "views/plan/PlanExport.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // tarvek --plan-png OUT.png IMPORTFILE: the plan as a picture, without a window.
    if (argc > 1 && std::strcmp(argv[1], "--plan-png") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        const QGuiApplication application(argc, argv);
        if (argc != 4) {
            std::fputs("Aufruf: tarvek --plan-png BILD.png IMPORTDATEI\n", stderr);
            return 2;
        }
        return writePlanPng(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[2]));
    }

    TarvekApplication application(argc, argv);

    // Only one copy runs; the lock is held until the program ends.
    SingleInstance instance;
    if (!instance.acquire()) {
        Dialogs::plain(nullptr, QStringLiteral("Tarvek 2.4"), SingleInstance::message());
        return 0;
    }

    TarvekWindows windows;
    windows.hauptformular().show();
    return TarvekApplication::exec();
}
