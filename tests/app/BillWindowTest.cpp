// The cost breakdown window and the bill as a document, driven from the main window.
#include "support/LinuxTool.h"
#include "support/WindowFixture.h"

#include "calc/Calculation.h"
#include "editor/TImportedit.h"
#include "views/bill/BillDocument.h"
#include "views/bill/BillPdfCommand.h"
#include "views/bill/TKostenaufstellung.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStatusBar>
#include <QTableView>
#include <iostream>
#include <optional>

namespace {

// What one of poppler's tools prints for a PDF (empty when it cannot).
QString poppler(const QString& tool, const QStringList& args)
{
    return linuxToolOutput(tool, args);
}

// The text of a PDF as poppler's pdftotext reads it.
QString pdfText(const QString& pdf)
{
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The rows of the breakdown table as they stand, each as "key|name|amount".
QStringList tableRows(const QTableView& table)
{
    QStringList rows;
    const QAbstractItemModel& m = *table.model();
    for (int r = 0; r < m.rowCount(); ++r) {
        rows.append(m.index(r, 1).data().toString() + u'|' + m.index(r, 3).data().toString() +
                    u'|' + m.index(r, 8).data().toString());
    }
    return rows;
}

const QStringList kBillLines = {
    QStringLiteral("QS gesamt 2.400 GS"), QStringLiteral("Summe Items HZ gesamt 29.800 GS"),
    QStringLiteral("Summe Items NHZ gesamt 6.640 GS"), QStringLiteral("Gesamtsumme 38.840 GS")};

// Every bill line, the total and every breakdown row of the sample in a text.
void expectSampleBill(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("[ :]+")), QStringLiteral(" "));
    for (const QString& line : kBillLines) {
        EXPECT_TRUE(text.contains(line)) << line.toStdString();
    }
    for (const char* row :
         {"100 0x0064 12 Steinwand 250 GS Stück 1 HZ 3.000 GS berechnet",
          "7163 0x1bfb 3 Fackeln (Bund zu 10) 500 GS Bund 10 NHZ 150 GS berechnet",
          "5702 0x1646 1 0 GS ausgenommen", "4660 0x1234 1 0 GS nicht berechnet",
          "16515 0x4083 1 Hausmulti 25.000 GS Stück 1 HZ 25.000 GS berechnet"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(row))) << row;
    }
    EXPECT_EQ(text.count(QStringLiteral(" GS berechnet\n")), 12);
}

class BillWindowTest : public WindowFixture
{
protected:
    // A house of 300 graphics, one item each; the price list prices two of every three at 7 GS.
    QString writeLongHouse() const
    {
        QByteArray import = "Entry Header\r\n{\r\n}\r\n";
        QByteArray prices;
        for (int g = 1; g <= 300; ++g) {
            import += QStringLiteral("Entry I 0x1\r\n{\r\n\tgraphic\t%1\r\n\tx\t%2\r\n\ty\t1\r\n"
                                     "\tz\t0\r\n\tcolor\t0\r\n}\r\n")
                          .arg(g)
                          .arg(1000 + g)
                          .toLatin1();
            if (g % 3 != 0) {
                prices += QStringLiteral("0x%1|Ware %2|7|t|1|0|0|0\r\n")
                              .arg(g, 4, 16, QChar(u'0'))
                              .arg(g)
                              .toLatin1();
            }
        }
        writeFile(QStringLiteral("Preisliste.txt"), prices);
        return writeFile(QStringLiteral("Lang.cfg"), import);
    }
};

} // namespace

