// Loaded into an installed tarvek with LD_PRELOAD: once the main window is on the screen, it
// answers "Nein" to the first start's offer to read in a price list, switches "Download aktiv"
// through the menu item, as a person would, and ends the program. Exit code 0 when the item was
// found and switched, 3 when it never appeared.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace {

void switchDownloadWhenShown()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* no = box->button(QMessageBox::No)) {
                no->click();
            }
            return;
        }
        // The start-up (with its price list check) runs in the main event loop once the window
        // is shown; the window says when it has ended. Only the main loop ends with exit().
        if (QThread::currentThread()->loopLevel() != 1) {
            return;
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* item = window->findChild<QAction*>(QStringLiteral("Downloadaktiv1"));
            if (item != nullptr && window->isVisible() && item->isEnabled() &&
                window->property("startedUp").toBool()) {
                timer->stop();
                item->trigger();
                QCoreApplication::exit(0);
                return;
            }
        }
        if (clock->elapsed() > 30000) {
            QCoreApplication::exit(3);
        }
    });
    timer->start(50);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(switchDownloadWhenShown)
