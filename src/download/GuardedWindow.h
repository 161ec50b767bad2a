#pragma once

#include <QWidget>

// A small top-level window that refuses to be closed while its CloseAllowed flag is off (no
// when created): the close box, the system menu and close() are all turned away silently.
class GuardedWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GuardedWindow(Qt::WindowFlags flags);

    bool closeAllowed() const { return m_closeAllowed; }
    void setCloseAllowed(bool allowed) { m_closeAllowed = allowed; }

    // Shows the window in the middle of the screen without blocking the caller.
    void showCentred();
    // While the window is visible: allows closing, asks it to close and lets the window system
    // process what is pending.
    void closeNow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_closeAllowed = false;
};
