// The window "Stapelprüfung" driven as a person would: choose, watch, stop, sort, filter, open,
// save and copy; its PDF read back as a reader of it would.
#include "calc/BatchCsv.h"
#include "support/FakeDialogs.h"
#include "support/LinuxTool.h"
#include "support/MarkupName.h"
#include "support/engine/RunHelpers.h"
#include "views/batch/BatchDocument.h"
#include "views/batch/BatchModels.h"
#include "views/batch/TStapelpruefung.h"

#include <QAbstractProxyModel>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <filesystem>
#include <fstream>

using namespace tarvek::testing;
namespace fs = std::filesystem;

namespace {

class BatchWindowTest : public GuiTest
{
protected:
    BatchWindowTest()
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "in");
        write("Preisliste.txt", lines({"0x0e75|Tisch|120|t|1|0|0|0"}));
        window.setOpenFile([this](const QString& file) { opened.append(file); });
        window.setBatchFolder({}, [this](const QString& folder) { remembered = folder; });
        window.show();
    }
    ~BatchWindowTest() override { fs::remove_all(dir); }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    QString folder() const { return QString::fromStdString((dir / "in").string()); }
    template <typename T = QPushButton> T* child(const char* name) const
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    // Chooses the folder through its button and waits for the batch to end.
    void runFolder()
    {
        dialogs.nextFolder = folder();
        QSignalSpy finished(&window, &TStapelpruefung::batchFinished);
        QTest::mouseClick(child("OrdnerWaehlen"), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
    }
    // A column of the table as it shows it, top to bottom.
    QStringList column(int at) const
    {
        QStringList texts;
        const QAbstractItemModel& model = *window.table()->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            texts.append(model.index(row, at).data().toString());
        }
        return texts;
    }

    fs::path dir = fs::path(::testing::TempDir()) / "tarvek_batch_window";
    FakeDialogs dialogs;
    TStapelpruefung window{QString::fromStdString(dir.string() + "/"), {}};
    QStringList opened;
    QString remembered;
};

