#pragma once

#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek::hardening {

// A recording window that also checks, call by call and at the end of a run, what the main
// window relies on for any input: progress within 0..100, list entries and messages in valid
// UTF-8 without line breaks in list entries, the controls switched to the run look once and back
// once, and an end that a person can read: a bill, the answer No, an emptied window after
// "Stopp", or exactly one error message. Broken rules are collected as texts, so that tests can
// show them and fuzz targets can stop on them.
class CheckedWindow : public RecordingObserver
{
public:
    // answer: what the nested-items question gets; cancelAtPump: the pump() call (from 1) at
    // which "Stopp" is pressed, 0 for never.
    explicit CheckedWindow(Answer answer = Answer::Yes, std::uint64_t cancelAtPump = 0);

    void appendLine(ResultList list, std::string_view utf8Text, Colour colour) override;
    void setProgress(int percent) override;
    void schalterschalt(bool on) override;
    void showMessage(MessageKind kind, std::string_view title, std::string_view text) override;
    Answer askYesNo(std::string_view title, std::string_view text) override;

    // Checks the end of one run (execute() returned `outcome`) against the window and `state`.
    void checkEnd(RunOutcome outcome, const RunState& state);

    // The error messages that ended a run (every message except questions and bundle errors).
    std::vector<std::string> endingErrors() const;

    const std::vector<std::string>& violations() const { return m_violations; }
    // All violations in one text (empty when there are none).
    std::string report() const;

private:
    void violation(std::string text);

    Answer m_answer;
    std::uint64_t m_cancelAtPump;
    std::vector<std::string> m_violations;
    bool m_running = false;
};

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view text);
// True when UTF-8 text holds a control character as itself: C0 (line ends aside), DEL or C1, a
// direction mark or control (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069), a line or
// paragraph separator (U+2028, U+2029). Text from the files must show them as placeholders.
bool holdsControl(std::string_view utf8);

// The name of an outcome, for messages.
const char* outcomeName(RunOutcome outcome);

} // namespace tarvek::hardening
