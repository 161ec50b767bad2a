#include "views/batch/BatchModels.h"

#include "gui/FileNameText.h"
#include "gui/VisibleText.h"

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant headerText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Columns of whole numbers: right-aligned, sorted as numbers.
bool numeric(int column)
{
    return column >= 1 && column <= 12 && column != 4;
}

} // namespace

void BatchRowModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void BatchRowModel::append(tarvek::BatchRow row)
{
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

int BatchRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BatchRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(tarvek::kBatchColumns);
}

QVariant BatchRowModel::data(const QModelIndex& index, int role) const
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
    const auto fields = tarvek::batchFields(m_rows[static_cast<std::size_t>(index.row())]);
    const std::string& field = fields[static_cast<std::size_t>(column)];
    if (role == SortRole && numeric(column)) {
        return QVariant::fromValue(std::stoll(field));
    }
    return column == 0 ? shownPath(qtFileName(field)) : visibleText(fromUtf8(field));
}

QVariant BatchRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return headerText(tarvek::kBatchHeader[static_cast<std::size_t>(section)]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

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

int UnpricedModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int UnpricedModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(tarvek::kUnpricedHeader.size());
}

QVariant UnpricedModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const tarvek::UnpricedEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return column != 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (role != Qt::DisplayRole && role != BatchRowModel::SortRole) {
        return {};
    }
    const bool sort = role == BatchRowModel::SortRole;
    switch (column) {
    case 0:
        return sort ? QVariant(entry.graphic) : QVariant(QString::number(entry.graphic));
    case 1:
        return fromUtf8(entry.key);
    case 2:
        return sort ? QVariant::fromValue(entry.files) : QVariant(QString::number(entry.files));
    default:
        return sort ? QVariant::fromValue(entry.items) : QVariant(QString::number(entry.items));
    }
}

QVariant UnpricedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return headerText(tarvek::kUnpricedHeader[static_cast<std::size_t>(section)]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

BatchFilter::BatchFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(BatchRowModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
    setFilterKeyColumn(-1);
}
