#include "app/Dialogs.h"
#include "app/SingleInstance.h"
#include "app/THauptformular.h"
#include "app/TarvekApplication.h"
#include "app/TarvekWindows.h"
#include "views/bill/BillPdfCommand.h"

int main(int argc, char* argv[])
{
    // tarvek --pdf OUT.pdf [--water] [--basement] IMPORTFILE: the bill document without a window.
    if (pdfRequested(argc, argv)) {
        return runPdfCommand(argc, argv);
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
