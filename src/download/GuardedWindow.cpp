#include "GuardedWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

GuardedWindow::GuardedWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags) {}

void GuardedWindow::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void GuardedWindow::closeNow()
{
    if (!isVisible())
        return;
    m_closeAllowed = true;
    close();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GuardedWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed)
        event->accept();
    else
        event->ignore();
}

void GuardedWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape closes nothing here: the window goes away when its work is done.
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
