#pragma once

#include "calc/ItemRecord.h"

#include <QString>

#include <functional>

class BillState;
class QAction;
class QWidget;
class TBereinigen;

// "Importdatei" > "Bereinigen ...": a copy of the loaded import file without the entries the last
// complete run found as not importable and as build-zone borders (and, when chosen, without the
// extra entries at nested positions), after a confirmation that lists them. The original is never
// changed; the copy is written atomically beside it, in its encoding and line ends, and is then
// offered for loading and running.
class CleanCommand
{
public:
    // What the command reads; all of it outlives the command.
    struct Context
    {
        QWidget* window;                  // the parent of its dialogs
        QAction* action;                  // "Bereinigen ..."
        const QString& importFile;        // the loaded file
        const tarvek::ItemRecord& record; // the items of the last run
        const BillState& bill;            // current: a run has reached its end since the load
        std::function<void(const QString&)> loadAndRun; // loads a file and starts its run
    };

    explicit CleanCommand(const Context& context);
    CleanCommand(const CleanCommand&) = delete;
    CleanCommand& operator=(const CleanCommand&) = delete;

    // The run that the lists show has ended (complete: its items are the file's), or a load or a
    // new run emptied the lists (not complete). A new price list, which makes the bill stale,
    // makes the run's findings stale too.
    void setRunComplete(bool complete);
    // Enables the action while the bill is current or the findings of a complete run stand:
    // disabled before a run has ended since the load, and during a run (when the menu is locked
    // anyway).
    void update();
    void Bereinigen1Click();

    TBereinigen& dialog() const { return *m_dialog; }

private:
    const Context m_context;
    TBereinigen* m_dialog;
    bool m_runComplete = false;
};
