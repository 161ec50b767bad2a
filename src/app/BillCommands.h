#pragma once

#include "calc/Clock.h"
#include "calc/RunState.h"

#include <QString>

class BillState;
class HauptformularUi;
class QWidget;
class RunView;
class TKostenaufstellung;

// The bill's commands of the main window. "Refresh" and the two fee boxes recompute the bill;
// the button "Kostenaufstellung" and the menu "Rechnung" (the cost breakdown, the bill document
// as PDF, on paper and to the clipboard) are usable only while the bill list shows a bill and no
// run is active, and always take that bill. A run that ends without a bill (the answer No to the
// nested items, "Stopp") leaves an older bill's fields behind; they never reach a document. The
// commands follow the window's BillState.
class BillCommands
{
public:
    // What the commands read and write; all of it outlives them.
    struct Context
    {
        QWidget* window;            // the parent of their dialogs, brought to the front
        const HauptformularUi& ui;  // the button, the menu, the lists, the displays, the boxes
        RunView& view;              // where the bill is written; the fee boxes, the square steps
        tarvek::RunState& state;    // the run's results
        BillState& bill;            // whether the bill may be billed; "Refresh" may show one
        const tarvek::Clock& clock; // the bill's time stamp
        const tarvek::LocaleSeparators& separators;
        const QString& importFile; // the file loaded now
    };

    // Connects the button and the menu.
    explicit BillCommands(const Context& context);
    BillCommands(const BillCommands&) = delete;
    BillCommands& operator=(const BillCommands&) = delete;

    // The cost breakdown window, created after the main window.
    void setKostenaufstellung(TKostenaufstellung* kostenaufstellung);

    // BitBtn6Click: refreshBill with the fee boxes and the square steps as they stand.
    void refresh();
    // schalterschalt: no bill command while a run is active.
    void setIdle(bool idle);
    // The bill's state has changed, or the bill itself: the commands and an open cost breakdown
    // follow (the breakdown closes when the bill is no longer current).
    void update();

private:
    bool usable() const;
    void selectNotCalculated(std::int32_t graphic) const;

    const Context m_context;
    TKostenaufstellung* m_kostenaufstellung = nullptr;
    bool m_idle = true;
};
