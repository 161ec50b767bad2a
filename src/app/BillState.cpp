#include "app/BillState.h"

BillState::BillState(tarvek::RunState& marks, QObject* parent) : QObject(parent), m_marks(marks)
{
    followRun();
}

void BillState::forget()
{
    become(Status::NoBill);
}

void BillState::listEmptied()
{
    become(current() ? Status::Computed : Status::NoBill);
}

void BillState::priceListChanged()
{
    become(m_status == Status::NoBill ? Status::NoBill : Status::Stale);
}

void BillState::followRun()
{
    // The marks of a bill priced with an older list stay unset until the next run ends.
    if (m_marks.billReady) {
        announce(m_marks.billShown ? Status::Shown : Status::Computed);
    } else if (m_status != Status::Stale) {
        announce(Status::NoBill);
    }
}

void BillState::become(Status status)
{
    m_marks.billReady = status == Status::Computed || status == Status::Shown;
    m_marks.billShown = status == Status::Shown;
    announce(status);
}

void BillState::announce(Status status)
{
    if (status != m_status) {
        m_status = status;
        emit changed(status);
    }
}
