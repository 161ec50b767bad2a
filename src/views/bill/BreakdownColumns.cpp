#include "views/bill/BreakdownColumns.h"

#include "calc/BreakdownCsv.h"
#include "pricing/Money.h"

static_assert(BreakdownColumns::Count == tarvek::kBreakdownHeader.size());

QStringList BreakdownColumns::header()
{
    QStringList names;
    for (const std::string_view name : tarvek::kBreakdownHeader) {
        names.append(QString::fromUtf8(name));
    }
    return names;
}

QString BreakdownColumns::money(std::int64_t amount, const QString& thousands)
{
    return QString::fromStdString(tarvek::moneyText(amount, thousands.toStdString()));
}

QString BreakdownColumns::text(const tarvek::BreakdownRow& row, int column,
                               const QString& thousands)
{
    const bool line = row.hasPriceLine;
    switch (column) {
    case Graphic:
        return QString::number(row.graphic);
    case Key:
        return QString::fromStdString(row.key);
    case Items:
        return QString::number(row.items);
    case Name:
        return line ? QString::fromUtf8(row.name) : QString();
    case Price:
        return line ? money(row.price, thousands) : QString();
    case Kind:
        return QString::fromUtf8(tarvek::kindText(row));
    case Pieces:
        return line && row.pieces ? QString::number(*row.pieces) : QString();
    case Class:
        return QString::fromUtf8(tarvek::className(row));
    case Amount:
        return money(row.amount, thousands);
    case Status:
        return QString::fromUtf8(tarvek::statusText(row.status));
    default:
        return {};
    }
}

QVariant BreakdownColumns::sortValue(const tarvek::BreakdownRow& row, int column)
{
    switch (column) {
    case Graphic:
        return qlonglong(row.graphic);
    case Items:
        return qlonglong(row.items);
    case Price:
        return row.hasPriceLine ? qlonglong(row.price) : qlonglong(-1);
    case Pieces:
        return row.pieces && row.hasPriceLine ? qlonglong(*row.pieces) : qlonglong(-1);
    case Amount:
        return qlonglong(row.amount);
    default:
        return text(row, column, QString());
    }
}

bool BreakdownColumns::rightAligned(int column)
{
    return column == Graphic || column == Items || column == Price || column == Pieces ||
           column == Amount;
}
