#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "gui/Dialogs.h"
#include "importfile/StandardStreams.h"
#include "importfile/Version.h"

int main(int argc, char* argv[])
{
    // Help, version, usage errors and the exports' messages show in the console the program was
    // started from, also as a program of the Windows window system.
    tarvek::attachParentConsole();
    tarvek::useBinaryOutput();
    // Read once, before any display is needed. The window system's own options (-platform,
    // -style, ...), and only they, go to the one application object made below or by the export.
    const CommandLine line(CommandLine::programArguments(argc, argv));
    WindowSystemArguments windowSystem(argc > 0 ? argv[0] : "tarvek", line);
    switch (line.action()) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        return tarvek::writeStandard(tarvek::StandardStream::Output, line.text().toStdString()) ? 0
                                                                                                : 1;
    case CommandLine::Action::Error:
        tarvek::writeStandard(tarvek::StandardStream::Error, line.text().toStdString());
        return 2;
    case CommandLine::Action::Export:
        return line.runExport(windowSystem.argc(), windowSystem.argv());
    case CommandLine::Action::Window:
        break;
    }
    TarvekApplication application(windowSystem.argc(), windowSystem.argv());

    // Only one copy runs; the lock is held until the program ends. A later start hands its file
    // to the running copy; without a file, or when that copy does not answer, it says that
    // Tarvek runs already.
    SingleInstance instance;
    if (!instance.acquire()) {
        if (line.importFile().isEmpty() || !instance.handOver(line.importFile())) {
            Dialogs::plain(nullptr, QStringLiteral("Tarvek " TARVEK_VERSION),
                           SingleInstance::message());
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
