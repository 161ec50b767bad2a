#include "views/batch/BatchModels.h"

#include "gui/FileNameText.h"
#include "gui/VisibleText.h"

#include <limits>

std::array<std::string, tarvek::kBatchColumns> shownBatchFields(const tarvek::BatchRow& row)
{
    std::array<std::string, tarvek::kBatchColumns> fields = tarvek::batchFields(row);
    if (!tarvek::ranToEnd(row.outcome)) {
        for (int column = 0; column < static_cast<int>(fields.size()); ++column) {
            if (isBatchNumberColumn(column)) {
                fields[static_cast<std::size_t>(column)].clear();
            }
        }
    }
    return fields;
}

BatchTableModel::BatchTableModel(std::vector<std::string_view> header, std::vector<bool> numeric,
                                 int fileColumn, QObject* parent)
    : QAbstractTableModel(parent), m_header(std::move(header)), m_numeric(std::move(numeric)),
      m_fileColumn(fileColumn)
{}

void BatchTableModel::appendCells(const std::vector<std::string>& fields)
{
    std::vector<Cell> row;
    row.reserve(fields.size());
    for (std::size_t column = 0; column < fields.size(); ++column) {
        const std::string& field = fields[column];
        row.push_back({static_cast<int>(column) == m_fileColumn
                           ? shownPath(qtFileName(field))
                           : visibleText(QString::fromUtf8(field)),
                       !m_numeric[column] ? 0
                       : field.empty()    ? std::numeric_limits<qint64>::min()
                                          : std::stoll(field)});
    }
    m_cells.push_back(std::move(row));
}

int BatchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

int BatchTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_header.size());
}

QVariant BatchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) {
        return m_numeric[column] ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (role != Qt::DisplayRole && role != SortRole && role != Qt::ToolTipRole) {
        return {};
    }
    const Cell& cell = m_cells[static_cast<std::size_t>(index.row())][column];
    if (role == SortRole && m_numeric[column]) {
        return QVariant::fromValue(cell.number);
    }
    if (role == Qt::ToolTipRole) {
        return plainToolTip(cell.text);
    }
    return cell.text;
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return QString::fromUtf8(m_header[static_cast<std::size_t>(section)]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

namespace {

// Which of N columns hold whole numbers.
template <std::size_t N, typename Numeric> std::vector<bool> numericColumns(Numeric numeric)
{
    std::vector<bool> columns(N);
    for (std::size_t column = 0; column < N; ++column) {
        columns[column] = numeric(static_cast<int>(column));
    }
    return columns;
}

} // namespace

BatchRowModel::BatchRowModel(QObject* parent)
    : BatchTableModel({tarvek::kBatchHeader.begin(), tarvek::kBatchHeader.end()},
                      numericColumns<tarvek::kBatchHeader.size()>(isBatchNumberColumn), 0, parent)
{}

void BatchRowModel::clear()
{
    beginResetModel();
    m_rows.clear();
    clearCells();
    endResetModel();
}

void BatchRowModel::append(std::vector<tarvek::BatchRow> rows)
{
    if (rows.empty()) {
        return;
    }
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    for (const tarvek::BatchRow& row : rows) {
        appendCells(shownBatchFields(row));
    }
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
}

UnpricedModel::UnpricedModel(QObject* parent)
    : BatchTableModel(
          {tarvek::kUnpricedHeader.begin(), tarvek::kUnpricedHeader.end()},
          numericColumns<tarvek::kUnpricedHeader.size()>([](int column) { return column != 1; }),
          -1, parent)
{}

void UnpricedModel::clear()
{
    beginResetModel();
    m_table = {};
    m_entries.clear();
    clearCells();
    endResetModel();
}

void UnpricedModel::add(const std::vector<tarvek::UnpricedGraphic>& graphics)
{
    if (graphics.empty()) {
        return;
    }
    beginResetModel();
    m_table.add(graphics);
    m_entries = m_table.entries();
    clearCells();
    for (const tarvek::UnpricedEntry& entry : m_entries) {
        appendCells(tarvek::unpricedFields(entry));
    }
    endResetModel();
}

BatchFilter::BatchFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(BatchTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setFilterKeyColumn(-1);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}
