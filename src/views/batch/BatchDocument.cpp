#include "views/batch/BatchDocument.h"

#include "gui/FileNameText.h"
#include "gui/VisibleText.h"

#include <QDateTime>
#include <QLocale>

namespace {

QString text(std::string_view utf8)
{
    return visibleText(QString::fromUtf8(utf8));
}

// A table as lists of cells, the header first; with `fileFirst` the first column is a file, shown
// as the file system names it.
template <typename Header, typename Entries, typename Fields>
QList<QStringList> tableCells(const Header& header, const Entries& entries, Fields fields,
                              bool fileFirst)
{
    QList<QStringList> cells{{}};
    for (const std::string_view name : header) {
        cells.front().append(text(name));
    }
    for (const auto& entry : entries) {
        QStringList line;
        for (const std::string& field : fields(entry)) {
            line.append(fileFirst && line.isEmpty() ? shownPath(qtFileName(field)) : text(field));
        }
        cells.append(line);
    }
    return cells;
}

QList<QStringList> rowCells(const std::vector<tarvek::BatchRow>& rows)
{
    return tableCells(tarvek::kBatchHeader, rows, tarvek::batchFields, true);
}

QList<QStringList> unpricedCells(const std::vector<tarvek::UnpricedEntry>& unpriced)
{
    return tableCells(tarvek::kUnpricedHeader, unpriced, tarvek::unpricedFields, false);
}

QString htmlTable(const QList<QStringList>& cells)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
    for (qsizetype r = 0; r < cells.size(); ++r) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : cells[r]) {
            const QString tag = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
            html += u'<' + tag + u'>' + cell.toHtmlEscaped() + QStringLiteral("</") + tag + u'>';
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString tabbed(const QList<QStringList>& cells)
{
    QString out;
    for (const QStringList& line : cells) {
        out += line.join(u'\t') + u'\n';
    }
    return out;
}

} // namespace

QString batchHtml(const std::vector<tarvek::BatchRow>& rows,
                  const std::vector<tarvek::UnpricedEntry>& unpriced, const QString& about)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    return QStringLiteral("<h2>Stapelprüfung</h2><p>%1<br>%2</p>")
               .arg(german.toString(QDateTime::currentDateTime(), QLocale::ShortFormat),
                    about.toHtmlEscaped()) +
           htmlTable(rowCells(rows)) + QStringLiteral("<h3>Nicht berechnete Graphics</h3>") +
           htmlTable(unpricedCells(unpriced));
}

QString batchPlainText(const std::vector<tarvek::BatchRow>& rows,
                       const std::vector<tarvek::UnpricedEntry>& unpriced)
{
    return tabbed(rowCells(rows)) + QStringLiteral("\nNicht berechnete Graphics\n") +
           tabbed(unpricedCells(unpriced));
}