TEST_F(BillWindowTest, BreakdownTableDocumentAndClipboardFollowTheBill)
{
    start();
    load(sample("Haus.cfg"));
    EXPECT_FALSE(breakdownButton()->isEnabled());
    run();
    ASSERT_TRUE(breakdownButton()->isEnabled());
    click(breakdownButton());
    auto* breakdown = window().findChild<TKostenaufstellung*>(QStringLiteral("Kostenaufstellung"));
    ASSERT_TRUE(breakdown && breakdown->isVisible());
    QTableView& table = *breakdown->table();
    EXPECT_EQ(table.model()->rowCount(), 14 + 3);

    // Sorted by amount, largest first: the sum rows stay at the bottom.
    table.sortByColumn(8, Qt::DescendingOrder);
    QStringList rows = tableRows(table);
    EXPECT_EQ(rows.first(), QStringLiteral("0x4083|Hausmulti|25.000 GS"));
    EXPECT_EQ(rows.mid(14), (QStringList{QStringLiteral("|Summe HZ|29.800 GS"),
                                         QStringLiteral("|Summe NHZ|6.640 GS"),
                                         QStringLiteral("|Summe Items|36.440 GS")}));
    // The sums follow the filter and say so.
    breakdown->filter()->setText(QStringLiteral("fackel"));
    EXPECT_EQ(tableRows(table), (QStringList{QStringLiteral("0x1bfb|Fackeln (Bund zu 10)|150 GS"),
                                             QStringLiteral("|Summe HZ (gefiltert)|0 GS"),
                                             QStringLiteral("|Summe NHZ (gefiltert)|150 GS"),
                                             QStringLiteral("|Summe Items (gefiltert)|150 GS")}));
    // The table grows with the window.
    EXPECT_TRUE(breakdown->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    breakdown->resize(1200, 900);
    EXPECT_EQ(breakdown->size(), QSize(1200, 900));

    // Double-clicking the row without a price selects its line in ListBox5.
    breakdown->filter()->setText(QStringLiteral("4660"));
    notCalculatedList()->setCurrentRow(-1);
    const QModelIndex unpriced = table.model()->index(0, 0);
    const QPoint at = table.visualRect(unpriced).center();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at); // the double-click's first press
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(notCalculatedList()->currentRow(), 0);
    notCalculatedList()->setCurrentRow(-1);
    QTest::keyClick(&table, Qt::Key_Return); // the same by keyboard
    EXPECT_EQ(notCalculatedList()->currentRow(), 0);

    // "Rechnung kopieren": fixed columns as text, tables as HTML.
    QGuiApplication::clipboard()->clear();
    copyBill()->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(
        copied->text().startsWith(QStringLiteral("QS gesamt              :       2.400 GS\n")));
    expectSampleBill(copied->text());
    EXPECT_TRUE(
        copied->text().contains(QRegularExpression(QStringLiteral("Summe Items +36.440 GS"))));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<td>Hausmulti</td>")));

    // "Rechnung speichern ...": the PDF beside the suggested name; ticking a fee box refreshes
    // the open window's bill.
    QTest::mouseClick(waterBox(), Qt::LeftButton);
    EXPECT_EQ(breakdown->bill().state.grandTotal, 48840);
    m_dialogs.nextSaveFile = m_dir.filePath(QStringLiteral("Rechnung.pdf"));
    QTest::mouseClick(breakdown->findChild<QPushButton*>(QStringLiteral("RechnungSpeichern")),
                      Qt::LeftButton);
    EXPECT_TRUE(m_dialogs.saveCalls.value(0).contains(QStringLiteral("/Haus.pdf|")));
    const QString pdf = pdfText(m_dialogs.nextSaveFile);
    EXPECT_TRUE(pdf.contains(QStringLiteral("Seite 1 von 1")));
    EXPECT_TRUE(pdf.contains(QStringLiteral("Achtung: Bauzonenränder sind noch vorhanden!!!")));
    EXPECT_TRUE(pdf.contains(QRegularExpression(QStringLiteral("Wasserbaupauschale +10.000 GS"))));
    // Regular text in the regular face, headings in the bold one, each face its own.
    const QString fonts = poppler(QStringLiteral("pdffonts"), {m_dialogs.nextSaveFile});
    EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("\\n\\w+Sans(-Regular)? "))))
        << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("\\n\\w+Sans-Bold "))))
        << fonts.toStdString();

    // Printing paints the same document; a printer in PDF mode shows it.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("Druck.pdf")));
    ASSERT_TRUE(BillDocument(breakdown->bill()).paint(printer));
    EXPECT_TRUE(pdfText(printer.outputFileName()).contains(QStringLiteral("Seite 1 von 1")));

    // A folder that does not exist: an error message, nothing written.
    m_dialogs.nextSaveFile = m_dir.filePath(QStringLiteral("fehlt/Rechnung.pdf"));
    QTest::mouseClick(breakdown->findChild<QPushButton*>(QStringLiteral("RechnungSpeichern")),
                      Qt::LeftButton);
    EXPECT_TRUE(m_dialogs.notices().last().startsWith(QStringLiteral("Datei ")));

    // Loading a file again: no bill, so no breakdown.
    load(sample("Haus.cfg"));
    EXPECT_FALSE(breakdown->isVisible());
    EXPECT_FALSE(breakdownButton()->isEnabled());
    EXPECT_FALSE(billMenu()->isEnabled());
}

