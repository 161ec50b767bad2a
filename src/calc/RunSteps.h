#pragma once

#include "calc/CalculationRun.h"
#include "calc/Clock.h"
#include "calc/RunObserver.h"
#include "importfile/ImportText.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace tarvek {

class PriceList;

namespace detail {

// Thrown inside a run to leave the phases; the run's lists are released by unwinding.
struct RunEnd
{
    RunOutcome outcome;
    std::string message; // for PriceListMissing and Aborted
};

// The keys of a line (ImportText.h), as the phases use them.
using tarvek::kHasColor;
using tarvek::kHasEntry;
using tarvek::kHasGraphic;
using tarvek::kHasX;
using tarvek::kHasY;
using tarvek::kHasYTab;
using tarvek::kHasZ;
using tarvek::lineKeys;

std::string number(std::int64_t value);

// The per-cent value of progress step `index` (from 0) of `total`: (index + 1) * 100 / total, at
// most 100. Called for every line of every scan: it divides only when the value changes.
class ProgressSteps
{
public:
    int value(std::size_t index, std::size_t total);
    // The first index after the last value()'s that gives another value (none after 100).
    std::size_t changesAt() const { return m_value < 100 ? m_to : static_cast<std::size_t>(-1); }

private:
    std::size_t m_total = 0;
    std::size_t m_from = 0; // the indices [m_from, m_to) of m_total give m_value
    std::size_t m_to = 0;
    int m_value = 0;
};

// What every phase of a run does besides its own work: protocol and list lines, lamps, the
// progress step with its cancel check, reading the price list, and leaving the run with an
// error. The phases themselves are RunPhases (RunPhases.h).
class RunSteps
{
protected:
    RunSteps(const RunSettings& settings, RunObserver& observer, TextEncoding importEncoding);

    // ---- Reporting
    void append(ResultList list, const std::string& text, Colour colour);
    // A protocol line: the time "HH:MM:SS" followed by the text (which begins with a blank).
    void protocol(std::string_view text, Colour colour);
    void select(ResultList list) { m_out.selectLastEntry(list); }
    void lampStart(Lamp lamp);
    void lampDone(Lamp lamp) { m_out.setLampColour(lamp, kColourLampGreen); }

    // Pending messages are processed; in phases 1 to 4 the newest entry of every list written
    // since the last time is selected first. Returns the cancel state.
    bool pump();
    // Processing of pending messages without a cancel check.
    void processMessages() { (void)pump(); }
    // Progress step and cancel check after `index` (from 0) of `total`.
    void progressStep(std::size_t index, std::size_t total);
    // The progress steps of the lines [from, to) of a scan of `total` lines; with the observer's
    // pumpEvery() above 1, in bulk: each new value once, and the pumps where they fall.
    void progressSteps(std::size_t from, std::size_t to, std::size_t total);

    // ---- Failures: each leaves the run with a message
    [[noreturn]] void conversionError(std::string_view text, TextEncoding encoding,
                                      std::string_view where, std::size_t lineIndex);
    std::int32_t importNumber(std::string_view text, std::size_t lineIndex);
    std::int32_t priceNumber(std::string_view text, std::size_t lineIndex);
    [[noreturn]] void beyondEnd(std::size_t lineIndex, std::string_view what);
    [[noreturn]] void malformedPriceLine(const PriceList& list, std::size_t index);
    // A price line needs eight columns, and the columns `marks` must not be empty.
    void checkColumns(const PriceList& list, std::size_t index, std::string_view line,
                      std::initializer_list<int> marks);

    // The price list of the run: read (or taken from the settings' shared list) by the first
    // phase that needs it, then handed to the later phases. A run prices with the list as it was
    // when phase 5 began; a list changed on disk meanwhile counts from the next run on.
    std::shared_ptr<const PriceList> loadPriceList();

    // A piece of the import file or of the price list as the user sees it (displayText with the
    // file's encoding; the price list's is that of its last reading).
    std::string importText(std::string_view bytes) const;
    std::string priceText(std::string_view bytes) const;

    const RunSettings& m_settings;
    RunObserver& m_out;
    bool m_autoSelect = false;

private:
    TextEncoding m_importEncoding;
    TextEncoding m_priceEncoding = TextEncoding::Windows1252;
    SystemClock m_systemClock;
    const Clock* m_clock;
    std::shared_ptr<const PriceList> m_priceList; // once read
    // Lets the window process its messages (pump() counts the steps between two of these).
    bool letWindowProcess();
    void showProgress(std::size_t index, std::size_t total);

    int m_progress = -1; // the value last sent to setProgress; -1: none since Resetten
    ProgressSteps m_steps;
    const std::size_t m_pumpEvery;
    std::size_t m_sincePump = 0; // steps since the window last processed its messages
    unsigned m_written = 0;
};

} // namespace detail
} // namespace tarvek
