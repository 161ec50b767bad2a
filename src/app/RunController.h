#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class QWidget;

// Drives a calculation run inside the main window's event loop. "Berechnung starten" marks the
// run active and arms the single-shot Timer1, so that the click returns before the run starts;
// Timer1Timer then calls the run, under the general error report, and the run is idle again when
// it returns or throws. While the run works, pump() lets Qt process pending events at most every
// PumpIntervalMs and reports whether "Stopp" asked it to end (CancelRequested).
class RunController
{
public:
    // How often a run lets Qt process pending events, at most.
    static constexpr int PumpIntervalMs = 15;

    // `window`: where the errors of a run are reported; `run`: the whole calculation.
    RunController(QWidget* window, std::function<void()> run);
    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    bool RunActive() const { return m_runActive; }
    bool CancelRequested() const { return m_cancelRequested; }

    // "Berechnung starten": the run begins once the click's handler has returned.
    void start();
    // "Stopp": the run ends at its next cancel check.
    void requestCancel() { m_cancelRequested = true; }
    // Processes pending events when PumpIntervalMs have passed since the last time; returns
    // CancelRequested.
    bool pump();

private:
    void Timer1Timer();

    QWidget* m_window;
    std::function<void()> m_run;
    QTimer m_timer1;
    QElapsedTimer m_pumpClock;
    bool m_runActive = false;
    bool m_cancelRequested = false;
};