TEST_F(BillWindowTest, PdfWithoutAWindow)
{
    const QString pdf = m_dir.filePath(QStringLiteral("Haus.pdf"));
    ASSERT_EQ(writeBillPdf(sample("Haus.cfg"), pdf, false, false, m_dir.path()), 0);
    expectSampleBill(pdfText(pdf));

    // The program: exit statuses as tarvek-calc's, and no file from a failed run.
    const QString program = QStringLiteral(TARVEK_BINARY_DIR "/bin/tarvek");
    const QString out = m_dir.filePath(QStringLiteral("nichts.pdf"));
    EXPECT_EQ(QProcess::execute(program, {QStringLiteral("--pdf"), out}), 2);
    EXPECT_EQ(QProcess::execute(program, {QStringLiteral("--pdf"), out, m_dir.filePath("x.cfg")}),
              1);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(BillWindowTest, ALongBreakdownRunsOverNumberedPagesWithoutLosingARow)
{
    const QString pdf = m_dir.filePath(QStringLiteral("Lang.pdf"));
    ASSERT_EQ(writeBillPdf(writeLongHouse(), pdf, false, false, m_dir.path()), 0);
    QString text = pdfText(pdf);
    text.replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "));
    const QRegularExpressionMatch last =
        QRegularExpression(QStringLiteral("Seite 1 von (\\d+)")).match(text);
    ASSERT_TRUE(last.hasMatch());
    const int pages = last.captured(1).toInt();
    EXPECT_GT(pages, 2);
    for (int p = 2; p <= pages; ++p) {
        EXPECT_TRUE(text.contains(QStringLiteral("Seite %1 von %2").arg(p).arg(pages))) << p;
    }
    for (int g = 1; g <= 300; ++g) {
        const QString row = g % 3 != 0 ? QStringLiteral(" %1 0x%2 1 Ware %1 7 GS")
                                       : QStringLiteral(" %1 0x%2 1 0 GS nicht berechnet");
        EXPECT_TRUE(text.contains(row.arg(g).arg(g, 4, 16, QChar(u'0')))) << g;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Summe Items HZ gesamt 1.400 GS")));
}

// "Nein" at the nested-items question and "Stopp" while phase 8 prices leave the bill list empty
// and an older bill's fields in the run state: no bill command may reach them.
TEST_F(BillWindowTest, BillCommandsTakeOnlyTheBillTheListShows)
{
    start();
    load(sample("Haus.cfg"));
    run(); // 38.840 GS
    const QString other = m_dir.filePath(QStringLiteral("Anderes.cfg"));
    ASSERT_TRUE(QFile::copy(sample("Haus.cfg"), other));
    load(other);
    m_dialogs.answers = {false};
    run();
    QAction* rechnung = billMenu();
    EXPECT_EQ(billList()->count(), 0);
    EXPECT_FALSE(breakdownButton()->isEnabled());
    EXPECT_FALSE(rechnung->isEnabled());

    // Refresh bills the sums of this run (no items priced) and the commands take that bill.
    click(refreshButton());
    ASSERT_TRUE(breakdownButton()->isEnabled() && rechnung->isEnabled());
    copyBill()->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("Gesamtsumme            :       2.400 GS")));
    EXPECT_FALSE(copied.contains(QStringLiteral("38.840")));

    click(breakdownButton());
    auto* breakdown = window().findChild<TKostenaufstellung*>(QStringLiteral("Kostenaufstellung"));
    ASSERT_TRUE(breakdown->isVisible());
    m_dialogs.answers = {true};
    whenProtocolShows(QStringLiteral(" Itemberechnung gestartet"),
                      [this] { click(startButton()); });
    run();
    EXPECT_EQ(billList()->count(), 0);
    EXPECT_FALSE(breakdownButton()->isEnabled() || rechnung->isEnabled());
    // The open breakdown shows no bill either.
    EXPECT_EQ(breakdown->table()->model()->rowCount(), 3);
    EXPECT_FALSE(
        breakdown->findChild<QPushButton*>(QStringLiteral("RechnungKopieren"))->isEnabled());
}

