#include "calc/CalculationRun.h"

#include "calc/ItemRecord.h"
#include "calc/RunPhases.h"
#include "importfile/ImportFormat.h"

#include <utility>

namespace tarvek {
namespace detail {

RunOutcome RunPhases::run()
{
    if (m_items) {
        m_items->clear();
    }
    // Resetten empties the bill list: the bill fields no longer belong to a bill on screen.
    const auto resetten = [this] {
        m_out.Resetten();
        m_state.billShown = false;
    };
    try {
        resetten();
        m_autoSelect = true;
        phase1ItemCount();
        phase2LowestLevel();
        phase3Extents();
        phase4SquareSteps();
        m_autoSelect = false;
        phase5And6Movable();
        if (!phase7Nested()) {
            // Answer No: the run ends without phase 8 and without a bill.
            m_state.billReady = true;
            m_out.schalterschalt(true);
            return RunOutcome::Stopped;
        }
        phase8Pricing();
        m_state.billReady = true;
        m_out.schalterschalt(true);
        return RunOutcome::Complete;
    } catch (const RunEnd& end) {
        // A run that was stopped or broke off has emptied the displays and summed part of the
        // file at most: a later "Refresh" or fee box must not bill those sums.
        m_state.billReady = false;
        switch (end.outcome) {
        case RunOutcome::Cancelled:
            m_out.schalterschalt(true);
            resetten();
            break;
        case RunOutcome::PriceListMissing:
            m_out.showMessage(MessageKind::Error, "Fehler", end.message);
            m_out.schalterschalt(true);
            resetten();
            break;
        default:
            m_out.showMessage(MessageKind::Error, "Fehler", end.message);
            m_out.schalterschalt(true);
            break;
        }
        return end.outcome;
    }
}

} // namespace detail

CalculationRun::CalculationRun(RunSettings settings, RunState& state, RunObserver& observer)
    : m_settings(std::move(settings)), m_state(state), m_observer(observer)
{}

CalculationRun::~CalculationRun() = default;

RunOutcome CalculationRun::execute()
{
    m_observer.schalterschalt(false);
    TextEncoding encoding = TextEncoding::Windows1252;
    // The bytes' fingerprint only for a record of the items, which cleaning compares with the
    // file it cuts.
    std::uint64_t fingerprint = 0;
    auto text = readImportText(m_settings.importFileName, &encoding,
                               m_settings.items != nullptr ? &fingerprint : nullptr);
    if (!text) {
        m_observer.showMessage(MessageKind::Error, "Fehler",
                               fileOpenErrorText(m_settings.importFileName, text.error().reason));
        m_observer.schalterschalt(true);
        return RunOutcome::Unreadable;
    }
    return runPhases(std::move(*text), encoding, fingerprint);
}

RunOutcome CalculationRun::execute(ImportLines lines, TextEncoding encoding,
                                   std::optional<std::uint64_t> fingerprint)
{
    ImportText text(lines);
    lines = {};
    return execute(std::move(text), encoding, fingerprint);
}

RunOutcome CalculationRun::execute(ImportText text, TextEncoding encoding,
                                   std::optional<std::uint64_t> fingerprint)
{
    m_observer.schalterschalt(false);
    return runPhases(std::move(text), encoding, fingerprint);
}

RunOutcome CalculationRun::runPhases(ImportText text, TextEncoding encoding,
                                     std::optional<std::uint64_t> fingerprint)
{
    detail::RunPhases run(m_settings, m_state, m_observer, std::move(text), encoding);
    const RunOutcome outcome = run.run();
    if (m_settings.items != nullptr && fingerprint) {
        m_settings.items->setFileFingerprint(*fingerprint);
    }
    return outcome;
}

} // namespace tarvek
