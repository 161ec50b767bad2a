#pragma once

#include "calc/Clock.h"
#include "calc/RunObserver.h"
#include "calc/RunState.h"
#include "importfile/ImportLines.h"
#include "importfile/ImportText.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarvek {

class ItemRecord;
class PriceList;

// How a run ended.
enum class RunOutcome
{
    Complete,         // all eight phases and the bill; billReady set
    Stopped,          // the nested-items question answered No: no phase 8, no bill; billReady set
    Cancelled,        // "Stopp" (pump() returned true at a cancel check): window reset
    PriceListMissing, // message "Die Datei Preisliste.txt existiert nicht. ...", with the folder
                      // searched (or the file given): window reset
    Aborted,          // conversion error / malformed price line / line beyond the end: message
                      // "Fehler", the lists keep what was written so far
    Unreadable,       // the import file could not be read at run start: message, no phase ran
};

// True for the two outcomes that reached the end of a run (tarvek-calc exit status 0).
constexpr bool reachedEnd(RunOutcome outcome)
{
    return outcome == RunOutcome::Complete || outcome == RunOutcome::Stopped;
}

struct RunSettings
{
    // ImportFileName: the file execute() reads at run start (the validity test is not repeated).
    std::string importFileName;
    // ProgramDir: the folder where the price list "Preisliste.txt" is found (case ignored).
    std::string programDir;
    // When not empty: the price list file to use instead of finding it in programDir.
    std::string priceListFile;
    // Seam, when set, replaces both: each call is one reading of the price list from disk (a run
    // reads it once, when phase 5 begins); nothing means the file is missing (or cannot be read).
    // For tests and in-process fuzzing.
    std::function<std::optional<std::string>()> readPriceList;
    // When set, replaces all three: one list read once and shared by many runs, perhaps on several
    // threads at once (PriceList::prepareAll() done, so that the runs only read it).
    std::shared_ptr<const PriceList> priceList;
    // The clock of the protocol's time stamps; nullptr: the system's local time.
    const Clock* clock = nullptr;
    // Thousands separator of the money texts and separator of "HH:MM:SS".
    LocaleSeparators separators;
    // When set: cleared at run start, then every item entry and what the phases find about it
    // (the plan of the building); complete when phase 8 has ended.
    ItemRecord* items = nullptr;
};

// One calculation run (Timer1Timer from step 2 on): the eight phases and the bill. The
// run owns ImportLines and every working list; they live only inside execute() and are released
// at every end. Results that outlive the run are written into the window's RunState; everything
// shown goes through the RunObserver. Never throws on any file content and never crashes; an
// exception thrown by the observer passes through.
//
// The window runs it on the user-interface thread, inside its one-shot Timer1 (Timer1Timer);
// "Stopp" makes the observer's pump() return true, and the run ends at its next cancel check.
class CalculationRun
{
public:
    CalculationRun(RunSettings settings, RunState& state, RunObserver& observer);
    ~CalculationRun();
    CalculationRun(const CalculationRun&) = delete;
    CalculationRun& operator=(const CalculationRun&) = delete;

    // The whole run: schalterschalt(false), read settings.importFileName (unreadable: message
    // "Datei %s kann nicht geöffnet werden. %s", schalterschalt(true), Unreadable), Resetten(),
    // phases 1 to 8, the bill, schalterschalt(true).
    RunOutcome execute();
    // The same with the import lines already read (tests, fuzzing, tarvek-calc after its validity
    // test) in their file's encoding: no file is read. fingerprint: the fileFingerprint of the
    // bytes the lines were read from, which the item record keeps (see settings.items).
    RunOutcome execute(ImportLines lines, TextEncoding encoding = TextEncoding::Windows1252,
                       std::optional<std::uint64_t> fingerprint = std::nullopt);
    // The same with the file held once (tarvek-calc and the batch after their validity test).
    RunOutcome execute(ImportText text, TextEncoding encoding,
                       std::optional<std::uint64_t> fingerprint = std::nullopt);

private:
    RunOutcome runPhases(ImportText text, TextEncoding encoding,
                         std::optional<std::uint64_t> fingerprint);

    RunSettings m_settings;
    RunState& m_state;
    RunObserver& m_observer;
};

} // namespace tarvek
