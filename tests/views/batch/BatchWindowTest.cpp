// The window "Stapelprüfung" driven as a person would: choose, watch, stop, sort, filter, open,
// save and copy.
#include "calc/BatchCsv.h"
#include "calc/RunHelpers.h"
#include "support/FakeDialogs.h"
#include "support/MarkupName.h"
#include "views/batch/BatchModels.h"
#include "views/batch/TStapelpruefung.h"

#include <QAbstractProxyModel>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
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

    fs::path dir = fs::path(::testing::TempDir()) / "tarvek_batch_window";
    FakeDialogs dialogs;
    TStapelpruefung window{QString::fromStdString(dir.string() + "/"), {}};
    QStringList opened;
};

TEST_F(BatchWindowTest, AFolderGivesSortableFilterableRowsThatOpenSaveAndCopy)
{
    write("in/b.cfg", importFile({item("3701"), item("100", "101"), item("100", "102")}));
    write("in/a.cfg", importFile({item("100")}));
    write("in/c.cfg", "kein Import\r\n");
    runFolder();
    QTableView* table = window.table();
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(window.unpriced().entries().size(), 1U);
    EXPECT_EQ(window.unpriced().entries()[0].items, 3);

    // The column "Summe HZ", descending: b.cfg (120) first.
    table->horizontalHeader()->setSortIndicator(10, Qt::DescendingOrder);
    EXPECT_TRUE(table->model()->index(0, 0).data().toString().endsWith(u"b.cfg"));
    // The filter keeps what any column holds; a double-click opens the row's file.
    child<QLineEdit>("Filter")->setFocus();
    QTest::keyClicks(child<QLineEdit>("Filter"), QStringLiteral("keine Import"));
    ASSERT_EQ(table->model()->rowCount(), 1);
    const QRect cell = table->visualRect(table->model()->index(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(u"c.cfg"));
    EXPECT_TRUE(window.isVisible());

    dialogs.nextSaveFile = QString::fromStdString((dir / "stapel.csv").string());
    QTest::mouseClick(child("AlsCsvSpeichern"), Qt::LeftButton);
    // Proposed beside the files of the batch, not where the program runs.
    EXPECT_TRUE(dialogs.saveCalls.value(0).contains(QDir::cleanPath(folder()) +
                                                    QStringLiteral("/Stapelpruefung.csv|")))
        << dialogs.saveCalls.value(0).toStdString();
    std::ifstream csv(dir / "stapel.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(csv), {}),
              tarvek::batchCsv(window.rows().rows(), window.unpriced().entries()));
    dialogs.nextSaveFile = QString::fromStdString((dir / "stapel.pdf").string());
    QTest::mouseClick(child("AlsPdfSpeichern"), Qt::LeftButton);
    EXPECT_TRUE(fs::file_size(dir / "stapel.pdf") > 1000);
    QTest::mouseClick(child("Kopieren"), Qt::LeftButton);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(u"Nicht berechnete Graphics\n"
                                                              u"Grafik\tSchlüssel\tDateien\tItems\n"
                                                              u"100\t0x0064\t2\t3\n"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
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

TEST_F(BatchWindowTest, StoppEndsTheBatchAtOnceAndKeepsTheRowsDone)
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
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(finished.wait(5000));
    const std::size_t kept = window.rows().rows().size();
    EXPECT_GE(kept, 2U);
    EXPECT_LT(kept, 300U);
    for (const tarvek::BatchRow& row : window.rows().rows()) {
        EXPECT_EQ(row.outcome, tarvek::BatchOutcome::Complete);
    }
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(child("AlsCsvSpeichern")->isEnabled());
    // Escape closes the window.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
