#pragma once

#include "calc/Cleaning.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class RemovalModel;

// The confirmation of "Bereinigen ...": each entry that will go with its lines, graphic,
// position and reason, the count of each reason, and the check box for the extra entries at
// nested positions (off when the dialog opens). "Bereinigte Kopie speichern ..." accepts, Escape
// and "Abbrechen" reject.
class TBereinigen : public QDialog
{
    Q_OBJECT

public:
    explicit TBereinigen(QWidget* parent = nullptr);
    ~TBereinigen() override;

    // What goes without and with the extra nested entries; the check box chooses between them.
    void setPlans(tarvek::CleaningPlan plain, tarvek::CleaningPlan withCopies);
    bool nestedCopies() const;
    // The plan chosen by the check box.
    const tarvek::CleaningPlan& chosenPlan() const;

    QTableView* entries() const { return m_entries; }
    QLabel* counts() const { return m_counts; }

private:
    void showChosen();

    tarvek::CleaningPlan m_plain;
    tarvek::CleaningPlan m_withCopies;
    RemovalModel* m_model = nullptr;
    QTableView* m_entries = nullptr;
    QLabel* m_counts = nullptr;
    QCheckBox* m_copies = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};
