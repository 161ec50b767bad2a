#include "support/engine/CheckedWindow.h"

#include <algorithm>

namespace tarvek::hardening {
namespace {

constexpr std::string_view kBundleErrorStart = "Berechnungsfehler. Bundleitem hat Anzahl Items 0.";
constexpr std::string_view kBillEnd = "=======================================";

bool isBundleError(const RecordingObserver::Message& m)
{
    return m.kind == RecordingObserver::Message::Kind::Error &&
           std::string_view(m.text).starts_with(kBundleErrorStart);
}

} // namespace

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2;
            cp = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            cp = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + length > n) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (t & 0x3Fu);
        }
        const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

const char* outcomeName(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Complete:
        return "Complete";
    case RunOutcome::Stopped:
        return "Stopped";
    case RunOutcome::Cancelled:
        return "Cancelled";
    case RunOutcome::PriceListMissing:
        return "PriceListMissing";
    case RunOutcome::Aborted:
        return "Aborted";
    case RunOutcome::Unreadable:
        return "Unreadable";
    }
    return "?";
}

CheckedWindow::CheckedWindow(Answer answer, std::uint64_t cancelAtPump)
    : m_answer(answer), m_cancelAtPump(cancelAtPump)
{
    setAnswer(answer);
    if (cancelAtPump != 0) {
        setCancelHook([cancelAtPump](std::uint64_t pump) { return pump >= cancelAtPump; });
    }
}

void CheckedWindow::violation(std::string text)
{
    // One run can break a rule on every line; a few examples say enough.
    if (m_violations.size() < 20) {
        m_violations.push_back(std::move(text));
    }
}

bool holdsControl(std::string_view utf8)
{
    const auto byte = [utf8](std::size_t i) {
        return i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : 0;
    };
    const auto within = [](unsigned char b, unsigned char low, unsigned char high) {
        return b >= low && b <= high;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char b = byte(i);
        const bool c1 = b == 0xC2 && within(byte(i + 1), 0x80, 0x9F);
        const bool arabicMark = b == 0xD8 && byte(i + 1) == 0x9C;
        // E2 80 8E..8F, E2 80 A8..AE, E2 81 A6..A9
        const bool layout =
            b == 0xE2 && ((byte(i + 1) == 0x80 &&
                           (within(byte(i + 2), 0x8E, 0x8F) || within(byte(i + 2), 0xA8, 0xAE))) ||
                          (byte(i + 1) == 0x81 && within(byte(i + 2), 0xA6, 0xA9)));
        if ((b < 0x20 && b != '\r' && b != '\n') || b == 0x7F || c1 || arabicMark || layout) {
            return true;
        }
    }
    return false;
}

void CheckedWindow::appendLine(ResultList list, std::string_view utf8Text, Colour colour)
{
    if (holdsControl(utf8Text)) {
        violation("list " + std::to_string(static_cast<int>(list)) +
                  ": entry holds a control character");
    }
    if (!isValidUtf8(utf8Text)) {
        violation("list " + std::to_string(static_cast<int>(list)) + ": entry is not UTF-8");
    }
    if (utf8Text.find_first_of("\r\n") != std::string_view::npos) {
        violation("list " + std::to_string(static_cast<int>(list)) + ": entry holds a line break");
    }
    if (colour != kColourGreen && colour != kColourBlack && colour != kColourRed) {
        violation("list entry with colour " + std::to_string(colour));
    }
    RecordingObserver::appendLine(list, utf8Text, colour);
}

void CheckedWindow::setProgress(int percent)
{
    if (percent < 0 || percent > 100) {
        violation("progress " + std::to_string(percent));
    }
    RecordingObserver::setProgress(percent);
}

void CheckedWindow::schalterschalt(bool on)
{
    if (on != m_running) {
        violation(on ? "controls switched to idle twice" : "controls switched to run twice");
    }
    m_running = !on;
    RecordingObserver::schalterschalt(on);
}

void CheckedWindow::showMessage(MessageKind kind, std::string_view title, std::string_view text)
{
    const std::string_view wanted = kind == MessageKind::Error ? "Fehler" : "Hinweis";
    if (title != wanted) {
        violation("message title '" + std::string(title) + "'");
    }
    if (text.empty() || !isValidUtf8(text) || holdsControl(text)) {
        violation("message text empty, not UTF-8 or with a control character");
    }
    RecordingObserver::showMessage(kind, title, text);
}

Answer CheckedWindow::askYesNo(std::string_view title, std::string_view text)
{
    if (title != "Bestätigen" || !isValidUtf8(text)) {
        violation("question '" + std::string(title) + "'");
    }
    return RecordingObserver::askYesNo(title, text);
}

std::vector<std::string> CheckedWindow::endingErrors() const
{
    std::vector<std::string> out;
    for (const auto& m : messages()) {
        if (m.kind != Message::Kind::Question && !isBundleError(m)) {
            out.push_back(m.text);
        }
    }
    return out;
}

void CheckedWindow::checkEnd(RunOutcome outcome, const RunState& state)
{
    const std::string name = outcomeName(outcome);
    if (m_running || !controlsIdle()) {
        violation(name + ": controls left in the run look");
    }
    const auto errors = endingErrors();
    const bool endsWithError = outcome == RunOutcome::Aborted ||
                               outcome == RunOutcome::PriceListMissing ||
                               outcome == RunOutcome::Unreadable;
    if (endsWithError) {
        if (errors.size() != 1 || messages().back().kind != Message::Kind::Error) {
            violation(name + ": " + std::to_string(errors.size()) + " error messages");
        }
    } else if (!errors.empty()) {
        violation(name + ": error message '" + errors.front() + "'");
    }
    const auto questions = std::count_if(messages().begin(), messages().end(), [](const auto& m) {
        return m.kind == Message::Kind::Question;
    });
    if (questions > 1) {
        violation(name + ": asked more than once");
    }
    const auto& bill = list(ResultList::Bill).entries;
    switch (outcome) {
    case RunOutcome::Complete:
        if (bill.empty() || bill.back().text != kBillEnd) {
            violation("Complete without a bill");
        }
        if (!state.billReady || display(NumberDisplay::GrandTotal) != state.grandTotal ||
            state.grandTotal != state.itemSumHZ + state.itemSumNHZ + state.waterFlatFee +
                                    state.basementFlatFee + state.squareStepFee) {
            violation("Complete with a total that does not add up");
        }
        break;
    case RunOutcome::Stopped:
        if (m_answer != Answer::No || questions != 1 || !bill.empty() || !state.billReady) {
            violation("Stopped without the answer No, or with a bill");
        }
        break;
    case RunOutcome::Cancelled:
        if (m_cancelAtPump == 0 || pumpCount() < m_cancelAtPump) {
            violation("Cancelled without Stopp");
        }
        [[fallthrough]];
    case RunOutcome::PriceListMissing:
        for (int l = 1; l <= 6; ++l) {
            if (!list(static_cast<ResultList>(l)).entries.empty()) {
                violation(name + ": list " + std::to_string(l) + " not emptied");
            }
        }
        break;
    case RunOutcome::Aborted:
    case RunOutcome::Unreadable:
        break;
    }
}

std::string CheckedWindow::report() const
{
    std::string out;
    for (const auto& v : m_violations) {
        out += v;
        out += '\n';
    }
    return out;
}

} // namespace tarvek::hardening
