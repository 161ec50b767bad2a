#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "gui/Dialogs.h"

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// Help, version, an error or an export: each ends the program without a window.
int runWithoutWindow(const CommandLine& line, int& argc, char** argv)
{
    switch (line.action()) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        std::fputs(line.text().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Export:
        return line.runExport(argc, argv);
    default:
        std::fputs(line.text().toLocal8Bit().constData(), stderr);
        return 2;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Read before any display is needed. What does not parse may hold the window system's own
    // options (-style, -platform, ...), which the application takes out of the list.
    const CommandLine early(argumentsOf(argc, argv));
    if (early.action() != CommandLine::Action::Window && !early.hasUnknownOption()) {
        return runWithoutWindow(early, argc, argv);
    }
    TarvekApplication application(argc, argv);
    const CommandLine line(TarvekApplication::arguments());
    if (line.action() != CommandLine::Action::Window) {
        return runWithoutWindow(line, argc, argv);
    }

    // Only one copy runs; the lock is held until the program ends. A later start hands its file
    // to the running copy; without a file, or when that copy does not answer, it says that
    // Tarvek runs already.
    SingleInstance instance;
    if (!instance.acquire()) {
        if (line.importFile().isEmpty() || !instance.handOver(line.importFile())) {
            Dialogs::plain(nullptr, QStringLiteral("Tarvek 2.4"), SingleInstance::message());
        }
        return 0;
    }

    TarvekWindows windows;
    windows.hauptformular().setStartFile(line.importFile());
    QObject::connect(&instance, &SingleInstance::fileReceived, &windows.hauptformular(),
                     &THauptformular::loadHandedOver);
    windows.hauptformular().show();
    return TarvekApplication::exec();
}
