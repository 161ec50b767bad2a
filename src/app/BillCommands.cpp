#include "app/BillCommands.h"

#include "app/BillSource.h"
#include "app/BillState.h"
#include "app/HauptformularUi.h"
#include "app/RunView.h"
#include "calc/Bill.h"
#include "gui/Controls.h"
#include "gui/ErrorReport.h"
#include "views/bill/BillActions.h"
#include "views/bill/TKostenaufstellung.h"
#include "views/lists/TResultList.h"

#include <QAction>
#include <QPushButton>
#include <QStatusBar>

#include <functional>

BillCommands::BillCommands(const Context& context) : m_context(context)
{
    QWidget* window = m_context.window;
    const HauptformularUi& ui = m_context.ui;
    // Each command runs under the general error report, and only on a bill that the list shows.
    const auto command = [this](std::function<void(const BillData&)> action) {
        return [this, action = std::move(action)] {
            ErrorReport::guard(m_context.window, [this, &action] {
                if (usable()) {
                    action(billDataOf(m_context));
                }
            });
        };
    };
    const auto showBreakdown = command([this](const BillData& data) {
        if (m_kostenaufstellung) {
            m_kostenaufstellung->showBill(data);
        }
    });
    QObject::connect(ui.bitBtn8, &QPushButton::clicked, window, showBreakdown);
    QObject::connect(ui.kostenaufstellung1, &QAction::triggered, window, showBreakdown);
    // What was written where, or that the bill is on the clipboard, stays in the status line
    // for a while.
    QStatusBar* status = ui.statusBar1;
    QObject::connect(ui.rechnungSpeichern1, &QAction::triggered, window,
                     command([window, status](const BillData& data) {
                         status->showMessage(BillActions::save(window, data), StatusMessageMs);
                     }));
    QObject::connect(ui.rechnungDrucken1, &QAction::triggered, window,
                     command([window](const BillData& data) { BillActions::print(window, data); }));
    QObject::connect(ui.rechnungKopieren1, &QAction::triggered, window,
                     command([status](const BillData& data) {
                         status->showMessage(BillActions::copy(data), StatusMessageMs);
                     }));
    QObject::connect(&m_context.bill, &BillState::changed, window, [this] { update(); });
}

void BillCommands::setKostenaufstellung(TKostenaufstellung* kostenaufstellung)
{
    m_kostenaufstellung = kostenaufstellung;
    m_kostenaufstellung->setSelectNotCalculated(
        [this](std::int32_t graphic) { selectNotCalculated(graphic); });
}

void BillCommands::refresh()
{
    RunView& view = m_context.view;
    tarvek::refreshBill(m_context.state, tarvek::BillInputs{view.feeChoice(), view.squareSteps()},
                        view, m_context.clock, m_context.separators);
    // A bill that was shown already has new amounts, which the state does not announce.
    const BillState::Status before = m_context.bill.status();
    m_context.bill.followRun();
    if (m_context.bill.status() == before) {
        update();
    }
}

void BillCommands::setIdle(bool idle)
{
    m_idle = idle;
    update();
}

bool BillCommands::usable() const
{
    return m_idle && m_context.bill.shown();
}

void BillCommands::update()
{
    const HauptformularUi& ui = m_context.ui;
    ui.bitBtn8->setEnabled(usable());
    ui.rechnung1->setEnabled(usable());
    if (!m_kostenaufstellung) {
        return;
    }
    if (!m_context.bill.current()) {
        m_kostenaufstellung->close();
    } else {
        m_kostenaufstellung->refresh(usable() ? billDataOf(m_context) : BillData());
    }
}

// A double-click on a row without a price selects its line in ListBox5.
void BillCommands::selectNotCalculated(std::int32_t graphic) const
{
    TResultList& list = *m_context.ui.listBox[4];
    const QString prefix = QStringLiteral("D:%1, ").arg(graphic);
    for (int i = 0; i < list.count(); ++i) {
        if (list.entryText(i).startsWith(prefix)) {
            list.setCurrentRow(i);
            list.scrollToItem(list.item(i));
            m_context.window->activateWindow();
            return;
        }
    }
}
