// "Bereinigen ..." and "Vergleichen mit ..." driven through the main window as a person would:
// the run, the menu, the confirmation, the file dialog, the offer to run the copy, the comparison.
#include "support/WindowFixture.h"

#include "app/CleanCommand.h"
#include "app/CompareCommand.h"
#include "calc/Cleaning.h"
#include "support/engine/RunHelpers.h"
#include "views/clean/TBereinigen.h"
#include "views/compare/TVergleich.h"

#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTreeWidget>

namespace {

class CleanCompareTest : public WindowFixture
{
protected:
    QAction* cleanAction() const { return menuAction("Bereinigen1"); }
    // What the menu "Importdatei" does when a person opens it, before choosing from it.
    void openImportMenu() const { emit importMenu()->menu()->aboutToShow(); }
    QByteArray read(const QString& path) const
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // "Bereinigen ...": what the confirmation shows (rows, counts), answered with its button
    // "Bereinigte Kopie speichern ..." (BitBtn1) or "Abbrechen" (BitBtn2).
    struct Confirmation
    {
        int rows = -1;
        QString counts;
        bool saveEnabled = false;
    };
    Confirmation clean(const char* button)
    {
        Confirmation shown;
        TBereinigen* dialog = &window().cleanCommand().dialog();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != dialog) {
                return;
            }
            poll.stop();
            QPushButton* save = dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
            shown = {dialog->entries()->model()->rowCount(), dialog->counts()->text(),
                     save->isEnabled()};
            dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
        poll.start(10);
        openImportMenu();
        cleanAction()->trigger();
        return shown;
    }
};

} // namespace

TEST_F(CleanCompareTest, CleanTheSampleRunTheCopyAndCompareItWithTheOriginal)
{
    start();
    const QString original = writeFile(QStringLiteral("Haus.cfg"), read(sample("Haus.cfg")));
    load(original);
    openImportMenu();
    EXPECT_FALSE(cleanAction()->isEnabled()); // before a run
    run();
    openImportMenu();
    ASSERT_TRUE(cleanAction()->isEnabled());

    // The copy never takes the original's place.
    m_dialogs.nextSaveFile = original;
    clean("BitBtn1");
    ASSERT_EQ(m_dialogs.notices().size(), 1);
    EXPECT_TRUE(m_dialogs.notices()[0].startsWith(
        QStringLiteral("Die bereinigte Kopie darf die Importdatei nicht ersetzen.")));
    EXPECT_EQ(read(original), read(sample("Haus.cfg")));
    m_dialogs.saveCalls.clear();

    // The confirmation lists the barrel and the border; the copy goes beside the original.
    const QString copy = m_dir.filePath(QStringLiteral("Haus-bereinigt.cfg"));
    m_dialogs.nextSaveFile = copy;
    m_dialogs.answers = {true}; // load and run the copy
    const Confirmation shown = clean("BitBtn1");
    EXPECT_EQ(shown.rows, 2);
    EXPECT_EQ(shown.counts, QStringLiteral("darf nicht importiert werden: 1, Bauzonenrand: 1, "
                                           "ineinanderliegend: 0"));
    ASSERT_EQ(m_dialogs.saveCalls.size(), 1);
    EXPECT_TRUE(m_dialogs.saveCalls[0].contains(copy)) << m_dialogs.saveCalls[0].toStdString();
    EXPECT_EQ(read(original), read(sample("Haus.cfg")));

    // The copy is loaded and runs: nothing that may not be imported, no border.
    QTRY_VERIFY_WITH_TIMEOUT(!window().RunActive() && window().itemRecord().complete(), 20000);
    EXPECT_EQ(window().ImportFileName(), copy);
    EXPECT_EQ(movableList()->count(), 0);
    EXPECT_EQ(warningList()->count(), 0);

    // Only the extra nested item is left, and only when asked for: cancelled, nothing written.
    const Confirmation nested = clean("BitBtn2");
    EXPECT_EQ(nested.rows, 0);
    EXPECT_FALSE(nested.saveEnabled);
    EXPECT_EQ(m_dialogs.saveCalls.size(), 1);

    // The loaded copy is the new file, the original the old one.
    m_dialogs.nextFile = original;
    menuAction("Vergleichen1")->trigger();
    TVergleich& compared = window().compareCommand().window();
    ASSERT_TRUE(compared.isVisible());
    EXPECT_EQ(compared.removed()->topLevelItemCount(), 2);
    EXPECT_EQ(compared.added()->topLevelItemCount(), 0);
    compared.close();
}

TEST_F(CleanCompareTest, NothingToRemoveAndARunEndedAtTheNestedItemsWriteNothing)
{
    start();
    using tarvek::testing::item;
    load(writeFile(QStringLiteral("sauber.cfg"),
                   QByteArray::fromStdString(tarvek::testing::importFile({item("100")}))));
    run();
    cleanAction()->trigger();
    EXPECT_EQ(m_dialogs.notices(), QStringList{QString::fromUtf8(tarvek::kNothingToClean)});

    load(sample("Haus.cfg"));
    m_dialogs.answers = {false}; // "Nein" at the nested items
    run();
    m_dialogs.messages.clear();
    openImportMenu();
    ASSERT_TRUE(cleanAction()->isEnabled());
    cleanAction()->trigger();
    EXPECT_EQ(m_dialogs.notices(),
              QStringList{QString::fromUtf8(tarvek::kCleaningNeedsCompleteRun)});
    EXPECT_TRUE(m_dialogs.saveCalls.isEmpty());
}

// "Bereinigen" cuts only by findings that still stand: a new price list (which may call other
// items not importable) disables it until the next run; a file changed since the run is refused
// even where no line moved.
TEST_F(CleanCompareTest, CleaningWaitsForARunAfterANewPriceListOrAChangedFile)
{
    start();
    QByteArray house = read(sample("Haus.cfg"));
    load(writeFile(QStringLiteral("Haus.cfg"), house));
    run();
    m_dialogs.nextFile = sample("Preisliste.txt");
    priceListImport()->trigger();
    openImportMenu();
    EXPECT_FALSE(cleanAction()->isEnabled());
    run();
    openImportMenu();
    ASSERT_TRUE(cleanAction()->isEnabled());

    house[house.indexOf("\tcolor\t0\r\n") + 7] = '5';
    writeFile(QStringLiteral("Haus.cfg"), house);
    m_dialogs.messages.clear();
    cleanAction()->trigger();
    EXPECT_EQ(m_dialogs.notices(), QStringList{QString::fromUtf8(tarvek::kCleaningFileChanged)});
    EXPECT_TRUE(m_dialogs.saveCalls.isEmpty());
}
