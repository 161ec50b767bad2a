#include "views/clean/TBereinigen.h"

#include "gui/Controls.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using tarvek::CleaningPlan;
using tarvek::RemovalReason;

// The entries of one plan in four columns; the plan is the dialog's and outlives the model's use.
class RemovalModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setPlan(const CleaningPlan* plan)
    {
        beginResetModel();
        m_plan = plan;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || m_plan == nullptr ? 0 : int(m_plan->removals.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : 4;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const tarvek::Removal& removal = m_plan->removals[std::size_t(index.row())];
        switch (index.column()) {
        case 0:
            return QStringLiteral("%1-%2").arg(removal.firstLine + 1).arg(removal.lastLine + 1);
        case 1:
            return removal.item.graphic;
        case 2:
            return QString::fromStdString(
                tarvek::positionText(tarvek::positionKeyOf(removal.item)));
        default:
            return QString::fromUtf8(tarvek::removalReasonText(removal.reason));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
            return {};
        }
        static const QStringList kHeaders = {QStringLiteral("Zeilen"), QStringLiteral("Grafik"),
                                             QStringLiteral("Position"), QStringLiteral("Grund")};
        return kHeaders.value(section);
    }

private:
    const CleaningPlan* m_plan = nullptr;
};

TBereinigen::TBereinigen(QWidget* parent) : QDialog(parent)
{
    setUpSizableDialog(this, "Bereinigen", QStringLiteral("Bereinigen"), {560, 420});

    auto* intro = named(new QLabel(QStringLiteral("Diese Einträge fehlen in der bereinigten "
                                                  "Kopie. Die Importdatei selbst bleibt "
                                                  "unverändert."),
                                   this),
                        "Hinweis1", QStringLiteral("Hinweis"));
    intro->setWordWrap(true);
    m_model = new RemovalModel(this);
    m_entries =
        named(new QTableView(this), "Eintraege1", QStringLiteral("Einträge, die entfernt werden"));
    m_entries->setModel(m_model);
    m_entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_entries->verticalHeader()->hide();
    m_entries->horizontalHeader()->setStretchLastSection(true);
    m_counts = named(new QLabel(this), "Anzahl1", QStringLiteral("Anzahl je Grund"));
    m_copies = new QCheckBox(QStringLiteral("Auch die weiteren &ineinanderliegenden Items "
                                            "entfernen (das erste an jeder Position bleibt)"),
                             this);
    m_copies->setObjectName(QStringLiteral("CheckBox1"));
    m_copies->setAccessibleName(QStringLiteral("Weitere ineinanderliegende Items entfernen"));
    connect(m_copies, &QCheckBox::toggled, this, &TBereinigen::showChosen);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(QStringLiteral("Bereinigte &Kopie speichern ..."),
                                QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("BitBtn1"));
    m_save->setAccessibleName(QStringLiteral("Bereinigte Kopie speichern"));
    m_save->setDefault(true);
    m_cancel = buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    m_cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_entries, 1);
    layout->addWidget(m_counts);
    layout->addWidget(m_copies);
    layout->addWidget(buttons);
    setTabOrder(m_entries, m_copies);
    setTabOrder(m_copies, m_save);
    setTabOrder(m_save, m_cancel);
}

TBereinigen::~TBereinigen() = default;

void TBereinigen::setPlans(CleaningPlan plain, CleaningPlan withCopies)
{
    m_plain = std::move(plain);
    m_withCopies = std::move(withCopies);
    m_copies->setChecked(false);
    m_copies->setEnabled(m_withCopies.count(RemovalReason::NestedCopy) > 0);
    showChosen();
    m_entries->setFocus();
}

bool TBereinigen::nestedCopies() const
{
    return m_copies->isChecked();
}

const CleaningPlan& TBereinigen::chosenPlan() const
{
    return nestedCopies() ? m_withCopies : m_plain;
}

void TBereinigen::showChosen()
{
    const CleaningPlan& plan = chosenPlan();
    m_model->setPlan(&plan);
    m_entries->resizeColumnsToContents();
    QStringList counts;
    for (std::size_t i = 0; i < tarvek::kRemovalReasonCount; ++i) {
        const auto reason = static_cast<RemovalReason>(i);
        counts << QStringLiteral("%1: %2")
                      .arg(QString::fromUtf8(tarvek::removalReasonText(reason)))
                      .arg(plan.count(reason));
    }
    QString text = counts.join(QStringLiteral(", "));
    if (m_plain.empty()) {
        text += QStringLiteral(". Nur die weiteren ineinanderliegenden Items können entfernt "
                               "werden.");
    }
    m_counts->setText(text);
    // A plan without entries writes nothing.
    m_save->setEnabled(!plan.empty());
}
