#include "app/TarvekApplication.h"

#include "app/Icons.h"
#include "base/Version.h"
#include "gui/ErrorReport.h"
#include "gui/Fonts.h"
#include "gui/QtGerman.h"

#include <exception>

TarvekApplication::TarvekApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tarvek"));
    setApplicationVersion(QStringLiteral(TARVEK_VERSION));
    Fonts::loadBundled();
    setFont(Fonts::sansSerif(11));
    QtGerman::install();
    // The desktop's menu entry, the task bar and the window's own icon name the same program.
    setDesktopFileName(QStringLiteral("de.velmar.Tarvek"));
    setWindowIcon(Icons::scalable(QStringLiteral("tarvek")));
}

bool TarvekApplication::notify(QObject* receiver, QEvent* event)
{
    // The handler that failed has ended; the program goes on with the next event.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ErrorReport::show(activeWindow(), error);
    } catch (...) {
        ErrorReport::show(activeWindow(), QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}
