// The window "Vergleich" on a comparison of the sample with a copy that a player changed: the
// figures, items and findings, the plan of the differences, the refusal, PDF and clipboard.
#include "support/FakeDialogs.h"
#include "support/LinuxTool.h"

#include "calc/Comparison.h"
#include "views/compare/ComparePlan.h"
#include "views/compare/TVergleich.h"
#include "views/iso/IsoView.h"
#include "views/plan/PlanPicture.h"
#include "views/plan/PlanView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

using tarvek::ItemCategory;

namespace {

const QString kSample = QStringLiteral(TARVEK_SOURCE_DIR "/examples/");

class VergleichTest : public GuiTest
{
protected:
    // The sample without its barrel, and with the table moved by one step.
    QString changedCopy()
    {
        QFile sample(kSample + QStringLiteral("Haus.cfg"));
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        QByteArray bytes = sample.readAll();
        const qsizetype barrel = bytes.indexOf("Entry I 0x4000101F");
        bytes.remove(barrel, bytes.indexOf("}\r\n", barrel) + 3 - barrel);
        const qsizetype chair = bytes.indexOf("\tgraphic\t2856\r\n\tx\t");
        EXPECT_GE(chair, 0);
        const qsizetype x = chair + qsizetype(strlen("\tgraphic\t2856\r\n\tx\t"));
        bytes[x + 3] = char(bytes[x + 3] + 1);
        const QString path = m_dir.filePath(QStringLiteral("Haus-neu.cfg"));
        QFile copy(path);
        EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(bytes);
        return path;
    }
    void compare(const QString& oldFile, const QString& newFile)
    {
        tarvek::CalculationRequest request;
        request.priceListFile = (kSample + QStringLiteral("Preisliste.txt")).toStdString();
        m_window.showComparison(
            oldFile, newFile,
            tarvek::compareFiles(oldFile.toStdString(), newFile.toStdString(), request));
    }
    QString cell(int row, int column) const
    {
        return m_window.figures()->item(row, column)->text();
    }
    int figureRow(const QString& label) const
    {
        for (int r = 0; r < m_window.figures()->rowCount(); ++r) {
            if (cell(r, 0) == label) {
                return r;
            }
        }
        return -1;
    }

    QTemporaryDir m_dir;
    FakeDialogs m_dialogs;
    TVergleich m_window;
};

} // namespace

TEST_F(VergleichTest, ShowsFiguresItemsFindingsAndThePlanOfTheDifferences)
{
    compare(kSample + QStringLiteral("Haus.cfg"), changedCopy());
    ASSERT_TRUE(m_window.isVisible());
    // The overview opens at its top.
    EXPECT_EQ(m_window.figures()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(m_window.figures()->currentRow(), 0);
    EXPECT_EQ(m_window.tabs()->count(), 5);
    const int total = figureRow(QStringLiteral("Gesamtsumme"));
    ASSERT_GE(total, 0);
    EXPECT_EQ(cell(total, 1), QStringLiteral("38.840 GS"));
    EXPECT_EQ(cell(total, 3), QStringLiteral("-90 GS"));
    EXPECT_EQ(cell(figureRow(QStringLiteral("Anzahl Items")), 3), QStringLiteral("-1"));
    // A limit row says that it weighs each limit on its own, not the run's verdict.
    EXPECT_GE(figureRow(QStringLiteral("QS über dem Maximum für Paare (450) (Grenze für sich)")),
              0);

    // The barrel went; the table shows as removed at its old place and added at its new.
    QTreeWidget* added = m_window.added();
    QTreeWidget* removed = m_window.removed();
    ASSERT_EQ(added->topLevelItemCount(), 1);
    ASSERT_EQ(removed->topLevelItemCount(), 2);
    EXPECT_EQ(removed->topLevelItem(1)->text(0), QStringLiteral("3703"));
    EXPECT_EQ(removed->topLevelItem(1)->text(1), QStringLiteral("X:1436, Y:1614, Z:0"));
    const QString tableAt = added->topLevelItem(0)->text(1);
    QSignalSpy opened(&m_window, &TVergleich::itemOpened);
    m_window.tabs()->setCurrentIndex(1);
    added->setFocus();
    QTest::keyClick(added, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0][0].toString().startsWith(QStringLiteral("D:2856, H:0x0b28, Pos. X:")))
        << opened[0][0].toString().toStdString();
    EXPECT_TRUE(opened[0][1].toBool());
    // A removed item opens from the old file, without "Hingehen".
    removed->setFocus();
    removed->setCurrentItem(removed->topLevelItem(1));
    QTest::keyClick(removed, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1][0].toString(),
              QStringLiteral("D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0"));
    EXPECT_FALSE(opened[1][1].toBool());

    QTreeWidgetItem* movable = m_window.findings()->topLevelItem(1);
    ASSERT_EQ(movable->childCount(), 1);
    EXPECT_EQ(movable->child(0)->text(0),
              QStringLiteral("behoben: D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0"));

    // The plan colours the barrel's square as removed, zoomed to what changed; the new building
    // alone has no barrel. Each mode has its legend; the plan takes the keys at once.
    tarvek::plan::PlanView* plan = m_window.planView();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
    ASSERT_EQ(m_window.tabs()->currentIndex(), 3);
    QTest::qWait(0);
    EXPECT_TRUE(plan->hasFocus());
    const tarvek::plan::Tile* barrel = plan->tileAt(plan->tileRect(1436, 1614).center());
    ASSERT_NE(barrel, nullptr);
    EXPECT_EQ(tarvek::compare::differenceLabel(barrel->category), QStringLiteral("entfernt"));
    const auto* legend = m_window.findChild<QLabel*>(QStringLiteral("Legende1"));
    EXPECT_TRUE(legend->text().contains(u"entfernt"));
    const double zoomed = plan->scale();
    QTest::keyClick(plan, Qt::Key_Plus);
    EXPECT_GT(plan->scale(), zoomed);
    QTest::keyClick(plan, Qt::Key_Home);
    EXPECT_LE(plan->scale(), zoomed) << "the whole plan is no larger than what changed";
    m_window.planMode()->setCurrentIndex(1);
    EXPECT_FALSE(legend->text().contains(u"entfernt"));
    EXPECT_TRUE(legend->text().contains(
        tarvek::plan::categoryLabel(ItemCategory::NotImportable).toHtmlEscaped()));
    m_window.planMode()->setCurrentIndex(2);
    const tarvek::plan::Tile* none = plan->tileAt(plan->tileRect(1436, 1614).center());
    EXPECT_TRUE(none == nullptr || none->x != 1436 || none->y != 1614);
    EXPECT_FALSE(tableAt.isEmpty());
}