// After "Stopp", after the editor saved the file and after a new price list, the sums no longer
// belong to what the screen shows: "Refresh" asks for a run, and no command exports a bill.
TEST_F(BillWindowTest, NoBillFromSumsThatTheScreenDidNotCompute)
{
    start();
    load(sample("Haus.cfg"));
    QAction* rechnung = billMenu();
    const auto expectNoBill = [&](const char* after) {
        const qsizetype shown = m_dialogs.messages.size();
        click(refreshButton());
        ASSERT_EQ(m_dialogs.messages.size(), shown + 1) << after;
        EXPECT_EQ(m_dialogs.messages.constLast().text,
                  QStringLiteral("Vor einer Neuberechnung bitte erst Import berechnen lassen!"))
            << after;
        EXPECT_EQ(billList()->count(), 0) << after;
        EXPECT_FALSE(breakdownButton()->isEnabled() || rechnung->isEnabled()) << after;
    };

    run();
    whenProtocolShows(QStringLiteral(" Itemberechnung gestartet"),
                      [this] { click(startButton()); });
    run();
    expectNoBill("Stopp");

    run();
    ASSERT_TRUE(rechnung->isEnabled());
    TImportedit& editor = m_windows->importedit();
    QTimer::singleShot(0, &editor, [&] {
        QTest::mouseClick(editor.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    });
    click(editTool());
    expectNoBill("the editor's save");

    run();
    ASSERT_TRUE(rechnung->isEnabled());
    m_dialogs.nextFile = sample("Preisliste.txt");
    priceListImport()->trigger();
    EXPECT_GT(billList()->count(), 0) << "the bill stays in view";
    EXPECT_FALSE(breakdownButton()->isEnabled() || rechnung->isEnabled());
    click(refreshButton());
    EXPECT_EQ(m_dialogs.messages.constLast().text,
              QStringLiteral("Vor einer Neuberechnung bitte erst Import berechnen lassen!"));
}

// The clipboard's HTML is pasted into spreadsheets: a name from the price list never becomes a
// formula there.
TEST_F(BillWindowTest, ClipboardHtmlGuardsNamesLikeTheCsv)
{
    tarvek::BreakdownRow row;
    row.graphic = 100;
    row.key = "0x0064";
    row.items = 1;
    row.hasPriceLine = true;
    row.name = "=HYPERLINK(\"http://x\")";
    row.kind = "t";
    BillData data;
    data.state.breakdown.add(row);
    const BillDocument document(data);
    EXPECT_TRUE(document.tablesHtml().contains(QStringLiteral("<td>'=HYPERLINK(")));
    EXPECT_TRUE(document.html().contains(QStringLiteral("<td>=HYPERLINK(")));
}

TEST_F(BillWindowTest, PrintingFollowsThePrintDialog)
{
    tarvek::Calculation calc;
    const QString import = writeLongHouse();
    tarvek::calculate(calc, {.importFile = import.toStdString(),
                             .programDir = m_dir.path().toStdString() + '/',
                             .nested = tarvek::Answer::Yes});
    const BillDocument document(BillData::fromRun(import, calc.window, calc.state, {}, {".", ":"}));
    // As the dialog leaves the printer: A5, pages 2 to 3, two copies collated.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("Druck.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setCopyCount(2);
    ASSERT_TRUE(document.print(printer));
    const QString info = poppler(QStringLiteral("pdfinfo"), {printer.outputFileName()});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +4\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A5)"))) << info.toStdString();
    const QString text = pdfText(printer.outputFileName());
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("Seite [23] von"))), 4);
    EXPECT_FALSE(text.contains(QStringLiteral("Seite 1 von")));

    // Pages that the document does not have: nothing printed, an error.
    printer.setFromTo(90, 99);
    EXPECT_FALSE(document.print(printer));
}

