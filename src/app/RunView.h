#pragma once

#include "calc/RunObserver.h"

#include <cstdint>
#include <functional>

class HauptformularUi;
class QWidget;
class RunController;
class TResultList;

// What a calculation run (and the bill) reports, shown on the main window's controls: entries of
// the six result lists, the lamps, the progress bar and the number displays; messages and the
// nested-items question as dialogs over the window; the fee boxes as they stand. Resetten and
// schalterschalt set the controls; what else they mean to the window (the bill's commands, the
// plan, closing) the window does in the two callbacks. pump() is the run controller's.
class RunView : public tarvek::RunObserver
{
public:
    struct Callbacks
    {
        std::function<void()> afterReset{};           // Resetten has emptied the lists
        std::function<void(bool idle)> afterSwitch{}; // schalterschalt has switched the controls
    };

    RunView(QWidget* window, const HauptformularUi& ui, RunController& controller,
            Callbacks callbacks);
    RunView(const RunView&) = delete;
    RunView& operator=(const RunView&) = delete;

    // ListBox1 .. ListBox6; nullptr for another number.
    TResultList* listBox(int number) const;
    // The square-step count as BDigit4 shows it.
    std::int64_t squareSteps() const { return m_squareSteps; }

    void appendLine(tarvek::ResultList list, std::string_view utf8Text,
                    tarvek::Colour colour) override;
    void selectLastEntry(tarvek::ResultList list) override;
    void clearList(tarvek::ResultList list) override;
    void setLampOn(tarvek::Lamp lamp, bool on) override;
    void setLampColour(tarvek::Lamp lamp, tarvek::Colour colour) override;
    void setProgress(int percent) override;
    void setDisplay(tarvek::NumberDisplay display, std::int64_t value) override;
    void Resetten() override;
    void schalterschalt(bool on) override;
    void showMessage(tarvek::MessageKind kind, std::string_view title,
                     std::string_view text) override;
    tarvek::Answer askYesNo(std::string_view title, std::string_view text) override;
    tarvek::FeeChoice feeChoice() override;
    bool pump() override;
    // The controller lets the window process its events only every few milliseconds: asking it
    // after every line only cost time.
    std::size_t pumpEvery() const override { return 64; }

    // The caption colour of the start button, green while idle and red as "Stopp".
    void setStartColour(tarvek::Colour colour) const;

private:
    void showNumber(int number, std::int64_t value);

    QWidget* m_window;
    const HauptformularUi& m_ui;
    RunController& m_controller;
    Callbacks m_callbacks;
    std::int64_t m_squareSteps = 0; // the value BDigit4 shows
};
