#pragma once

#include "views/bill/BillData.h"

#include <QDialog>

#include <array>
#include <functional>

class BreakdownFilter;
class BreakdownModel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;

// "Kostenaufstellung": the cost breakdown of the last bill as a sortable, filterable table with
// its sums, and the bill's document commands. Shown without blocking the main window; created
// once at start and reused.
class TKostenaufstellung : public QDialog
{
    Q_OBJECT

public:
    explicit TKostenaufstellung(QWidget* parent = nullptr);

    // Double-clicking a row that was not calculated passes its graphic number here.
    void setSelectNotCalculated(std::function<void(std::int32_t graphic)> select)
    {
        m_selectNotCalculated = std::move(select);
    }

    // Shows the window with this bill.
    void showBill(const BillData& bill);
    // A new bill, or none (the bill list is empty; no rows, the document commands disabled): the
    // window follows it when it is open.
    void refresh(const BillData& bill);

    QTableView* table() const { return m_table; }
    QLineEdit* filter() const { return m_filter; }
    const BillData& bill() const { return m_data; }
    // The bill with the breakdown's rows as the table shows them: sorted and filtered.
    BillData shownBill() const;
    QStatusBar* statusLine() const { return m_status; }

private:
    void setBill(const BillData& bill);
    void rowActivated(const QModelIndex& index);

    BillData m_data;
    BreakdownModel* m_model;
    BreakdownFilter* m_proxy;
    QLineEdit* m_filter;
    QTableView* m_table = nullptr;
    std::array<QPushButton*, 3> m_commands{}; // save, print, copy
    QStatusBar* m_status;
    std::function<void(std::int32_t)> m_selectNotCalculated;
};
