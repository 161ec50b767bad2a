#include "views/batch/BatchModels.h"

#include "gui/FileNameText.h"
#include "gui/VisibleText.h"

BatchTableModel::BatchTableModel(std::vector<std::string_view> header, QObject* parent)
    : QAbstractTableModel(parent), m_header(std::move(header))
{}

int BatchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(size());
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
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return numeric(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (role != Qt::DisplayRole && role != SortRole && role != Qt::ToolTipRole) {
        return {};
    }
    const std::string field =
        fields(static_cast<std::size_t>(index.row()))[static_cast<std::size_t>(column)];
    if (role == SortRole && numeric(column)) {
        return QVariant::fromValue(std::stoll(field));
    }
    return fileColumn(column) ? shownPath(qtFileName(field))
                              : visibleText(QString::fromUtf8(field));
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return QString::fromUtf8(m_header[static_cast<std::size_t>(section)]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

BatchRowModel::BatchRowModel(QObject* parent)
    : BatchTableModel({tarvek::kBatchHeader.begin(), tarvek::kBatchHeader.end()}, parent)
{}

void BatchRowModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void BatchRowModel::append(std::vector<tarvek::BatchRow> rows)
{
    if (rows.empty()) {
        return;
    }
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
}

std::vector<std::string> BatchRowModel::fields(std::size_t row) const
{
    const auto texts = tarvek::batchFields(m_rows[row]);
    return {texts.begin(), texts.end()};
}

bool BatchRowModel::numeric(int column) const
{
    // Items to the total, but the owners' limits.
    return column >= 1 && column <= 12 && column != 4;
}

UnpricedModel::UnpricedModel(QObject* parent)
    : BatchTableModel({tarvek::kUnpricedHeader.begin(), tarvek::kUnpricedHeader.end()}, parent)
{}

void UnpricedModel::clear()
{
    beginResetModel();
    m_table = {};
    m_entries.clear();
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
    endResetModel();
}

std::vector<std::string> UnpricedModel::fields(std::size_t row) const
{
    const auto texts = tarvek::unpricedFields(m_entries[row]);
    return {texts.begin(), texts.end()};
}

BatchFilter::BatchFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(BatchTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setFilterKeyColumn(-1);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}
