#pragma once

#include "pricing/Breakdown.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The columns in which the window, the document and the clipboard show the cost breakdown.
class BreakdownColumns
{
public:
    enum Column
    {
        Graphic,
        Key,
        Items,
        Name,
        Price,
        Kind,
        Pieces,
        Class,
        Amount,
        Status,
        Count
    };

    // "Grafik", "Schlüssel", ... "Status".
    static QStringList header();
    // The text of one cell; money with the thousands separator and " GS".
    static QString text(const tarvek::BreakdownRow& row, int column, const QString& thousands);
    // What the column sorts by: numbers as numbers, the rest as text.
    static QVariant sortValue(const tarvek::BreakdownRow& row, int column);
    // Numbers and money are right-aligned.
    static bool rightAligned(int column);
    // Money text of an amount, "38.840 GS".
    static QString money(std::int64_t amount, const QString& thousands);
};
