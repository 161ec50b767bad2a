#pragma once

#include "calc/Batch.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <string>
#include <string_view>
#include <vector>

// A table of the batch as texts of the engine: what a row shows, how it sorts (Qt::UserRole:
// numbers as numbers) and the header. Texts from outside are shown with their control
// characters made visible.
class BatchTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole;

    BatchTableModel(std::vector<std::string_view> header, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    virtual std::size_t size() const = 0;
    // The fields of one row, numbers as plain digits.
    virtual std::vector<std::string> fields(std::size_t row) const = 0;
    // Whole numbers: right-aligned, sorted as numbers.
    virtual bool numeric(int column) const = 0;
    // The file name column: shown as the file system names it.
    virtual bool fileColumn(int column) const { return column < 0; }

private:
    std::vector<std::string_view> m_header;
};

// The rows of a batch, one per file in the order they came in.
class BatchRowModel : public BatchTableModel
{
    Q_OBJECT

public:
    explicit BatchRowModel(QObject* parent = nullptr);
    void clear();
    void append(std::vector<tarvek::BatchRow> rows);
    const std::vector<tarvek::BatchRow>& rows() const { return m_rows; }

protected:
    std::size_t size() const override { return m_rows.size(); }
    std::vector<std::string> fields(std::size_t row) const override;
    bool numeric(int column) const override;
    bool fileColumn(int column) const override { return column == 0; }

private:
    std::vector<tarvek::BatchRow> m_rows;
};

// "Nicht berechnete Graphics", over the files done so far.
class UnpricedModel : public BatchTableModel
{
    Q_OBJECT

public:
    explicit UnpricedModel(QObject* parent = nullptr);
    void clear();
    void add(const std::vector<tarvek::UnpricedGraphic>& graphics);
    const std::vector<tarvek::UnpricedEntry>& entries() const { return m_entries; }

protected:
    std::size_t size() const override { return m_entries.size(); }
    std::vector<std::string> fields(std::size_t row) const override;
    bool numeric(int column) const override { return column != 1; }

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
