#pragma once

#include "pricing/Breakdown.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The cost breakdown as a table: one row per graphic of the tally, then the three sum rows of
// tarvek::Breakdown::sums() over the rows that match the filter. Qt::UserRole gives the value a
// column sorts by.
class BreakdownModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SumRows = 3;
    static constexpr int SortRole = Qt::UserRole;

    explicit BreakdownModel(QObject* parent = nullptr);

    void setBreakdown(const tarvek::Breakdown& breakdown, const QString& thousands);
    const tarvek::Breakdown& breakdown() const { return m_breakdown; }
    // The row of the tally behind a model row; nullptr for a sum row.
    const tarvek::BreakdownRow* rowAt(int row) const;
    // The filter text (key, graphic number or name; empty: every row). While one is set, the sum
    // rows add up the matching rows and say so ("Summe HZ (gefiltert)").
    void setFilter(const QString& text);
    bool matches(const tarvek::BreakdownRow& row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant sumData(int sumRow, int column, int role) const;

    tarvek::Breakdown m_breakdown;
    QString m_thousands;
    QString m_filter;
};

// Sorts by every column and filters by key, graphic number or name (the model's filter); the sum
// rows stay at the bottom whatever the order and the filter.
class BreakdownFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit BreakdownFilter(QObject* parent = nullptr);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
