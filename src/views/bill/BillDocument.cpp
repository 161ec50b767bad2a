#include "views/bill/BillDocument.h"

#include "calc/Bill.h"
#include "calc/BreakdownCsv.h"
#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"
#include "views/bill/BreakdownColumns.h"

#include <QFileInfo>
#include <QPageRanges>
#include <QPrinter>

#include <algorithm>

namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// A heading and its entries as a list; "keine" when the list is empty.
QString listSection(const QString& caption, const QStringList& entries)
{
    QString html = QStringLiteral("<h3>%1</h3>").arg(escaped(caption));
    if (entries.isEmpty()) {
        return html + QStringLiteral("<p>keine</p>");
    }
    html += QStringLiteral("<ul>");
    for (const QString& entry : entries) {
        // A line with pieces of the import file: pasted into a spreadsheet, it is no formula.
        html +=
            QStringLiteral("<li>%1</li>")
                .arg(escaped(QString::fromStdString(tarvek::formulaGuarded(entry.toStdString()))));
    }
    return html + QStringLiteral("</ul>");
}

QString cell(const QString& text, bool right, bool bold = false, const char* tag = "td")
{
    const QString body = bold ? QStringLiteral("<b>%1</b>").arg(escaped(text)) : escaped(text);
    return QStringLiteral("<%1%2>%3</%1>")
        .arg(QLatin1String(tag), right ? QStringLiteral(" align=\"right\"") : QString(), body);
}

constexpr const char* kTable =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-collapse: collapse\">";

} // namespace

BillDocument::BillDocument(BillData data) : m_data(std::move(data)) {}

QString BillDocument::sumLabel(const tarvek::BreakdownSum& sum) const
{
    const QString label = QString::fromUtf8(sum.label);
    return m_data.breakdownFiltered ? label + QStringLiteral(" (gefiltert)") : label;
}

QString BillDocument::money(std::int64_t amount) const
{
    return BreakdownColumns::money(amount, m_data.thousands);
}

