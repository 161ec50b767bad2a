#include "app/BillSource.h"

#include "app/BillState.h"
#include "app/HauptformularUi.h"
#include "views/lists/TResultList.h"

#include "widgets/TBDigit.h"

#include <QCheckBox>

namespace {

QStringList entries(const TResultList& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.entryText(i));
    }
    return texts;
}

} // namespace

BillData billDataOf(const BillCommands::Context& window)
{
    const HauptformularUi& ui = window.ui;
    const auto list = [&ui](int number) -> const TResultList& {
        return *ui.listBox[std::size_t(number - 1)];
    };
    BillData data;
    data.importFile = window.importFile;
    data.created = QDateTime::currentDateTime();
    data.itemCount = ui.bdigit[1]->Wert();
    data.lowestLevel = ui.bdigit[2]->Wert();
    data.squareSteps = ui.bdigit[3]->Wert();
    data.warnings = entries(list(2));
    data.movable = entries(list(6));
    data.nested = entries(list(3));
    data.notCalculated = entries(list(5));
    data.state = window.state;
    data.state.billShown = window.bill.shown();
    data.fees = {ui.checkBox2->isChecked(), ui.checkBox1->isChecked()};
    data.thousands = QString::fromStdString(window.separators.thousands);
    return data;
}
