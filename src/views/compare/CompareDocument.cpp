#include "views/compare/CompareDocument.h"

#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"
#include "views/compare/ComparePlan.h"
#include "views/plan/PlanPicture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <stdexcept>

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
                                 const tarvek::Comparison& comparison,
                                 const tarvek::Calculation* oldRun,
                                 const tarvek::Calculation* newRun)
    : m_oldFile(std::move(oldFile)), m_newFile(std::move(newFile)), m_comparison(comparison),
      m_oldRun(oldRun), m_newRun(newRun)
{}

QString CompareDocument::html() const
{
    const tarvek::Comparison& c = m_comparison;
    const QLocale german(QLocale::German, QLocale::Germany);
    QString o = QStringLiteral("<html><body><h2>Vergleich</h2><p>") +
                german.toString(QDateTime::currentDateTime(), QLocale::ShortFormat) +
                QStringLiteral("<br>Alt: ") + shownPath(m_oldFile).toHtmlEscaped() +
                QStringLiteral("<br>Neu: ") + shownPath(m_newFile).toHtmlEscaped() +
                QStringLiteral("</p>");
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
    // One row of a table for each list: a row is not split between pages, so no page holds a
    // lone line of the findings, and the heading stands above them on every page.
    o += QStringLiteral("<table width=\"100%\" cellpadding=\"2\"><thead><tr><th align=\"left\">"
                        "<h3>Befunde</h3></th></tr></thead>");
    for (std::size_t i = 0; i < tarvek::kFindingLists.size(); ++i) {
        const tarvek::FindingChanges& changes = c.findings[i];
        o += QStringLiteral("<tr><td><b>") + ::html(tarvek::listCaption(tarvek::kFindingLists[i])) +
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
        o += QStringLiteral("</td></tr>");
    }
    o += QStringLiteral("</table>");
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
    PagedDocument document(html());
    // The plan of the differences on a page of its own, at most as wide as the page.
    const QImage plan = planOfDifferences();
    if (!plan.isNull()) {
        document
            .add(QStringLiteral("<h3 style=\"page-break-before: always\">Grundriss der "
                                "Unterschiede</h3><img src=\"plan\" width=\"%1\">")
                     .arg(std::min(plan.width(), 640)))
            .addImage(QStringLiteral("plan"), plan);
    }
    document.writePdf(path,
                      QStringLiteral("Vergleich ") + visibleText(QFileInfo(m_oldFile).fileName()) +
                          QStringLiteral(" - ") + visibleText(QFileInfo(m_newFile).fileName()));
}

QImage CompareDocument::planOfDifferences() const
{
    if (m_oldRun == nullptr || m_newRun == nullptr) {
        return {};
    }
    using tarvek::compare::PlanMode;
    const tarvek::ItemRecord record =
        tarvek::compare::planRecord(*m_oldRun, *m_newRun, PlanMode::Differences);
    const tarvek::plan::PlanTiles tiles(record.items(), std::nullopt);
    try {
        return tarvek::plan::PlanPicture(record, tiles, QStringLiteral("Alle Ebenen"),
                                         tarvek::compare::differenceLook())
            .image();
    } catch (const std::runtime_error&) {
        return {}; // too large for a picture: the document goes without
    }
}
