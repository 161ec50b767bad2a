#include "views/bill/BreakdownModel.h"

#include "views/bill/BreakdownColumns.h"

#include <QFont>

#include <utility>

static_assert(BreakdownModel::SumRows ==
              std::tuple_size_v<decltype(std::declval<tarvek::Breakdown>().sums())>);

BreakdownModel::BreakdownModel(QObject* parent) : QAbstractTableModel(parent) {}

void BreakdownModel::setBreakdown(const tarvek::Breakdown& breakdown, const QString& thousands)
{
    beginResetModel();
    m_breakdown = breakdown;
    m_thousands = thousands;
    endResetModel();
}

const tarvek::BreakdownRow* BreakdownModel::rowAt(int row) const
{
    const auto& rows = m_breakdown.rows();
    return row >= 0 && std::size_t(row) < rows.size() ? &rows[std::size_t(row)] : nullptr;
}

int BreakdownModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_breakdown.rows().size()) + SumRows;
}

int BreakdownModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : BreakdownColumns::Count;
}

QVariant BreakdownModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(
            Qt::AlignVCenter |
            (BreakdownColumns::rightAligned(column) ? Qt::AlignRight : Qt::AlignLeft));
    }
    const tarvek::BreakdownRow* row = rowAt(index.row());
    if (!row) {
        return sumData(index.row() - int(m_breakdown.rows().size()), column, role);
    }
    switch (role) {
    case Qt::DisplayRole:
        return BreakdownColumns::text(*row, column, m_thousands);
    case SortRole:
        return BreakdownColumns::sortValue(*row, column);
    default:
        return {};
    }
}

QVariant BreakdownModel::sumData(int sumRow, int column, int role) const
{
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole ||
        (column != BreakdownColumns::Name && column != BreakdownColumns::Amount)) {
        return {};
    }
    // The sums follow the filter: they add up the rows that the table shows.
    const tarvek::BreakdownSum sum =
        m_breakdown.sums([this](const tarvek::BreakdownRow& row) { return matches(row); })
            .at(std::size_t(sumRow));
    if (column == BreakdownColumns::Amount) {
        return BreakdownColumns::money(sum.amount, m_thousands);
    }
    const QString label = QString::fromUtf8(sum.label);
    return m_filter.isEmpty() ? label : label + QStringLiteral(" (gefiltert)");
}

void BreakdownModel::setFilter(const QString& text)
{
    m_filter = text.trimmed();
    const int first = int(m_breakdown.rows().size());
    emit dataChanged(index(first, 0), index(first + SumRows - 1, BreakdownColumns::Count - 1));
}

bool BreakdownModel::matches(const tarvek::BreakdownRow& row) const
{
    return m_filter.isEmpty() ||
           QString::fromStdString(row.key).contains(m_filter, Qt::CaseInsensitive) ||
           QString::number(row.graphic).contains(m_filter) ||
           QString::fromStdString(row.name).contains(m_filter, Qt::CaseInsensitive);
}

QVariant BreakdownModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < BreakdownColumns::Count) {
        return BreakdownColumns::header().at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

BreakdownFilter::BreakdownFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(BreakdownModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void BreakdownFilter::setText(const QString& text)
{
    static_cast<BreakdownModel*>(sourceModel())->setFilter(text);
    invalidateFilter();
}

bool BreakdownFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* model = static_cast<const BreakdownModel*>(sourceModel());
    const tarvek::BreakdownRow* row = model->rowAt(sourceRow);
    return !row || model->matches(*row);
}

bool BreakdownFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto* model = static_cast<const BreakdownModel*>(sourceModel());
    const bool leftSum = !model->rowAt(left.row());
    const bool rightSum = !model->rowAt(right.row());
    // Sum rows last and in their own order in either direction (a descending sort asks
    // whether right comes after left).
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    if (leftSum && rightSum) {
        return ascending ? left.row() < right.row() : left.row() > right.row();
    }
    if (leftSum || rightSum) {
        return ascending ? rightSum : leftSum;
    }
    return QSortFilterProxyModel::lessThan(left, right);
}
