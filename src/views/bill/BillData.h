#pragma once

#include "calc/Clock.h"
#include "calc/RunObserver.h"
#include "calc/RunState.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tarvek {
class RecordingObserver;
}

// Everything the bill document shows, taken from the main window or from a run without a window.
struct BillData
{
    QString importFile;
    QDateTime created;
    std::int64_t itemCount = 0;
    std::int64_t lowestLevel = 0;
    std::int64_t squareSteps = 0;
    QStringList warnings;      // " Unbedingt prüfen "
    QStringList movable;       // " Items, welche nicht importiert werden dürfen "
    QStringList nested;        // " Ineinanderliegende Items "
    QStringList notCalculated; // " Nicht berechnete Items "
    tarvek::RunState state;    // item sums, bill fields and the breakdown
    tarvek::FeeChoice fees;    // the two check boxes as they stand
    QString thousands = QStringLiteral(".");
    // The breakdown holds only the rows a filter let through; its sums say so.
    bool breakdownFiltered = false;

    // What a run without a window left in `window` and `state`.
    static BillData fromRun(const QString& importFile, const tarvek::RecordingObserver& window,
                            const tarvek::RunState& state, tarvek::FeeChoice fees,
                            const tarvek::LocaleSeparators& sep);
};
