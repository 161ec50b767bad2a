#include "app/RunView.h"

#include "app/HauptformularUi.h"
#include "app/RunController.h"
#include "gui/ControlLock.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "views/lists/TResultList.h"

#include "widgets/TBDigit.h"
#include "widgets/TBLED.h"
#include "widgets/TBProgress.h"

#include <QCheckBox>
#include <QPushButton>

#include <limits>
#include <utility>

RunView::RunView(QWidget* window, const HauptformularUi& ui, RunController& controller,
                 Callbacks callbacks)
    : m_window(window), m_ui(ui), m_controller(controller), m_callbacks(std::move(callbacks))
{}

TResultList* RunView::listBox(int number) const
{
    return number >= 1 && number <= 6 ? m_ui.listBox[std::size_t(number - 1)] : nullptr;
}

void RunView::setStartColour(tarvek::Colour colour) const
{
    // An enabled button's caption colour; a disabled one keeps the style's grey, so that it
    // looks as dead as it is.
    QPalette palette = m_ui.bitBtn2->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, Fonts::colour(colour));
    }
    m_ui.bitBtn2->setPalette(palette);
}

void RunView::schalterschalt(bool on)
{
    ControlLock::setEnabled(m_ui.runLocked(), on);
    m_ui.bitBtn2->setText(on ? QStringLiteral("Berechnung starten") : QStringLiteral("Stopp"));
    setStartColour(on ? tarvek::kColourGreen : tarvek::kColourRed);
    if (m_callbacks.afterSwitch) {
        m_callbacks.afterSwitch(on);
    }
}

void RunView::Resetten()
{
    for (TBLED* lamp : m_ui.bled) {
        if (lamp) {
            lamp->setFarbeAn(Fonts::colour(tarvek::kColourLampGrey));
        }
    }
    m_ui.bprogress1->setWert(0);
    for (int number = 1; number <= 5; ++number) {
        showNumber(number, 0);
    }
    for (TResultList* list : m_ui.listBox) {
        list->clear();
    }
    if (m_callbacks.afterReset) {
        m_callbacks.afterReset();
    }
}

bool RunView::pump()
{
    return m_controller.pump();
}

void RunView::appendLine(tarvek::ResultList list, std::string_view utf8Text, tarvek::Colour colour)
{
    listBox(int(list))->LogLine(QString::fromUtf8(utf8Text), colour);
}

void RunView::selectLastEntry(tarvek::ResultList list)
{
    listBox(int(list))->SelectLastEntry();
}

void RunView::clearList(tarvek::ResultList list)
{
    listBox(int(list))->clear();
}

void RunView::setLampOn(tarvek::Lamp lamp, bool on)
{
    m_ui.bled[std::size_t(lamp) - 1]->setAnAus(on);
}

void RunView::setLampColour(tarvek::Lamp lamp, tarvek::Colour colour)
{
    m_ui.bled[std::size_t(lamp) - 1]->setFarbeAn(Fonts::colour(colour));
}

void RunView::setProgress(int percent)
{
    m_ui.bprogress1->setWert(percent);
    // BDigit1 shows the bar's value, which the bar has clamped to 0..100.
    showNumber(1, m_ui.bprogress1->Wert());
}

void RunView::setDisplay(tarvek::NumberDisplay display, std::int64_t value)
{
    showNumber(int(display), value);
}

void RunView::showNumber(int number, std::int64_t value)
{
    TBDigit* digit = m_ui.bdigit[std::size_t(number - 1)];
    if (number == 4) {
        m_squareSteps = value;
    }
    // A number with more digits than the display has shows the display's error look rather than
    // a cut-off number.
    std::int64_t limit = 1;
    for (int i = 0; i < digit->Digitanzahl(); ++i) {
        limit *= 10;
    }
    const bool fits = value < limit && value <= std::numeric_limits<int>::max() &&
                      (value >= 0 || (digit->Minusfeld() && -value < limit));
    digit->setError(!fits);
    if (fits) {
        digit->setWert(int(value));
    }
}

void RunView::showMessage(tarvek::MessageKind kind, std::string_view title, std::string_view text)
{
    Dialogs::show(m_window,
                  kind == tarvek::MessageKind::Error ? Dialogs::Icon::Critical
                                                     : Dialogs::Icon::Information,
                  QString::fromUtf8(title), QString::fromUtf8(text));
}

tarvek::Answer RunView::askYesNo(std::string_view title, std::string_view text)
{
    return Dialogs::ask(m_window, QString::fromUtf8(text), QString::fromUtf8(title))
               ? tarvek::Answer::Yes
               : tarvek::Answer::No;
}

tarvek::FeeChoice RunView::feeChoice()
{
    return tarvek::FeeChoice{m_ui.checkBox2->isChecked(), m_ui.checkBox1->isChecked()};
}
