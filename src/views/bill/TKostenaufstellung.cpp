#include "views/bill/TKostenaufstellung.h"

#include "gui/Controls.h"
#include "views/bill/BillActions.h"
#include "views/bill/BreakdownColumns.h"
#include "views/bill/BreakdownModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

TKostenaufstellung::TKostenaufstellung(QWidget* parent)
    : QDialog(parent), m_model(new BreakdownModel(this)), m_proxy(new BreakdownFilter(this)),
      m_filter(new QLineEdit(this)), m_status(makeStatusLine(this))
{
    setObjectName(QStringLiteral("Kostenaufstellung"));
    setWindowTitle(QStringLiteral("Kostenaufstellung"));
    // The table has a row for every graphic of the house: the window grows with it.
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(480, 260);
    resize(780, 460);

    auto* label = makeBuddyLabel(
        this, "FilterLabel", QStringLiteral("&Filter (Schlüssel, Nummer oder Name):"), m_filter);
    m_filter->setObjectName(QStringLiteral("Filter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_proxy, &BreakdownFilter::setText);

    m_proxy->setSourceModel(m_model);
    // Rows as high as their text, so that the sums show with the rows of a small house; in the
    // tally's order until a header is clicked.
    m_table = makeSortableTable(this, "Tabelle", QStringLiteral("Kostenaufstellung"), m_proxy);
    m_table->horizontalHeader()->setSectionResizeMode(BreakdownColumns::Name, QHeaderView::Stretch);
    connect(m_table, &QTableView::doubleClicked, this, &TKostenaufstellung::rowActivated);
    connect(m_table, &QTableView::activated, this, &TKostenaufstellung::rowActivated);

    m_commands = {
        makeCommandButton(this, "RechnungSpeichern", QStringLiteral("Rechnung speichern ...")),
        makeCommandButton(this, "RechnungDrucken", QStringLiteral("Rechnung drucken ...")),
        makeCommandButton(this, "RechnungKopieren", QStringLiteral("Rechnung kopieren"))};
    auto* close = makeCommandButton(this, "Schliessen", QStringLiteral("Schließen"));
    connect(m_commands[0], &QPushButton::clicked, this,
            [this] { m_status->showMessage(BillActions::save(this, m_data), StatusMessageMs); });
    connect(m_commands[1], &QPushButton::clicked, this,
            [this] { BillActions::print(this, m_data); });
    connect(m_commands[2], &QPushButton::clicked, this,
            [this] { m_status->showMessage(BillActions::copy(shownBill()), StatusMessageMs); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_filter, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* command : m_commands) {
        buttons->addWidget(command);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
}

BillData TKostenaufstellung::shownBill() const
{
    BillData shown = m_data;
    tarvek::Breakdown rows;
    for (int i = 0; i < m_proxy->rowCount(); ++i) {
        if (const tarvek::BreakdownRow* row =
                m_model->rowAt(m_proxy->mapToSource(m_proxy->index(i, 0)).row())) {
            rows.add(*row);
        }
    }
    shown.state.breakdown = std::move(rows);
    shown.breakdownFiltered = !m_filter->text().isEmpty();
    return shown;
}

void TKostenaufstellung::setBill(const BillData& bill)
{
    m_data = bill;
    m_model->setBreakdown(bill.state.breakdown, bill.thousands);
    for (QPushButton* command : m_commands) {
        command->setEnabled(bill.state.billShown);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(BreakdownColumns::Name, QHeaderView::Stretch);
}

void TKostenaufstellung::showBill(const BillData& bill)
{
    setBill(bill);
    show();
    raise();
    activateWindow();
    m_filter->setFocus();
}

void TKostenaufstellung::refresh(const BillData& bill)
{
    if (isVisible()) {
        setBill(bill);
    }
}

void TKostenaufstellung::rowActivated(const QModelIndex& index)
{
    const tarvek::BreakdownRow* row = m_model->rowAt(m_proxy->mapToSource(index).row());
    if (row && row->status == tarvek::BreakdownStatus::NotCalculated && m_selectNotCalculated) {
        m_selectNotCalculated(row->graphic);
    }
}
