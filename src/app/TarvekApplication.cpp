#include "app/TarvekApplication.h"

#include "app/ErrorReport.h"
#include "app/Fonts.h"
#include "app/QtGerman.h"

#include <exception>

TarvekApplication::TarvekApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tarvek"));
    setApplicationVersion(QStringLiteral("2.4"));
    setFont(Fonts::sansSerif(11));
    QtGerman::install();
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
