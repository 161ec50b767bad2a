#pragma once

#include "calc/RunObserver.h"

#include <QString>

#include <functional>

class QWidget;
class QStatusBar;
class TVergleich;

// "Importdatei" > "Vergleichen mit ...": the loaded file (the new one) and a chosen file (the old
// one) run alike, with the price list of the window and the fees ticked in it, and the window
// "Vergleich" shows what changed.
class CompareCommand
{
public:
    // What the command reads; all of it outlives the command.
    struct Context
    {
        QWidget* window;             // the parent of its dialogs and of the window "Vergleich"
        const QString& importFile;   // the loaded file
        const QString& priceListDir; // the folder of the price list the window reads
        std::function<tarvek::FeeChoice()> fees;
        QStatusBar* status; // the window's status line, which the comparison's news make stale
    };

    explicit CompareCommand(const Context& context);
    CompareCommand(const CompareCommand&) = delete;
    CompareCommand& operator=(const CompareCommand&) = delete;

    // Asks for the old file and shows the comparison.
    void Vergleichen1Click();
    // Compares the loaded file with `oldFile` and shows the result in the window "Vergleich".
    void compareWith(const QString& oldFile);

    TVergleich& window() const { return *m_window; }

private:
    const Context m_context;
    TVergleich* m_window;
};
