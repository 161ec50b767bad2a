#pragma once

#include "calc/Batch.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <array>

#include <string>
#include <string_view>
#include <vector>

// The columns of whole numbers of a row: the items to the total but the owners' limits.
constexpr bool isBatchNumberColumn(int column)
{
    return column >= 1 && column <= 12 && column != 4;
}
// A row's fields as the window and its documents show them: a file that did not run to its end
// has no numbers (the engine's zeros would read as an empty building).
std::array<std::string, tarvek::kBatchColumns> shownBatchFields(const tarvek::BatchRow& row);

// A table of the batch as texts of the engine: what a row shows, how it sorts (Qt::UserRole:
// numbers as numbers, an empty number before every other) and the header. Texts from outside are
// shown with their control characters made visible.
class BatchTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // `numeric`: the columns of whole numbers (right-aligned, sorted as numbers); `fileColumn`:
    // the column of a file name, shown as the file system names it (-1: none).
    BatchTableModel(std::vector<std::string_view> header, std::vector<bool> numeric, int fileColumn,
                    QObject* parent);

    // The shown cells are made once, when a row comes in: sorting and filtering read every cell
    // many times. Without the model's signals, which the caller sends.
    template <typename Fields> void appendCells(const Fields& fields)
    {
        appendCells(std::vector<std::string>(fields.begin(), fields.end()));
    }
    void appendCells(const std::vector<std::string>& fields);
    void clearCells() { m_cells.clear(); }

private:
    struct Cell
    {
        QString text;
        qint64 number = 0;
    };
    std::vector<std::string_view> m_header;
    std::vector<bool> m_numeric;
    int m_fileColumn;
    std::vector<std::vector<Cell>> m_cells;
};

// The rows of a batch, one per file in the order they came in; a tool tip shows a cell's whole
// text.
class BatchRowModel : public BatchTableModel
{
    Q_OBJECT

public:
    explicit BatchRowModel(QObject* parent = nullptr);
    void clear();
    void append(std::vector<tarvek::BatchRow> rows);
    const std::vector<tarvek::BatchRow>& rows() const { return m_rows; }

private:
    std::vector<tarvek::BatchRow> m_rows;
};

// "Nicht berechnete Grafiken", over the files done so far.
class UnpricedModel : public BatchTableModel
{
    Q_OBJECT

public:
    explicit UnpricedModel(QObject* parent = nullptr);
    void clear();
    void add(const std::vector<tarvek::UnpricedGraphic>& graphics);
    const std::vector<tarvek::UnpricedEntry>& entries() const { return m_entries; }

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
