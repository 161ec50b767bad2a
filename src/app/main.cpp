#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "base/StandardStreams.h"
#include "base/Version.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"

int main(int argc, char* argv[])
{
    // Read once, before any display is needed. The window system's own options (-platform,
    // -style, ...), and only they, go to the one application object made below or by the export.
    const CommandLine line(CommandLine::programArguments(argc, argv));
    WindowSystemArguments windowSystem(argc > 0 ? argv[0] : "tarvek", line);
    // Help, version, usage errors and the exports' messages show in the console the program was
    // started from, also as a program of the Windows window system. The window holds no console:
    // closing the console, or Ctrl+C in it, would end Tarvek with the editor's text unsaved.
    if (line.action() == CommandLine::Action::Window) {
        tarvek::releaseConsole();
    } else {
        tarvek::attachParentConsole();
    }
    tarvek::useBinaryOutput();
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
    Fonts::chooseEngine();
    TarvekApplication application(windowSystem.argc(), windowSystem.argv());

    // Only one copy runs; the lock is held until the program ends. A later start hands its file
    // to the running copy; without a file it says that Tarvek runs already, and a file that could
    // not be handed over is named in the message and ends the start with exit code 1. A lock that
    // cannot be made at all is told as that.
    SingleInstance instance;
    switch (instance.acquire()) {
    case SingleInstance::Lock::Taken:
        break;
    case SingleInstance::Lock::Failed:
        Dialogs::report(nullptr, instance.errorText());
        return 1;
    case SingleInstance::Lock::Busy: {
        const SingleInstance::LaterStart later = instance.laterStart(line.importFile());
        if (!later.message.isEmpty()) {
            Dialogs::plain(nullptr, QStringLiteral("Tarvek " TARVEK_VERSION), later.message);
        }
        return later.exitCode;
    }
    }

    TarvekWindows windows;
    windows.hauptformular().setStartFile(line.importFile());
    QObject::connect(&instance, &SingleInstance::fileReceived, &windows.hauptformular(),
                     &THauptformular::loadHandedOver);
    // A later start hears at once when the window takes no file now.
    instance.setReadiness([&windows] { return windows.hauptformular().handOverReadiness(); });
    windows.hauptformular().show();
    return TarvekApplication::exec();
}