QString BillDocument::billHtml() const
{
    if (!m_data.state.billShown) {
        return QStringLiteral("<p>keine</p>");
    }
    QString html = QString::fromLatin1(kTable);
    for (const tarvek::BillItem& item : tarvek::billItems(m_data.state, m_data.fees)) {
        html += QStringLiteral("<tr>") + cell(QString::fromUtf8(item.label), false, item.total) +
                cell(money(item.amount), true, item.total) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString BillDocument::breakdownHtml(bool forSpreadsheet) const
{
    QString html = QString::fromLatin1(kTable) + QStringLiteral("<thead><tr>");
    const QStringList header = BreakdownColumns::header();
    for (int c = 0; c < header.size(); ++c) {
        html += cell(header[c], BreakdownColumns::rightAligned(c), true, "th");
    }
    html += QStringLiteral("</tr></thead>");
    for (const tarvek::BreakdownRow& row : m_data.state.breakdown.rows()) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < BreakdownColumns::Count; ++c) {
            QString text = BreakdownColumns::text(row, c, m_data.thousands);
            if (forSpreadsheet && c == BreakdownColumns::Name) {
                // The name comes from the price list: a spreadsheet must not take it as a formula.
                text = QString::fromStdString(tarvek::formulaGuarded(text.toStdString()));
            }
            html += cell(text, BreakdownColumns::rightAligned(c));
        }
        html += QStringLiteral("</tr>");
    }
    for (const tarvek::BreakdownSum& sum : m_data.state.breakdown.sums()) {
        html += QStringLiteral("<tr><td colspan=\"%1\"><b>%2</b></td>")
                    .arg(BreakdownColumns::Amount)
                    .arg(escaped(sumLabel(sum))) +
                cell(money(sum.amount), true, true) + QStringLiteral("<td></td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString BillDocument::html() const
{
    QString html = QStringLiteral("<html><body><h2>Rechnung</h2>");
    html += QStringLiteral("<p>Importdatei: %1<br>Erstellt: %2</p>")
                .arg(escaped(visibleText(QFileInfo(m_data.importFile).fileName())),
                     m_data.created.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    html += QString::fromLatin1(kTable);
    const auto countRow = [](const QString& label, std::int64_t value) {
        return QStringLiteral("<tr>") + cell(label, false) + cell(QString::number(value), true) +
               QStringLiteral("</tr>");
    };
    html += countRow(QStringLiteral("Anzahl Items"), m_data.itemCount) +
            countRow(QStringLiteral("Niedrigstes Item auf Pos Z"), m_data.lowestLevel) +
            countRow(QStringLiteral("Ermittelte QS"), m_data.squareSteps) +
            QStringLiteral("</table>");
    html += listSection(QStringLiteral("Unbedingt prüfen"), m_data.warnings);
    html +=
        listSection(QStringLiteral("Items, welche nicht importiert werden dürfen"), m_data.movable);
    html += listSection(QStringLiteral("Ineinanderliegende Items"), m_data.nested);
    html += listSection(QStringLiteral("Nicht berechnete Items (bitte manuell hinzuaddieren)"),
                        m_data.notCalculated);
    html += QStringLiteral("<h3>Rechnung</h3>") + billHtml();
    html += QStringLiteral("<h3>Kostenaufstellung</h3>") + breakdownHtml(false);
    return html + QStringLiteral("</body></html>");
}

QString BillDocument::tablesHtml() const
{
    return QStringLiteral("<html><body><h3>Rechnung</h3>") + billHtml() +
           QStringLiteral("<h3>Kostenaufstellung</h3>") + breakdownHtml(true) +
           QStringLiteral("</body></html>");
}

QString BillDocument::plainText() const
{
    QString text;
    if (m_data.state.billShown) {
        for (const std::string& line :
             tarvek::billLines(m_data.state, m_data.fees, {m_data.thousands.toStdString(), ":"})) {
            text += QString::fromStdString(line) + u'\n';
        }
        text += u'\n';
    }
    // The breakdown: every column as wide as its longest text, numbers right-aligned; the sum
    // rows as the window's table shows them, the label under "Name".
    QList<QStringList> rows{BreakdownColumns::header()};
    for (const tarvek::BreakdownRow& row : m_data.state.breakdown.rows()) {
        QStringList cells;
        for (int c = 0; c < BreakdownColumns::Count; ++c) {
            cells.append(BreakdownColumns::text(row, c, m_data.thousands));
        }
        rows.append(cells);
    }
    for (const tarvek::BreakdownSum& sum : m_data.state.breakdown.sums()) {
        QStringList cells(BreakdownColumns::Count);
        cells[BreakdownColumns::Name] = sumLabel(sum);
        cells[BreakdownColumns::Amount] = money(sum.amount);
        rows.append(cells);
    }
    QList<qsizetype> widths(BreakdownColumns::Count, 0);
    for (const QStringList& cells : rows) {
        for (int c = 0; c < BreakdownColumns::Count; ++c) {
            widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    text += QStringLiteral("Kostenaufstellung\n");
    for (const QStringList& cells : rows) {
        QString line;
        for (int c = 0; c < BreakdownColumns::Count; ++c) {
            line += (c > 0 ? QStringLiteral("  ") : QString()) +
                    (BreakdownColumns::rightAligned(c) ? cells[c].rightJustified(widths[c])
                                                       : cells[c].leftJustified(widths[c]));
        }
        while (line.endsWith(u' ')) {
            line.chop(1);
        }
        text += line + u'\n';
    }
    return text;
}

bool BillDocument::paint(QPagedPaintDevice& device) const
{
    return PagedDocument(html()).paint(device);
}

bool BillDocument::print(QPrinter& printer) const
{
    const QPageRanges ranges =
        printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    // A printer that makes the copies itself gets each page once.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    return PagedDocument(html()).paintPages(printer, ranges, copies, printer.collateCopies());
}

QString BillDocument::title() const
{
    return QStringLiteral("Rechnung ") + visibleText(QFileInfo(m_data.importFile).fileName());
}

void BillDocument::writePdf(const QString& path) const
{
    PagedDocument(html()).writePdf(path, title());
}
