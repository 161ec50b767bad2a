#include "calc/RunSteps.h"

#include "base/FileNames.h"
#include "importfile/ImportFormat.h"
#include "importfile/ImportLines.h"
#include "pricing/PriceList.h"

#include <algorithm>
#include <filesystem>

namespace tarvek::detail {
namespace {

constexpr std::string_view kCannotPrice = " Der Preis für den Import kann nicht ermittelt werden!";

// The missing price list's message names where it was looked for: the file given instead of
// the usual one, or the folder where Preisliste.txt is searched. A new user learns from it
// where the list belongs.
std::string priceListMissingText(const RunSettings& settings)
{
    if (!settings.priceListFile.empty()) {
        return "Die Datei " + shownFileName(settings.priceListFile) + " existiert nicht." +
               std::string(kCannotPrice);
    }
    std::string text = "Die Datei Preisliste.txt existiert nicht." + std::string(kCannotPrice);
    if (!settings.programDir.empty()) {
        text += "\r\n(gesucht im Ordner " + shownFileName(settings.programDir) + ")";
    }
    return text;
}

} // namespace

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

RunSteps::RunSteps(const RunSettings& settings, RunObserver& observer, TextEncoding importEncoding)
    : m_settings(settings), m_out(observer), m_importEncoding(importEncoding),
      m_clock(settings.clock != nullptr ? settings.clock : &m_systemClock),
      m_pumpEvery(std::max<std::size_t>(1, observer.pumpEvery()))
{}

std::string RunSteps::importText(std::string_view bytes) const
{
    return displayText(bytes, m_importEncoding);
}

std::string RunSteps::priceText(std::string_view bytes) const
{
    return displayText(bytes, m_priceEncoding);
}

void RunSteps::append(ResultList list, const std::string& text, Colour colour)
{
    m_out.appendLine(list, text, colour);
    m_written |= 1u << static_cast<unsigned>(list);
}

void RunSteps::protocol(std::string_view text, Colour colour)
{
    append(ResultList::Protocol,
           formatTime(m_clock->now(), m_settings.separators.time) + std::string(text), colour);
}

void RunSteps::lampStart(Lamp lamp)
{
    m_out.setLampColour(lamp, kColourRed);
    m_out.setLampOn(lamp, true);
}

bool RunSteps::pump()
{
    if (m_pumpEvery > 1 && ++m_sincePump < m_pumpEvery) {
        return false;
    }
    m_sincePump = 0;
    return letWindowProcess();
}

bool RunSteps::letWindowProcess()
{
    if (m_autoSelect && m_written != 0) {
        for (unsigned l = 1; l <= 6; ++l) {
            if ((m_written & (1u << l)) != 0) {
                m_out.selectLastEntry(static_cast<ResultList>(l));
            }
        }
        m_written = 0;
    }
    return m_out.pump();
}

int ProgressSteps::value(std::size_t index, std::size_t total)
{
    // Within the steps of the value last computed, no division: it is the same value.
    if (total == m_total && index >= m_from && index < m_to) {
        return m_value;
    }
    const std::uint64_t t = total;
    const auto computed = (static_cast<std::uint64_t>(index) + 1) * 100 / t;
    m_value = computed > 100 ? 100 : static_cast<int>(computed);
    // The indices i with (i + 1) * 100 / total == value: from ceil(value * total / 100) - 1 up to
    // ceil((value + 1) * total / 100) - 1; none cached for 100, which later indices also give.
    const auto v = static_cast<std::uint64_t>(m_value);
    const std::uint64_t first = (v * t + 99) / 100;
    m_total = total;
    m_from = first == 0 ? 0 : first - 1;
    m_to = m_value < 100 ? ((v + 1) * t + 99) / 100 - 1 : 0;
    return m_value;
}

void RunSteps::showProgress(std::size_t index, std::size_t total)
{
    const int value = m_steps.value(index, total);
    if (value != m_progress) {
        // The bar ignores an unchanged value; Resetten sets it to 0.
        m_out.setProgress(value);
        m_progress = value;
    }
}

void RunSteps::progressStep(std::size_t index, std::size_t total)
{
    showProgress(index, total);
    if (pump()) {
        throw RunEnd{RunOutcome::Cancelled, {}};
    }
}

void RunSteps::progressSteps(std::size_t from, std::size_t to, std::size_t total)
{
    if (m_pumpEvery == 1) {
        for (std::size_t i = from; i < to; ++i) {
            progressStep(i, total);
        }
        return;
    }
    // From one new value to the next, or to the next pump where it comes first.
    std::size_t i = from;
    while (i < to) {
        showProgress(i, total);
        const std::size_t sameTo = std::min(to, m_steps.changesAt());
        const std::size_t toPump = m_pumpEvery - m_sincePump; // steps up to the next pump
        if (sameTo - i < toPump) {
            m_sincePump += sameTo - i;
            i = sameTo;
            continue;
        }
        i += toPump;
        m_sincePump = 0;
        if (letWindowProcess()) {
            throw RunEnd{RunOutcome::Cancelled, {}};
        }
    }
}

void RunSteps::conversionError(std::string_view text, TextEncoding encoding, std::string_view where,
                               std::size_t lineIndex)
{
    throw RunEnd{RunOutcome::Aborted, conversionErrorText(text, encoding) + "\r\n(" +
                                          std::string(where) + ", Zeile " +
                                          number(static_cast<std::int64_t>(lineIndex) + 1) + ")"};
}
std::int32_t RunSteps::importNumber(std::string_view text, std::size_t lineIndex)
{
    const auto value = toInteger(text);
    if (!value) {
        conversionError(text, m_importEncoding, "Importdatei", lineIndex);
    }
    return *value;
}
std::int32_t RunSteps::priceNumber(std::string_view text, std::size_t lineIndex)
{
    const auto value = toInteger(text);
    if (!value) {
        conversionError(text, m_priceEncoding, "Preisliste.txt", lineIndex);
    }
    return *value;
}
void RunSteps::beyondEnd(std::size_t lineIndex, std::string_view what)
{
    throw RunEnd{RunOutcome::Aborted, conversionErrorText("") + "\r\n(Importdatei, Zeile " +
                                          number(static_cast<std::int64_t>(lineIndex) + 1) + ": " +
                                          std::string(what) + " liegt hinter dem Dateiende)"};
}
void RunSteps::malformedPriceLine(const PriceList& list, std::size_t index)
{
    throw RunEnd{RunOutcome::Aborted,
                 "Die Zeile " + number(static_cast<std::int64_t>(index) + 1) +
                     " der Preisliste ist fehlerhaft (weniger als acht Spalten oder eine leere "
                     "Spalte 6, 7 oder 8):\r\n" +
                     messageQuote(list.line(index), list.encoding())};
}
void RunSteps::checkColumns(const PriceList& list, std::size_t index, std::string_view line,
                            std::initializer_list<int> marks)
{
    if (priceColumnCount(line) < 8) {
        malformedPriceLine(list, index);
    }
    for (const int n : marks) {
        if (priceColumnText(line, n).empty()) {
            malformedPriceLine(list, index);
        }
    }
}

std::shared_ptr<const PriceList> RunSteps::loadPriceList()
{
    if (m_priceList) {
        return m_priceList;
    }
    if (m_settings.priceList) {
        m_priceEncoding = m_settings.priceList->encoding();
        return m_settings.priceList;
    }
    std::optional<std::string> bytes;
    std::string path = std::string(kPriceListName);
    std::string reason;
    if (m_settings.readPriceList) {
        bytes = m_settings.readPriceList();
        if (bytes) {
            if (auto refusal = encodingRefusal(*bytes)) {
                bytes.reset();
                reason = std::move(*refusal);
            }
        }
    } else if (const auto file = !m_settings.priceListFile.empty()
                                     ? std::optional(m_settings.priceListFile)
                                     : findPriceList(m_settings.programDir)) {
        path = *file;
        auto read = readPriceListFile(path);
        if (read) {
            bytes = std::move(*read);
        } else {
            reason = read.error().reason;
        }
    }
    if (!bytes) {
        // A list that is there but refused says why; a missing one where it was looked for.
        std::error_code ignored;
        const bool there = m_settings.readPriceList
                               ? !reason.empty()
                               : std::filesystem::exists(pathOf(path), ignored);
        throw RunEnd{RunOutcome::PriceListMissing,
                     there ? fileOpenErrorText(path, reason) + std::string(kCannotPrice)
                           : priceListMissingText(m_settings)};
    }
    m_priceList = std::make_shared<const PriceList>(PriceList::fromBytes(std::move(*bytes)));
    m_priceEncoding = m_priceList->encoding();
    return m_priceList;
}

} // namespace tarvek::detail
