#include "app/BillCommands.h"

#include "app/BillSource.h"
#include "app/THauptformular.h"
#include "calc/Bill.h"
#include "gui/ErrorReport.h"
#include "views/bill/BillActions.h"
#include "views/bill/TKostenaufstellung.h"
#include "views/lists/TResultList.h"

#include <QAction>
#include <QPushButton>

#include <functional>

BillCommands::BillCommands(THauptformular& window, tarvek::RunState& state,
                           const tarvek::Clock& clock)
    : m_window(window), m_state(state), m_clock(clock)
{
    const HauptformularUi& ui = window.ui();
    // Each command runs under the general error report, and only on a bill that the list shows.
    const auto command = [this](std::function<void(const BillData&)> action) {
        return [this, action = std::move(action)] {
            ErrorReport::guard(&m_window, [this, &action] {
                if (usable()) {
                    action(billDataOf(m_window));
                }
            });
        };
    };
    const auto showBreakdown = command([this](const BillData& data) {
        if (m_kostenaufstellung) {
            m_kostenaufstellung->showBill(data);
        }
    });
    QObject::connect(ui.bitBtn8, &QPushButton::clicked, &window, showBreakdown);
    QObject::connect(ui.kostenaufstellung1, &QAction::triggered, &window, showBreakdown);
    QObject::connect(ui.rechnungSpeichern1, &QAction::triggered, &window,
                     command([this](const BillData& data) { BillActions::save(&m_window, data); }));
    QObject::connect(
        ui.rechnungDrucken1, &QAction::triggered, &window,
        command([this](const BillData& data) { BillActions::print(&m_window, data); }));
    QObject::connect(ui.rechnungKopieren1, &QAction::triggered, &window,
                     command([](const BillData& data) { BillActions::copy(data); }));
}

void BillCommands::setKostenaufstellung(TKostenaufstellung* kostenaufstellung)
{
    m_kostenaufstellung = kostenaufstellung;
    m_kostenaufstellung->setSelectNotCalculated(
        [this](std::int32_t graphic) { selectNotCalculated(graphic); });
}

void BillCommands::refresh()
{
    tarvek::refreshBill(m_state, tarvek::BillInputs{m_window.feeChoice(), m_window.squareSteps()},
                        m_window, m_clock, m_window.separators());
    update();
}

void BillCommands::setIdle(bool idle)
{
    m_idle = idle;
    update();
}

void BillCommands::update()
{
    const HauptformularUi& ui = m_window.ui();
    ui.bitBtn8->setEnabled(usable());
    ui.rechnung1->setEnabled(usable());
    if (!m_kostenaufstellung) {
        return;
    }
    if (!m_state.billReady) {
        m_kostenaufstellung->close();
    } else {
        m_kostenaufstellung->refresh(usable() ? billDataOf(m_window) : BillData());
    }
}

// A double-click on a row without a price selects its line in ListBox5.
void BillCommands::selectNotCalculated(std::int32_t graphic) const
{
    TResultList& list = *m_window.listBox(5);
    const QString prefix = QStringLiteral("D:%1, ").arg(graphic);
    for (int i = 0; i < list.count(); ++i) {
        if (list.entryText(i).startsWith(prefix)) {
            list.setCurrentRow(i);
            list.scrollToItem(list.item(i));
            m_window.activateWindow();
            return;
        }
    }
}
