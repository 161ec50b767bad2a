#pragma once

#include "GuardedWindow.h"

class QLabel;
class TBDigit;
class TBProgress;
class TBVerlauf;

// The download progress window "Laden": a progress bar, a three-digit per-cent display and a
// small gradient panel carrying the "%" sign.
class TLaden : public GuardedWindow
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 345;
    static constexpr int ClientHeight = 23;

    TLaden();

    // Sets the bar and then the display to the value the bar holds.
    void setProgress(int percent);
    int progress() const;

    TBProgress* BProgress1() const { return m_progress; }
    TBDigit* BDigit1() const { return m_digit; }

signals:
    // After every setProgress, with the value the display then shows.
    void progressShown(int percent);

private:
    TBProgress* m_progress;
    TBDigit* m_digit;
    TBVerlauf* m_gradient;
    QLabel* m_percent;
};
