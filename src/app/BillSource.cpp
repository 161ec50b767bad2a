#include "app/BillSource.h"

#include "app/THauptformular.h"
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

BillData billDataOf(const THauptformular& window)
{
    const HauptformularUi& ui = window.ui();
    BillData data;
    data.importFile = window.ImportFileName();
    data.created = QDateTime::currentDateTime();
    data.itemCount = ui.bdigit[1]->Wert();
    data.lowestLevel = ui.bdigit[2]->Wert();
    data.squareSteps = ui.bdigit[3]->Wert();
    data.warnings = entries(*window.listBox(2));
    data.movable = entries(*window.listBox(6));
    data.nested = entries(*window.listBox(3));
    data.notCalculated = entries(*window.listBox(5));
    data.state = window.runState();
    data.fees = {ui.checkBox2->isChecked(), ui.checkBox1->isChecked()};
    data.thousands = QString::fromStdString(window.separators().thousands);
    return data;
}
