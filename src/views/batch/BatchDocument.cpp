#include "views/batch/BatchDocument.h"

#include "gui/FileNameText.h"
#include "gui/VisibleText.h"
#include "views/batch/BatchModels.h"

#include <QDateTime>
#include <QLocale>

namespace {

const QString kUnpricedTitle = QStringLiteral("Nicht berechnete Grafiken");

QString text(std::string_view utf8)
{
    return visibleText(QString::fromUtf8(utf8));
}

// A table of texts, the header first; with `fileFirst` the first column is a file, shown as the
// file system names it.
template <typename Header, typename Entries, typename Fields>
PagedTable table(const Header& header, const Entries& entries, Fields fields, bool fileFirst)
{
    PagedTable table;
    for (const std::string_view name : header) {
        table.header.append(text(name));
    }
    for (const auto& entry : entries) {
        QStringList line;
        for (const std::string& field : fields(entry)) {
            line.append(fileFirst && line.isEmpty() ? shownPath(qtFileName(field)) : text(field));
        }
        table.rows.append(line);
    }
    return table;
}

PagedTable rowTable(const std::vector<tarvek::BatchRow>& rows)
{
    PagedTable rowTable = table(tarvek::kBatchHeader, rows, shownBatchFields, true);
    for (int column = 0; column < rowTable.header.size(); ++column) {
        rowTable.numeric.append(isBatchNumberColumn(column));
    }
    rowTable.shortenedColumn = 0;
    // The file, its total, its result and why stay; the details go first.
    rowTable.leaveOutFirst = {2, 10, 11, 5, 9, 6, 4, 7, 8, 3, 1};
    rowTable.leftOutNote =
        QStringLiteral("Nicht gezeigte Spalten (die CSV-Datei enthält alle): %1");
    return rowTable;
}

PagedTable unpricedTable(const std::vector<tarvek::UnpricedEntry>& unpriced)
{
    PagedTable unpricedTable =
        table(tarvek::kUnpricedHeader, unpriced, tarvek::unpricedFields, false);
    unpricedTable.numeric = {true, false, true, true};
    return unpricedTable;
}

QString tabbed(const PagedTable& table)
{
    QString out = table.header.join(u'\t') + u'\n';
    for (const QStringList& line : table.rows) {
        out += line.join(u'\t') + u'\n';
    }
    return out;
}

} // namespace

PagedDocument batchDocument(const std::vector<tarvek::BatchRow>& rows,
                            const std::vector<tarvek::UnpricedEntry>& unpriced,
                            const QString& about)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    PagedDocument document(
        QStringLiteral("<h2>Stapelprüfung</h2><p>%1<br>%2</p>")
            .arg(german.toString(QDateTime::currentDateTime(), QLocale::ShortFormat),
                 about.toHtmlEscaped()));
    document.add(rowTable(rows))
        .add(QStringLiteral("<h3>%1</h3>").arg(kUnpricedTitle))
        .add(unpricedTable(unpriced))
        .setOrientation(QPageLayout::Landscape);
    return document;
}

QString batchPlainText(const std::vector<tarvek::BatchRow>& rows,
                       const std::vector<tarvek::UnpricedEntry>& unpriced, const QString& about)
{
    return about + u'\n' + tabbed(rowTable(rows)) + u'\n' + kUnpricedTitle + u'\n' +
           tabbed(unpricedTable(unpriced));
}
