#pragma once

#include "pricing/Breakdown.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The cost breakdown as a table: one row per graphic of the tally, then three sum rows (HZ,
// NHZ, all). Qt::UserRole gives the value a column sorts by.
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

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant sumData(int sumRow, int column, int role) const;

    tarvek::Breakdown m_breakdown;
    QString m_thousands;
};

// Sorts by every column and filters by key, graphic number or name; the sum rows stay at the
// bottom whatever the order and the filter.
class BreakdownFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit BreakdownFilter(QObject* parent = nullptr);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString m_text;
};
