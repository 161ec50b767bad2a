#include "app/RunController.h"

#include "gui/ErrorReport.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <utility>

RunController::RunController(QWidget* window, std::function<void()> run)
    : m_window(window), m_run(std::move(run))
{
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setSingleShot(true);
    m_timer1.setInterval(1);
    QObject::connect(&m_timer1, &QTimer::timeout, &m_timer1,
                     [this] { ErrorReport::guard(m_window, [this] { Timer1Timer(); }); });
    m_pumpClock.start();
}

void RunController::start()
{
    m_runActive = true;
    m_timer1.start();
}

void RunController::Timer1Timer()
{
    m_timer1.stop();
    // However the run ends, it is no longer active and a "Stopp" pressed late does not reach
    // the next one.
    const auto idle = qScopeGuard([this] {
        m_runActive = false;
        m_cancelRequested = false;
    });
    m_pumpClock.restart();
    m_run();
}

bool RunController::pump()
{
    // Processing events costs far more than a line of a scan: do it at most every few ms.
    if (m_pumpClock.elapsed() >= PumpIntervalMs) {
        QCoreApplication::processEvents();
        m_pumpClock.restart();
    }
    return m_cancelRequested;
}
