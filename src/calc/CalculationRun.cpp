#include "calc/CalculationRun.h"

namespace tarvek {

CalculationRun::CalculationRun(RunSettings settings, RunState& state, RunObserver& observer)
    : m_settings(std::move(settings)), m_state(state), m_observer(observer)
{}

CalculationRun::~CalculationRun() = default;

RunOutcome CalculationRun::execute()
{
    std::string reason;
    auto lines = readImportLines(m_settings.importFileName, &reason);
    if (!lines) {
        m_observer.schalterschalt(false);
        m_observer.showMessage(MessageKind::Error, "Fehler",
                               fileOpenErrorText(m_settings.importFileName, reason));
        m_observer.schalterschalt(true);
        return RunOutcome::Unreadable;
    }
    return execute(std::move(*lines));
}

RunOutcome CalculationRun::execute(ImportLines lines)
{
    // Stub of the API commit: the phases follow.
    (void)lines;
    m_observer.schalterschalt(false);
    m_observer.Resetten();
    m_observer.schalterschalt(true);
    return RunOutcome::Aborted;
}

} // namespace tarvek