// The save dialog adds ".pdf" to a name typed without it.
TEST_F(BillWindowTest, SaveDialogAddsTheSuffix)
{
    start();
    Dialogs::setHandler(nullptr);
    QTimer::singleShot(0, &window(), [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QStringLiteral("Rechnung"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = Dialogs::saveFileName(&window(), QStringLiteral("Rechnung speichern"),
                                                 m_dir.filePath(QStringLiteral("Haus.pdf")),
                                                 QStringLiteral("PDF-Dokumente (*.pdf)"));
    Dialogs::setHandler(&m_dialogs);
    EXPECT_EQ(chosen, m_dir.filePath(QStringLiteral("Rechnung.pdf")));
}

TEST_F(BillWindowTest, TheCommandsSayWhatTheyDidAndTheCopyFollowsTheTable)
{
    start();
    load(sample("Haus.cfg"));
    run();
    auto* status = control<QStatusBar>("StatusBar1");
    m_dialogs.nextSaveFile = m_dir.filePath(QStringLiteral("Rechnung.pdf"));
    menuAction("RechnungSpeichern1")->trigger();
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Rechnung gespeichert: ") +
                                            QDir::toNativeSeparators(m_dialogs.nextSaveFile));
    copyBill()->trigger();
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Die Rechnung ist in der Zwischenablage."));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        menuAction("RechnungDrucken1")->trigger();
        EXPECT_TRUE(m_dialogs.notices().constLast().startsWith(
            QStringLiteral("Es ist kein Drucker eingerichtet.")));
    }

    // The breakdown window copies its rows as it shows them: sorted, then filtered.
    click(breakdownButton());
    auto* breakdown = window().findChild<TKostenaufstellung*>(QStringLiteral("Kostenaufstellung"));
    ASSERT_NE(breakdown, nullptr);
    auto* copy = breakdown->findChild<QPushButton*>(QStringLiteral("RechnungKopieren"));
    const auto copiedBreakdown = [] {
        return QGuiApplication::clipboard()->text().section(QStringLiteral("Kostenaufstellung\n"),
                                                            1);
    };
    breakdown->table()->sortByColumn(8, Qt::DescendingOrder);
    click(copy);
    const QString sorted = copiedBreakdown();
    EXPECT_LT(sorted.indexOf(QStringLiteral("Hausmulti")), sorted.indexOf(QStringLiteral("Stein")));
    EXPECT_EQ(breakdown->statusLine()->currentMessage(),
              QStringLiteral("Die Rechnung ist in der Zwischenablage."));
    breakdown->filter()->setText(QStringLiteral("fackel"));
    click(copy);
    const QString filtered = copiedBreakdown();
    EXPECT_TRUE(filtered.contains(QStringLiteral("Fackeln")));
    EXPECT_FALSE(filtered.contains(QStringLiteral("Hausmulti")));
    EXPECT_TRUE(filtered.contains(
        QRegularExpression(QStringLiteral("Summe Items \\(gefiltert\\) +150 GS"))));
}
