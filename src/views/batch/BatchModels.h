#pragma once

#include "calc/Batch.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

// The rows of a batch, one per file in the order they came in, and the table "Nicht berechnete
// Graphics". Qt::UserRole gives the value a column sorts by (numbers as numbers); texts from
// outside are shown with their control characters made visible.
class BatchRowModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void append(tarvek::BatchRow row);
    const std::vector<tarvek::BatchRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<tarvek::BatchRow> m_rows;
};

class UnpricedModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void add(const std::vector<tarvek::UnpricedGraphic>& graphics);
    const std::vector<tarvek::UnpricedEntry>& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    tarvek::UnpricedTable m_table;
    std::vector<tarvek::UnpricedEntry> m_entries;
};

// Sorts by the sort role of every column and keeps the rows whose any column holds the filter
// text (letter case ignored).
class BatchFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit BatchFilter(QObject* parent = nullptr);
};