TEST_F(BatchWindowTest, RowsComeByNameSortFilterAndGoOutAsShown)
{
    write("in/b.cfg", importFile({item("3701"), item("100", "101"), item("100", "102")}));
    write("in/a.cfg", importFile({item("100")}));
    write("in/c.cfg", "kein Import\r\n");
    write("in/d.cfg", "");
    std::string binary(4096, '\0');
    for (std::size_t i = 1; i < binary.size(); ++i) {
        binary[i] = static_cast<char>(i % 251 == 0 ? 0 : 1 + i % 200);
    }
    write("in/e.cfg", binary);
    // A filter left from before and the fee ticked when the batch starts.
    QTest::keyClicks(child<QLineEdit>("Filter"), QStringLiteral("zzz"));
    child<QCheckBox>("Wasserbau")->setChecked(true);
    runFolder();
    EXPECT_EQ(remembered, QDir::cleanPath(folder()));
    EXPECT_TRUE(child<QLineEdit>("Filter")->text().isEmpty());
    const QStringList files = column(0);
    ASSERT_EQ(files.size(), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_TRUE(files[row].endsWith(QString(QChar(u'a' + row)) + QStringLiteral(".cfg")))
            << files[row].toStdString();
    }
    // A file that is no import file has no numbers, and says why.
    EXPECT_EQ(column(1), (QStringList{"1", "3", "", "", ""}));
    EXPECT_EQ(column(12).mid(2), (QStringList{"", "", ""}));
    EXPECT_FALSE(column(12)[0].isEmpty());
    const QStringList reasons = column(14);
    EXPECT_TRUE(reasons[2].contains(u"Entry Header")) << reasons[2].toStdString();
    EXPECT_TRUE(reasons[3].contains(u"leer"));
    EXPECT_TRUE(reasons[4].contains(u"Binärdaten"));
    QTextDocument reasonTip; // tool tips are rich text: the reason stands escaped in it
    reasonTip.setHtml(window.table()->model()->index(2, 14).data(Qt::ToolTipRole).toString());
    EXPECT_EQ(reasonTip.toPlainText(), reasons[2]);
    // The file column is wide enough for the whole name after the run.
    EXPECT_GE(window.table()->columnWidth(0),
              window.table()->fontMetrics().horizontalAdvance(files[0]));

    // The filter says how many rows it leaves; the documents take those, in the table's order.
    QTest::keyClicks(child<QLineEdit>("Filter"), QStringLiteral("keine Import"));
    EXPECT_EQ(child<QLabel>("FilterZeilen")->text(), QStringLiteral("3 von 5 Zeilen"));
    window.table()->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    dialogs.nextSaveFile = QString::fromStdString((dir / "stapel.csv").string());
    QTest::mouseClick(child("AlsCsvSpeichern"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.saveCalls.value(0).contains(QDir::cleanPath(folder()) +
                                                    QStringLiteral("/Stapelpruefung.csv|")))
        << dialogs.saveCalls.value(0).toStdString();
    std::ifstream csv(dir / "stapel.csv", std::ios::binary);
    const std::string saved(std::istreambuf_iterator<char>(csv), {});
    EXPECT_LT(saved.find("e.cfg"), saved.find("c.cfg"));
    EXPECT_EQ(saved.find("a.cfg"), std::string::npos);
    EXPECT_NE(saved.find("\r\nNicht berechnete Grafiken\r\n"), std::string::npos);

    // The documents name the fee the batch ran with, not the one ticked now.
    child<QCheckBox>("Wasserbau")->setChecked(false);
    child<QLineEdit>("Filter")->clear();
    EXPECT_TRUE(child<QLabel>("FilterZeilen")->text().isEmpty());
    window.table()->horizontalHeader()->setSortIndicator(10, Qt::DescendingOrder);
    QTest::mouseClick(child("Kopieren"), Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(
        copied.startsWith(u"Ineinanderliegende Items: weiterrechnen; Gebühren: Wasserbau\n"))
        << copied.toStdString();
    EXPECT_TRUE(
        copied.contains(QRegularExpression(QStringLiteral("\nDatei\t[^\n]*\n[^\n]*b\\.cfg\t"))));
    EXPECT_TRUE(copied.contains(u"Nicht berechnete Grafiken\nGrafik\tSchlüssel\tDateien\tItems\n"
                                u"100\t0x0064\t2\t3\n"));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->html().contains(u"Wasserbau"));

    // The choosers start where this batch was.
    dialogs.nextFolder.clear();
    QTest::mouseClick(child("OrdnerWaehlen"), Qt::LeftButton);
    EXPECT_EQ(dialogs.folderStarts.value(1), QDir::cleanPath(folder()));
    QTest::mouseClick(child("DateienWaehlen"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.openCalls.value(0).contains(u'|' + QDir::cleanPath(folder()) + u'|'));

    // A double-click hands the row's file over; the window stays.
    window.table()->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    const QRect cell = window.table()->visualRect(window.table()->model()->index(2, 0));
    QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(window.table()->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(u"c.cfg"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.notices().isEmpty()) << dialogs.notices().join(u'\n').toStdString();
}

// A file whose name is markup and holds a direction mark: its cell, its tool tip and the saved
// table show the name as it stands.
TEST_F(BatchWindowTest, AFileNamesMarkupAndDirectionMarkShowAsTheyStand)
{
    QFile file(folder() + u'/' + markupFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(importFile({item("3701")})));
    file.close();
    runFolder();
    const QModelIndex cell = window.table()->model()->index(0, 0);
    const QString shown = cell.data().toString();
    EXPECT_TRUE(shown.endsWith(shownMarkupFileName())) << shown.toStdString();
    QTextDocument tip;
    tip.setHtml(cell.data(Qt::ToolTipRole).toString());
    EXPECT_EQ(tip.toPlainText(), shown);

    dialogs.nextSaveFile = QString::fromStdString((dir / "stapel.csv").string());
    QTest::mouseClick(child("AlsCsvSpeichern"), Qt::LeftButton);
    std::ifstream saved(dir / "stapel.csv", std::ios::binary);
    const std::string csv(std::istreambuf_iterator<char>(saved), {});
    EXPECT_NE(csv.find(shownMarkupFileName().toStdString()), std::string::npos) << csv;
    EXPECT_EQ(csv.find("\xE2\x80\xAE"), std::string::npos);
}

TEST_F(BatchWindowTest, ClosingDuringARunAsksAndStoppSaysSo)
{
    std::vector<Item> items;
    for (int i = 0; i < 4000; ++i) {
        items.push_back(item(std::to_string(3000 + i % 50), std::to_string(i % 70)));
    }
    const std::string big = importFile(items);
    for (int f = 0; f < 300; ++f) {
        write("in/h" + std::to_string(f) + ".cfg", big);
    }
    dialogs.nextFolder = folder();
    QSignalSpy finished(&window, &TStapelpruefung::batchFinished);
    QTest::mouseClick(child("OrdnerWaehlen"), Qt::LeftButton);
    QPushButton* stop = child("Stopp");
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_FALSE(child("AlsCsvSpeichern")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window.rows().rows().size() >= 2, 20000);
    // Escape asks; "Weiterrechnen" keeps the window and the batch.
    dialogs.answers.push_back(false);
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Question);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.running());

    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(finished.wait(5000));
    const std::size_t kept = window.rows().rows().size();
    EXPECT_GE(kept, 2U);
    EXPECT_LT(kept, 300U);
    for (const tarvek::BatchRow& row : window.rows().rows()) {
        EXPECT_EQ(row.outcome, tarvek::BatchOutcome::Complete);
    }
    EXPECT_EQ(child<QLabel>("AktuelleDatei")->text(),
              QStringLiteral("%1 von 300 Dateien berechnet, gestoppt").arg(kept));
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(child("AlsCsvSpeichern")->isEnabled());
    // Without a batch, Escape closes the window at once.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(BatchWindowTest, TheSmallestWindowShowsEveryControlWhole)
{
    window.resize(window.minimumSize());
    QTest::qWait(10);
    EXPECT_LE(window.minimumSize().width(), 700);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        const bool whole =
            !name.isEmpty() && !name.startsWith(u'_') && !name.startsWith(u"qt_") &&
            (qobject_cast<QAbstractButton*>(control) != nullptr ||
             qobject_cast<QComboBox*>(control) != nullptr || name.endsWith(u"Label"));
        if (whole && control->isVisible()) {
            EXPECT_GE(control->width(), control->sizeHint().width())
                << control->objectName().toStdString();
        }
    }
}

// A long batch on paper: landscape pages, the header on each, no row split over two, paths
// shortened in the middle, numbers whole.
TEST(BatchDocumentTest, APdfOfManyRowsReadsLikeATable)
{
    testApp();
    std::vector<tarvek::BatchRow> rows;
    for (int i = 0; i < 70; ++i) {
        tarvek::BatchRow row;
        row.file = "/home/pruefer/Einreichungen_Dezember/Gilde der Baumeister/Ordner " +
                   std::to_string(i) + "/haus_" + std::to_string(i) + ".cfg";
        row.outcome = i % 7 == 3 ? tarvek::BatchOutcome::Aborted : tarvek::BatchOutcome::Complete;
        if (i % 7 == 3) {
            row.reason = "Die Zeile 12345 der Datei hat einen Wert, den die Berechnung nicht "
                         "lesen kann, und noch einige Worte mehr ENDE" +
                         std::to_string(i);
        }
        row.items = 300000;
        row.total = 1234567890;
        rows.push_back(row);
    }
    const QTemporaryDir temp;
    const QString pdf = temp.filePath(QStringLiteral("stapel.pdf"));
    batchDocument(rows, {{100, "0x0064", 2, 3}}, QStringLiteral("Gebühren: keine"))
        .writePdf(pdf, QStringLiteral("Stapelprüfung"));
    const QString info = linuxToolOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page size: +84[12][.0-9]* x 595"))))
        << info.toStdString();
    const QStringList pages = linuxToolOutput(QStringLiteral("pdftotext"),
                                              {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                  .split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    int numbers = 0;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        const QString& text = pages[page];
        if (text.contains(u"haus_")) {
            EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Datei +Items"))))
                << "page " << page + 1;
        }
        numbers += static_cast<int>(text.count(QRegularExpression(QStringLiteral("\\b300000\\b"))));
        for (int i = 3; i < 70; i += 7) {
            const QString file = QStringLiteral("haus_%1.cfg").arg(i);
            EXPECT_EQ(text.contains(file),
                      text.contains(QRegularExpression(QStringLiteral("ENDE%1\\b").arg(i))))
                << i;
        }
    }
    // Every complete row's item count, unbroken; no failed row shows one.
    EXPECT_EQ(numbers, 60);
    const QString all = pages.join(u'\n');
    EXPECT_TRUE(all.contains(u'…'));
    EXPECT_FALSE(all.contains(u"Einreichungen_Dezember/Gilde der Baumeister/Ordner 5/haus_5"));
    EXPECT_TRUE(all.contains(u"haus_69.cfg"));
    EXPECT_TRUE(all.contains(u"1234567890"));
    EXPECT_TRUE(all.contains(u"Nicht berechnete Grafiken"));
}

} // namespace