// Without a client folder the differences are diamonds; the barrel that went is an outline alone
// and opens from the old file, without "Hingehen".
TEST_F(VergleichTest, TheGameViewDrawsTheDifferencesWhenItsPageIsShown)
{
    compare(kSample + QStringLiteral("Haus.cfg"), changedCopy());
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    EXPECT_TRUE(m_window.gameScene().items().empty()) << "drawn only when shown";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(m_window.tabs()->currentWidget()->findChild<tarvek::iso::IsoView*>(),
              m_window.gameView());
    EXPECT_TRUE(m_window.gameView()->hasFocus());
    EXPECT_TRUE(m_window.gameProblem()->text().startsWith(
        QStringLiteral("Kein Client-Ordner mit Item-Grafiken gefunden")));
    const auto& items = m_window.gameScene().items();
    const auto barrel = std::find_if(items.begin(), items.end(), [this](const auto& item) {
        return m_window.gameRecord().items()[item.item].graphic == 3703;
    });
    ASSERT_NE(barrel, items.end());
    EXPECT_EQ(barrel->finding, tarvek::compare::kRemovedCategory);
    QSignalSpy opened(&m_window, &TVergleich::itemOpened);
    m_window.gameView()->fit();
    QTest::mouseClick(m_window.gameView(), Qt::LeftButton, {},
                      m_window.gameView()->toWidget(barrel->rect.center()));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(),
              QStringLiteral("D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0"));
    EXPECT_FALSE(opened[0][1].toBool());
}

TEST_F(VergleichTest, SavesAPdfCopiesTextAndHtmlAndIdenticalFilesShowNoChange)
{
    const QString sample = kSample + QStringLiteral("Haus.cfg");
    compare(sample, sample);
    EXPECT_EQ(m_window.added()->topLevelItemCount(), 0);
    EXPECT_EQ(m_window.removed()->topLevelItemCount(), 0);
    m_window.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied->text().contains(QStringLiteral("Ergebnis: gleich")));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<h3>Entfernte Items (0)</h3>")));
    EXPECT_EQ(m_window.statusLine()->currentMessage(),
              QStringLiteral("Der Vergleich ist in der Zwischenablage."));

    m_dialogs.nextSaveFile = m_dir.filePath(QStringLiteral("Vergleich.pdf"));
    QTest::mouseClick(m_window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    ASSERT_EQ(m_dialogs.saveCalls.size(), 1);
    EXPECT_TRUE(m_dialogs.saveCalls[0].contains(QStringLiteral("Haus-Vergleich.pdf")));
    QFile pdf(m_dialogs.nextSaveFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    // Dated, both files named, the plan last; no page holds a lone line.
    const QStringList pages =
        linuxToolOutput(QStringLiteral("pdftotext"), {m_dialogs.nextSaveFile, QStringLiteral("-")})
            .split(u'\f', Qt::SkipEmptyParts);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d\\d"))));
    EXPECT_TRUE(pages[0].contains(u"Haus.cfg"));
    EXPECT_TRUE(pages.last().contains(u"Grundriss der Unterschiede"));
    for (const QString& page : pages) {
        QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
        lines.removeIf([](const QString& line) {
            return line.trimmed().isEmpty() || line.trimmed().startsWith(u"Seite ");
        });
        const bool plan = page.contains(u"Grundriss der Unterschiede");
        EXPECT_GE(lines.size(), plan ? 1 : 2) << page.toStdString();
    }
    EXPECT_TRUE(m_window.statusLine()->currentMessage().startsWith(
        QStringLiteral("Der Vergleich ist gespeichert: ")));

    QTest::keyClick(&m_window, Qt::Key_Escape);
    EXPECT_FALSE(m_window.isVisible());
}

TEST_F(VergleichTest, NamesEachFileThatCannotBeCompared)
{
    const QString price = kSample + QStringLiteral("Preisliste.txt");
    compare(price, m_dir.filePath(QStringLiteral("fehlt.cfg")));
    const QStringList lines = m_window.refusal()->text().split(u'\n');
    EXPECT_TRUE(m_window.refusal()->isVisible());
    ASSERT_EQ(lines.size(), 2) << m_window.refusal()->text().toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Alte Datei: Die Datei ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("ist keine gültige Importdatei.")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Neue Datei: ")));
    EXPECT_FALSE(m_window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->isEnabled());
}
