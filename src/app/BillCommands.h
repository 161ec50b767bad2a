#pragma once

#include "calc/Clock.h"
#include "calc/RunState.h"

class THauptformular;
class TKostenaufstellung;

// The bill's commands of the main window. "Refresh" and the two fee boxes recompute the bill;
// the button "Kostenaufstellung" and the menu "Rechnung" (the cost breakdown, the bill document
// as PDF, on paper and to the clipboard) are usable only while the bill list shows a bill and no
// run is active, and always take that bill. A run that ends without a bill (the answer No to the
// nested items, "Stopp") leaves an older bill's fields behind; they never reach a document.
class BillCommands
{
public:
    // Connects the button and the menu of `window`, whose run state and clock the bill uses.
    BillCommands(THauptformular& window, tarvek::RunState& state, const tarvek::Clock& clock);
    BillCommands(const BillCommands&) = delete;
    BillCommands& operator=(const BillCommands&) = delete;

    // The cost breakdown window, created after the main window.
    void setKostenaufstellung(TKostenaufstellung* kostenaufstellung);

    // BitBtn6Click: refreshBill with the fee boxes and the square steps as they stand.
    void refresh();
    // schalterschalt: no bill command while a run is active.
    void setIdle(bool idle);
    // The bill list was emptied or filled, or a load made the bill not ready: the commands and an
    // open cost breakdown follow (the breakdown closes when no bill is ready any more).
    void update();

private:
    bool usable() const { return m_idle && m_state.billShown; }
    void selectNotCalculated(std::int32_t graphic) const;

    THauptformular& m_window;
    tarvek::RunState& m_state;
    const tarvek::Clock& m_clock;
    TKostenaufstellung* m_kostenaufstellung = nullptr;
    bool m_idle = true;
};
