#include "views/bill/BillData.h"

#include "calc/RecordingObserver.h"

namespace {

QStringList texts(const tarvek::RecordingObserver& window, tarvek::ResultList list)
{
    QStringList out;
    for (const auto& entry : window.list(list).entries) {
        out.append(QString::fromUtf8(entry.text));
    }
    return out;
}

} // namespace

BillData BillData::fromRun(const QString& importFile, const tarvek::RecordingObserver& window,
                           const tarvek::RunState& state, tarvek::FeeChoice fees,
                           const tarvek::LocaleSeparators& sep)
{
    using tarvek::NumberDisplay;
    using tarvek::ResultList;
    BillData data;
    data.importFile = importFile;
    data.created = QDateTime::currentDateTime();
    data.itemCount = window.display(NumberDisplay::ItemCount);
    data.lowestLevel = window.display(NumberDisplay::LowestLevel);
    data.squareSteps = window.display(NumberDisplay::SquareSteps);
    data.warnings = texts(window, ResultList::Warnings);
    data.movable = texts(window, ResultList::Movable);
    data.nested = texts(window, ResultList::Nested);
    data.notCalculated = texts(window, ResultList::NotCalculated);
    data.state = state;
    data.fees = fees;
    data.thousands = QString::fromStdString(sep.thousands);
    return data;
}
