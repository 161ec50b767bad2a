#pragma once

#include "app/BillState.h"
#include "app/FileLocations.h"
#include "app/HauptformularUi.h"
#include "app/OptionsFile.h"
#include "app/PriceListImport.h"
#include "app/RunController.h"
#include "app/RunView.h"
#include "app/SingleInstance.h"
#include "calc/Clock.h"
#include "calc/ItemRecord.h"
#include "calc/RunState.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class BillCommands;
class CleanCommand;
class CompareCommand;
class QMimeData;
class TImportedit;
class TInfo;
class TPfadangaben;
class TResultList;

// The main window: its layout, its commands (load, edit, start and stop, options, the plan) and
// the state they share (the loaded file, the run state, the items of the last run). The run
// itself is the engine's; RunController drives it inside the event loop, RunView shows what it
// reports, BillCommands keeps the bill's commands.
class THauptformular : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(bool startedUp READ startedUp)

public:
    // What other parts of the program plug into the window. Every hook may stay empty.
    struct Hooks
    {
        std::function<void()> anzeigenBeweglich{};      // BitBtn7 "Anzeigen": not importable items
        std::function<void()> anzeigenInein{};          // BitBtn3 "Anzeigen": nested items
        std::function<void()> anzeigenNichtberechnet{}; // BitBtn4 "Anzeigen": items without price
        std::function<void()> pruefedownload{};         // start-up check of the price list
        // The game client's folder for the item graphics: the option "Clientpfad" at start and
        // after "Client-Verzeichnis" (empty when none is set).
        std::function<void(const QString&)> useClientFolder{};
    };

    // programDir: the folder of Optionen.txt and the price list, ending in a separator; empty
    // means where the running program keeps them (FileLocations::ofProgram).
    explicit THauptformular(const QString& programDir = QString());
    ~THauptformular() override;

    // The dialogs the window uses; they are created after the window (see TarvekWindows).
    void setDialogs(TPfadangaben* pfadangaben, TImportedit* importedit, TInfo* info);
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    Hooks& hooks() { return m_hooks; }
    // The button "Kostenaufstellung" and the menu "Rechnung".
    BillCommands& billCommands() { return *m_billCommands; }
    // "Bereinigen ..." and "Vergleichen mit ..." in the menu "Importdatei".
    CleanCommand& cleanCommand() { return *m_cleanCommand; }
    CompareCommand& compareCommand() { return *m_compareCommand; }

    const FileLocations& files() const { return m_files; }
    QString ImportFileName() const { return m_importFileName; }
    bool RunActive() const { return m_run.RunActive(); }
    bool CancelRequested() const { return m_run.CancelRequested(); }
    bool CloseAllowed() const { return m_closeAllowed; }
    // The start-up (options, price list check, start file) has ended. It runs once the window
    // is on the screen, not inside show().
    bool startedUp() const { return m_startedUp; }
    const tarvek::RunState& runState() const { return m_runState; }
    // The square-step count as BDigit4 shows it.
    std::int64_t squareSteps() const { return m_view.squareSteps(); }
    // The items of the last run; complete() after a complete run.
    const tarvek::ItemRecord& itemRecord() const { return m_itemRecord; }
    const OptionsFile& options() const { return m_options; }
    // The separators the window writes its numbers with.
    const tarvek::LocaleSeparators& separators() const { return m_separators; }
    const HauptformularUi& ui() const { return m_ui; }
    // What the run reports to: the lists, lamps and displays of the window.
    RunView& runView() { return m_view; }
    TResultList* listBox(int number) const { return m_view.listBox(number); }
    QString statusText() const;

    // A file to load once the window has started (after the price list check), as
    // "Importfile laden" would load it; empty for none.
    void setStartFile(const QString& fileName) { m_startFile = fileName; }
    // Loads an import file as "Importfile laden" does after its dialog: status bar, validity
    // test, displays reset, the start button. An unreadable file throws the file error.
    void loadImportFile(const QString& fileName);
    // A file that a later start of the program handed over: the window comes to the front and
    // loads it as "Importfile laden" would. During a run, or while another window of the program
    // waits for an answer, it is refused with a message; during the start-up it becomes the
    // start file.
    void loadHandedOver(const QString& fileName);
    // Whether loadHandedOver() would load a file now, for the answer to a later start: not during
    // a run or a load, nor while another window of the program waits for an answer.
    SingleInstance::Readiness handOverReadiness() const;
    // A row of the batch window: as a handed-over file, and a file that loads is run at once.
    void runFromBatch(const QString& fileName);
    // A new price list (imported or downloaded) is in place: the bill on screen was priced with
    // the previous one, so the bill's commands and "Refresh" wait for the next run.
    void priceListChanged();

    // Handlers of the controls.
    void BitBtn1Click();  // "Importfile laden"
    void BitBtn2Click();  // "Berechnung starten" / "Stopp"
    void BitBtn6Click();  // "Refresh"
    void CheckBoxClick(); // "Wasserbau", "Kellerbau (nur Gilden)"
    void Ansehen1Click(); // edit the import file
    void Bereinigen1Click();
    void Vergleichen1Click();
    void Pfadangaben1Click();
    void ClientVerzeichnis1Click();
    void Downloadaktiv1Click();
    void Info1Click();
    void Beenden1Click();
    void Stapelpruefung1Click(); // the window "Stapelprüfung"

    // Resetten: lamps grey, displays zero, lists empty; no bill and no plan shown.
    void Resetten() { m_view.Resetten(); }

    // How often a run lets Qt process pending events, at most.
    static constexpr int PumpIntervalMs = RunController::PumpIntervalMs;

signals:
    // The plan of a complete run can be shown (true), or no longer (a new load or run).
    void planAvailable(bool available);
    // "Grundriss" (menu or tool button): show the plan of the last complete run.
    void planRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // One file dropped on the window is loaded as "Importfile laden" would; of several, the
    // first counts. Refused while starting up and during a run.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormShow();
    QString droppedFile(const QMimeData* mime) const;
    void handOver(const QString& fileName, bool run);
    void loadAndRun(const QString& fileName, bool run);
    void connectHandlers();
    void importSaved(const QString& fileName);
    // Reads an import file and runs the validity test on it; an unreadable file throws the
    // file error.
    bool testImportFile(const QString& fileName);
    // The run that Timer1 starts, with the loaded file.
    void runCalculation();
    void runHook(const std::function<void()>& hook);
    void setPlanAvailable(bool available);
    void focusAfterRun();

    const FileLocations m_files;
    const OptionsFile m_options;
    const PriceListImport m_priceListImport;
    HauptformularUi m_ui;
    const tarvek::SystemClock m_clock;
    const tarvek::LocaleSeparators m_separators;
    tarvek::RunState m_runState;
    BillState m_billState{m_runState}; // the bill commands and "Bereinigen" follow it
    tarvek::ItemRecord m_itemRecord;
    RunController m_run;
    RunView m_view;

    QString m_importFileName;
    QString m_startFile;
    bool m_closeAllowed = false;
    bool m_shown = false;
    bool m_startedUp = false;

    Hooks m_hooks;
    std::unique_ptr<BillCommands> m_billCommands;
    std::unique_ptr<CleanCommand> m_cleanCommand;
    std::unique_ptr<CompareCommand> m_compareCommand;
    TPfadangaben* m_pfadangaben = nullptr;
    TImportedit* m_importedit = nullptr;
    TInfo* m_info = nullptr;
};
