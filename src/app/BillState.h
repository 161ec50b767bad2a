#pragma once

#include "calc/RunState.h"

#include <QObject>

// Whether the bill of the main window may be billed: the one owner of that state on the window's
// side. The engine marks in the run state what a run and a new bill reached (billReady,
// billShown) and reads those marks itself; the window changes the state only here, which keeps
// the marks in step, and every window that follows the bill (its commands, the cost breakdown,
// "Bereinigen") reads it here and hears of each change through changed().
class BillState : public QObject
{
    Q_OBJECT

public:
    enum class Status
    {
        NoBill,   // no run has reached its end since the load, or the last run broke off
        Computed, // a run has reached its end, but the bill list shows no bill of it (the answer
                  // No to the nested items; the list emptied for the next run)
        Shown,    // the bill list shows a bill of the last run's sums
        Stale,    // the bill on screen was priced with a price list that has since been replaced
    };
    Q_ENUM(Status)

    // `marks`: the run state the window hands to every run and bill; outlives this.
    explicit BillState(tarvek::RunState& marks, QObject* parent = nullptr);

    Status status() const { return m_status; }
    // A run has reached its end with the price list in place: "Refresh" and the fee boxes may
    // bill its sums.
    bool current() const { return m_status == Status::Computed || m_status == Status::Shown; }
    // The bill list shows the bill: its commands and exports may take it.
    bool shown() const { return m_status == Status::Shown; }

    // An import file was loaded or saved anew: the sums are not its own.
    void forget();
    // Resetten has emptied the bill list.
    void listEmptied();
    // A new price list is in place: a bill on screen no longer counts.
    void priceListChanged();
    // A run or a new bill has ended: takes over what the engine marked.
    void followRun();

signals:
    void changed(BillState::Status status);

private:
    // Sets the state and the engine's marks to match.
    void become(Status status);
    void announce(Status status);

    tarvek::RunState& m_marks;
    Status m_status = Status::NoBill;
};
