#pragma once

#include <cstdint>
#include <string_view>

namespace tarvek {

// Colour values of the window system: 0x00BBGGRR, red in the lowest byte.
using Colour = std::uint32_t;
inline constexpr Colour kColourGreen = 0x008000; // phase start/end lines in the protocol
inline constexpr Colour kColourBlack = 0x000000; // result lines, bill lines
inline constexpr Colour kColourRed =
    0x0000FF; // warnings, flagged items; a lamp while its phase runs
inline constexpr Colour kColourLampGreen =
    0x00FF00; // a lamp whose phase is done (and FarbeAn at creation)
inline constexpr Colour kColourLampGrey = 0x808080; // on-colour after Resetten

// The six result lists of the main window, named by role; the value is the ListBox number.
enum class ResultList
{
    Protocol = 1,      // ListBox1 " Protokoll "
    Warnings = 2,      // ListBox2 " Unbedingt prüfen "
    Nested = 3,        // ListBox3 " Ineinanderliegende Items "
    Bill = 4,          // ListBox4 " Rechnung"
    NotCalculated = 5, // ListBox5 " Nicht berechnete Items (bitte manuell hinzuaddieren) "
    Movable = 6,       // ListBox6 " Items, welche nicht importiert werden dürfen  "
};

// A list's caption as the reports name it, without the blanks of the window's headers.
constexpr std::string_view listCaption(ResultList list)
{
    switch (list) {
    case ResultList::Protocol:
        return "Protokoll";
    case ResultList::Warnings:
        return "Unbedingt prüfen";
    case ResultList::Nested:
        return "Ineinanderliegende Items";
    case ResultList::Bill:
        return "Rechnung";
    case ResultList::NotCalculated:
        return "Nicht berechnete Items (bitte manuell hinzuaddieren)";
    case ResultList::Movable:
        return "Items, welche nicht importiert werden dürfen";
    }
    return {};
}

// The eight phase lamps; the value is the BLED number.
enum class Lamp
{
    BLED1 = 1, // phase 1 " Berechnung Itemanzahl"
    BLED2 = 2, // phase 2 " Ermittlung der niedrigsten Fläche"
    BLED3 = 3, // phase 7 " Prüfung ineinanderliegender Items"
    BLED4 = 4, // phase 8 " Itemberechnung"
    BLED5 = 5, // phase 4 " Berechnung der Quadratschritt"
    BLED6 =
        6, // phase 7 " Bereinigung ineinanderliegender Items" (lit green only without nested items)
    BLED7 = 7, // phase 3 " Ermittlung X/Y Koordinaten"
    BLED9 = 9, // phases 5 and 6 " Prüfung beweglicher Items"
};

// The four number displays besides the per-cent display; the value is the BDigit number.
enum class NumberDisplay
{
    ItemCount = 2,   // BDigit2 " Anzahl Items:"
    LowestLevel = 3, // BDigit3 " Niedrigstes Item auf Pos Z:"
    SquareSteps = 4, // BDigit4 " Ermittelte QS:" (the window passes this value to the bill)
    GrandTotal = 5,  // BDigit5 " Zu zahlende Gesamtsumme:" (64-bit total)
};

enum class MessageKind
{
    Error,       // title "Fehler", error icon, OK
    Information, // title "Hinweis", information icon, OK
};

enum class Answer
{
    Yes,
    No
};

// The states of the two fee check boxes at the moment they are read.
struct FeeChoice
{
    bool water = false;    // CheckBox2 "Wasserbau"
    bool basement = false; // CheckBox1 "Kellerbau (nur Gilden)"
};

// The one interface through which a calculation run (and the bill) reports to the main window.
// The desktop window implements it; tests and tarvek-calc use RecordingObserver.
//
// All texts are UTF-8 (pieces of the files already converted from Windows-1252). Every call
// happens on the thread that called CalculationRun::execute(), the user-interface thread.
//
// Re-entrancy: pump() is where the window processes its pending events. Handlers that run there
// may call rechnungsermittlung()/refreshBill() (the fee check boxes stay enabled during a run)
// with the window's RunState; they must not start another run (the start button is "Stopp").
class RunObserver
{
public:
    virtual ~RunObserver() = default;

    // LogLine: append one entry with its colour at the end of a list.
    virtual void appendLine(ResultList list, std::string_view utf8Text, Colour colour) = 0;
    // SelectLastEntry: select the list's last entry (none when the list is empty).
    virtual void selectLastEntry(ResultList list) = 0;
    // Remove every entry of one list (the bill clears ListBox4 before writing it anew).
    virtual void clearList(ResultList list) = 0;

    virtual void setLampOn(Lamp lamp, bool on) = 0;
    // The colour the lamp shows while it is on.
    virtual void setLampColour(Lamp lamp, Colour colour) = 0;

    // BProgress1 and BDigit1 both show this value (0..100).
    virtual void setProgress(int percent) = 0;
    // BDigit2..BDigit5.
    virtual void setDisplay(NumberDisplay display, std::int64_t value) = 0;

    // Resetten: lamps' on-colours grey (on/off unchanged), BProgress1 and BDigit1..5 to
    // 0, all six lists emptied. The window owns it; the run calls it at run start, on a cancel and
    // on the missing price list.
    virtual void Resetten() = 0;
    // schalterschalt: on = false: controls to the run look (caption "Stopp", menus and
    // buttons disabled, CloseAllowed false); on = true: back to idle. The run calls it with false
    // at its start and with true at every end (complete, stopped, cancelled, aborted).
    virtual void schalterschalt(bool on) = 0;

    // A modal message box with an OK button.
    virtual void showMessage(MessageKind kind, std::string_view title, std::string_view text) = 0;
    // A modal confirmation (question icon, Ja/Nein); the run uses the title "Bestätigen". Return
    // No only for the button Nein: every other result of the dialog counts as Yes.
    virtual Answer askYesNo(std::string_view title, std::string_view text) = 0;

    // The states of "Wasserbau" and "Kellerbau (nur Gilden)", read when the run computes the bill.
    virtual FeeChoice feeChoice() = 0;

    // "Let the window system process pending messages", then report CancelRequested (true: the
    // user pressed "Stopp"). Called after every pumpEvery() progress steps (lines of a scan)
    // and at the other points the phases name, so tens of thousands of times a second: it
    // must be cheap when nothing is pending (e.g. only process events when some are pending or a
    // few milliseconds have passed). It reports the flag's state, not an edge: where the engine
    // only processes messages without a cancel check it ignores the result, and the next cancel
    // check sees the flag still set. The window clears the flag after execute() returns.
    virtual bool pump() = 0;
    // How many progress steps (lines) a run may go between two calls of pump(): 1, after every
    // line (the default); more where the eye cannot tell the difference and a call costs more
    // than a line. The run still sends every new progress value and ends every scan at its last
    // value; only the calls between are fewer.
    virtual std::size_t pumpEvery() const { return 1; }
};

} // namespace tarvek
