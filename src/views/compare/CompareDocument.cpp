#include "views/compare/CompareDocument.h"

#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"

#include <QFileInfo>

namespace {

QString html(std::string_view utf8)
{
    return QString::fromUtf8(utf8).toHtmlEscaped();
}

QString table(const QStringList& headers, const QList<QStringList>& rows)
{
    QString o = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
    for (const QString& header : headers) {
        o += QStringLiteral("<th>") + header + QStringLiteral("</th>");
    }
    o += QStringLiteral("</tr>");
    for (const QStringList& row : rows) {
        o += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < row.size(); ++i) {
            o += (i == 0 ? QStringLiteral("<td>") : QStringLiteral("<td align=\"right\">")) +
                 row[i] + QStringLiteral("</td>");
        }
        o += QStringLiteral("</tr>");
    }
    return o + QStringLiteral("</table>");
}

QString itemTable(const std::vector<tarvek::ItemChange>& changes)
{
    if (changes.empty()) {
        return QStringLiteral("<p>keine</p>");
    }
    QList<QStringList> rows;
    for (const tarvek::ItemChange& change : changes) {
        rows.append({QString::number(change.key.graphic), html(tarvek::positionText(change.key)),
                     QString::number(change.oldCount), QString::number(change.newCount)});
    }
    return table({QStringLiteral("Grafik"), QStringLiteral("Position"), QStringLiteral("Alt"),
                  QStringLiteral("Neu")},
                 rows);
}

} // namespace

CompareDocument::CompareDocument(QString oldFile, QString newFile,
                                 const tarvek::Comparison& comparison)
    : m_oldFile(std::move(oldFile)), m_newFile(std::move(newFile)), m_comparison(comparison)
{}

QString CompareDocument::html() const
{
    const tarvek::Comparison& c = m_comparison;
    QString o = QStringLiteral("<html><body><h2>Vergleich</h2><p>Alt: ") +
                shownPath(m_oldFile).toHtmlEscaped() + QStringLiteral("<br>Neu: ") +
                shownPath(m_newFile).toHtmlEscaped() + QStringLiteral("</p>");
    QList<QStringList> figures;
    for (const tarvek::FigureRow& row : c.figures) {
        QStringList cells;
        for (const std::string& cell : tarvek::figureCells(row, c.thousands)) {
            cells.append(::html(cell));
        }
        figures.append(cells);
    }
    o += table(
        {QString(), QStringLiteral("Alt"), QStringLiteral("Neu"), QStringLiteral("Differenz")},
        figures);
    o += QStringLiteral("<h3>Hinzugekommene Items (%1)</h3>").arg(c.added.size()) +
         itemTable(c.added);
    o += QStringLiteral("<h3>Entfernte Items (%1)</h3>").arg(c.removed.size()) +
         itemTable(c.removed);
    o += QStringLiteral("<h3>Befunde</h3>");
    for (std::size_t i = 0; i < tarvek::kFindingLists.size(); ++i) {
        const tarvek::FindingChanges& changes = c.findings[i];
        o += QStringLiteral("<p><b>") + ::html(tarvek::listCaption(tarvek::kFindingLists[i])) +
             QStringLiteral("</b><br>");
        if (changes.resolved.empty() && changes.added.empty()) {
            o += QStringLiteral("unverändert");
        }
        for (const std::string& line : changes.resolved) {
            o += QStringLiteral("behoben: ") + ::html(line) + QStringLiteral("<br>");
        }
        for (const std::string& line : changes.added) {
            o += QStringLiteral("neu: ") + ::html(line) + QStringLiteral("<br>");
        }
        o += QStringLiteral("</p>");
    }
    return o + QStringLiteral("</body></html>");
}

QString CompareDocument::plainText() const
{
    // The names as the window shows them: the engine's text names them as given.
    const tarvek::ComparedFiles files{shownPath(m_oldFile).toStdString(),
                                      shownPath(m_newFile).toStdString()};
    return QString::fromStdString(tarvek::compareText(files, m_comparison));
}

void CompareDocument::writePdf(const QString& path) const
{
    PagedDocument(html()).writePdf(
        path, QStringLiteral("Vergleich ") + visibleText(QFileInfo(m_oldFile).fileName()) +
                  QStringLiteral(" - ") + visibleText(QFileInfo(m_newFile).fileName()));
}
