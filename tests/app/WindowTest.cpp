#include "support/WindowFixture.h"

#include "app/TInfo.h"
#include "app/TPfadangaben.h"
#include "base/Version.h"
#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"
#include "editor/TImportedit.h"
#include "views/ItemViewDialog.h"

#include "widgets/TBDigit.h"
#include "widgets/TBLED.h"
#include "widgets/TBProgress.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

namespace {

const QString FileGone = QStringLiteral("Die Importdatei ist nicht mehr vorhanden (eventuell im "
                                        "laufenden Tarvek umbenannt)! Datei bitte neu laden.");

QString withoutTime(QString text)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d.\\d\\d.\\d\\d "));
    return text.replace(time, QStringLiteral(" "));
}

class WindowTest : public WindowFixture
{
protected:
    // Every control that the run look disables is enabled again, and the window is idle.
    void expectIdle() const
    {
        EXPECT_FALSE(window().RunActive());
        EXPECT_FALSE(window().CancelRequested());
        EXPECT_TRUE(window().CloseAllowed());
        EXPECT_EQ(startButton()->text(), QStringLiteral("Berechnung starten"));
        EXPECT_EQ(startButton()->palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 loadButton(), showNestedButton(), showNotCalculatedButton(), refreshButton(),
                 showMovableButton(), pathsTool(), editTool(), quitTool()}) {
            EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
        }
        for (QAction* menu :
             {optionsMenu(), importMenu(), menuAction("Info1"), menuAction("Beenden1")}) {
            EXPECT_TRUE(menu->isEnabled()) << menu->objectName().toStdString();
        }
    }
    // What Resetten leaves: grey lamps, zero displays, empty lists.
    void expectReset() const
    {
        for (int n : {1, 2, 3, 4, 5, 6, 7, 9}) {
            EXPECT_EQ(lamp(n)->FarbeAn(), QColor(0x80, 0x80, 0x80));
        }
        EXPECT_EQ(progressBar()->Wert(), 0);
        for (int n = 1; n <= 5; ++n) {
            EXPECT_EQ(display(n)->Wert(), 0);
        }
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(window().listBox(n)->count(), 0) << n;
        }
    }
    // The same file run by the engine alone, as the command-line calculator runs it.
    tarvek::RecordingObserver engineRun(const QString& file, tarvek::FeeChoice fees = {}) const
    {
        tarvek::RecordingObserver recorder;
        recorder.setFeeChoice(fees);
        tarvek::RunState state;
        tarvek::RunSettings settings;
        settings.importFileName = file.toStdString();
        settings.programDir = (m_dir.path() + u'/').toStdString();
        settings.separators = tarvek::systemLocaleSeparators();
        tarvek::CalculationRun(std::move(settings), state, recorder).execute();
        return recorder;
    }
    void expectListsAsEngine(const tarvek::RecordingObserver& recorder) const
    {
        for (int n = 1; n <= 6; ++n) {
            const auto& expected = recorder.list(tarvek::ResultList(n)).entries;
            TResultList* list = window().listBox(n);
            ASSERT_EQ(list->count(), int(expected.size())) << "ListBox" << n;
            for (int i = 0; i < list->count(); ++i) {
                EXPECT_EQ(withoutTime(list->entryText(i)),
                          withoutTime(QString::fromUtf8(expected[std::size_t(i)].text)))
                    << "ListBox" << n << " line " << i;
                EXPECT_EQ(list->entryColour(i), expected[std::size_t(i)].colour);
            }
            EXPECT_EQ(list->currentRow(), recorder.list(tarvek::ResultList(n)).selected);
        }
    }
};

TEST_F(WindowTest, StartsWithItsFixedLookAndSize)
{
    start();
    EXPECT_EQ(window().centralWidget()->size(), QSize(688, 635));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Tarvek " TARVEK_VERSION " Tarvekrechner"));
    EXPECT_EQ(startButton()->geometry(), QRect(198, 580, 136, 25));
    EXPECT_EQ(billList()->geometry(), QRect(398, 444, 284, 166));
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(importMenu()->isEnabled());
    EXPECT_FALSE(editTool()->isEnabled());
    EXPECT_EQ(editTool()->toolTip(), QStringLiteral("Importdatei editieren"));
    EXPECT_EQ(window().statusText(), QStringLiteral("Geladenes Importfile:"));
    EXPECT_TRUE(window().CloseAllowed());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

TEST_F(WindowTest, StartUpReadsBothOptionsAndRunsTheCheckOnlyWhenActive)
{
    int checks = 0;
    writeFile(QStringLiteral("Optionen.txt"), "Importpfad| /srv/Import/ \r\nDownload|false\r\n");
    m_windows = new TarvekWindows(m_dir.path() + u'/');
    window().setHooks({.pruefedownload = [&] { ++checks; }});
    showAndStart();
    EXPECT_EQ(m_windows->pfadangaben().importFolder(), QStringLiteral(" /srv/Import/ "));
    EXPECT_FALSE(downloadActive()->isChecked());
    EXPECT_EQ(checks, 0);
    delete m_windows;

    writeFile(QStringLiteral("Optionen.txt"), "Download|False\r\n");
    m_windows = new TarvekWindows(m_dir.path() + u'/');
    window().setHooks({.pruefedownload = [&] {
        EXPECT_FALSE(window().CloseAllowed()); // not before the check is done
        ++checks;
    }});
    showAndStart();
    EXPECT_TRUE(downloadActive()->isChecked());
    EXPECT_EQ(checks, 1);

    downloadActive()->trigger();
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Download")),
              QStringLiteral("false"));

    // A switch that cannot be stored is reported, and the check mark goes back to the file's.
    const QString options = m_dir.filePath(QStringLiteral("Optionen.txt"));
    ASSERT_TRUE(QFile::remove(options) && QDir().mkdir(options));
    m_dialogs.messages.clear();
    downloadActive()->trigger();
    EXPECT_FALSE(downloadActive()->isChecked());
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("Optionen.txt")));
}

TEST_F(WindowTest, UnreadableOptionsAreReportedAndTheWindowStillCloses)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Optionen.txt"));
    start();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("kann nicht geöffnet werden")));
    EXPECT_TRUE(window().close());
}

TEST_F(WindowTest, LoadingTestsTheHeaderAndSwitchesTheControls)
{
    writeFile(QStringLiteral("Optionen.txt"), "Importpfad|/srv/Import/\r\n");
    start();
    const QString valid = sample("Haus.cfg");
    load(valid);
    EXPECT_EQ(m_dialogs.openCalls.value(0),
              QStringLiteral("Importfile laden|/srv/Import/|SCP Dateien (*.cfg)"));
    // Paths are shown in the system's own form.
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Geladenes Importfile: ") + QDir::toNativeSeparators(valid));
    EXPECT_EQ(window().ImportFileName(), valid);
    EXPECT_EQ(m_windows->importedit().EditFileName(), valid);
    EXPECT_TRUE(startButton()->isEnabled());
    EXPECT_TRUE(importMenu()->isEnabled());
    EXPECT_TRUE(editTool()->isEnabled());

    const QString invalid = writeFile(QStringLiteral("kaputt.cfg"), "entry header\r\n{\r\n");
    load(invalid);
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Geladenes Importfile: ") + QDir::toNativeSeparators(invalid));
    EXPECT_EQ(window().ImportFileName(), valid);
    EXPECT_EQ(m_windows->importedit().EditFileName(), invalid);
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(importMenu()->isEnabled());
    EXPECT_FALSE(editTool()->isEnabled());

    m_dialogs.nextFile.clear(); // cancelled: nothing changes
    click(loadButton());
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Geladenes Importfile: ") + QDir::toNativeSeparators(invalid));

    load(m_dir.filePath(QStringLiteral("fehlt.cfg")));
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(QStringLiteral("Datei ")));
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("kann nicht geöffnet werden")));
    EXPECT_TRUE(m_dialogs.messages[0].text.endsWith(u'.'));
}

TEST_F(WindowTest, ARunShowsWhatTheEngineReportsForTheSameFile)
{
    start();
    const QString file = sample("Haus.cfg");
    load(file);
    run();
    expectIdle();
    EXPECT_TRUE(window().runState().billReady);
    const tarvek::RecordingObserver recorder = engineRun(file);
    expectListsAsEngine(recorder);
    ASSERT_GT(billList()->count(), 5);
    EXPECT_EQ(totalDisplay()->Wert(), recorder.display(tarvek::NumberDisplay::GrandTotal));
    EXPECT_EQ(itemCountDisplay()->Wert(), recorder.display(tarvek::NumberDisplay::ItemCount));
    EXPECT_EQ(lamp(4)->FarbeAn(), QColor(0, 0xFF, 0));

    run(); // a second run empties the window first and shows the same again
    expectListsAsEngine(recorder);
}

TEST_F(WindowTest, StopEndsTheRunInEveryPhaseAndEmptiesTheWindow)
{
    start();
    load(sample("Haus.cfg"));
    for (const QString& phase :
         {QStringLiteral("Berechnung Itemanzahl gestartet"), QStringLiteral("Kleinster Y-Wert"),
          QStringLiteral("Prüfung auf bewegliche Items gestartet"),
          QStringLiteral("Itemberechnung gestartet")}) {
        whenProtocolShows(phase, [this] {
            EXPECT_EQ(startButton()->text(), QStringLiteral("Stopp"));
            EXPECT_FALSE(loadButton()->isEnabled());
            EXPECT_FALSE(window().close()); // closing is refused while running
            click(startButton());
        });
        run();
        SCOPED_TRACE(phase.toStdString());
        expectIdle();
        expectReset();
        EXPECT_TRUE(window().isVisible());
        EXPECT_TRUE(m_dialogs.notices().isEmpty());
    }
    EXPECT_TRUE(window().close());
}

// One table says what a run locks: all of it is locked while the run works and unlocked at its
// end, while "Stopp" and the fee boxes stay usable.
TEST_F(WindowTest, ARunLocksAndUnlocksTheSameControls)
{
    start();
    load(sample("Haus.cfg"));
    const std::vector<QObject*> locked = window().ui().runLocked();
    ASSERT_FALSE(locked.empty());
    const auto enabled = [](const QObject* control) {
        return control->property("enabled").toBool();
    };
    bool inside = false;
    whenProtocolShows(QStringLiteral("Kleinster Y-Wert"), [&] {
        inside = true;
        for (const QObject* control : locked) {
            EXPECT_FALSE(enabled(control)) << control->objectName().toStdString();
        }
        for (const QObject* control :
             {static_cast<QObject*>(startButton()), static_cast<QObject*>(basementBox()),
              static_cast<QObject*>(waterBox())}) {
            EXPECT_TRUE(enabled(control)) << control->objectName().toStdString();
        }
        EXPECT_FALSE(breakdownButton()->isEnabled());
    });
    run();
    EXPECT_TRUE(inside);
    for (const QObject* control : locked) {
        EXPECT_TRUE(enabled(control)) << control->objectName().toStdString();
    }
    EXPECT_TRUE(breakdownButton()->isEnabled());
}

TEST_F(WindowTest, ADeletedImportFileIsReportedByStartAndEdit)
{
    start();
    const QString file = writeFile(QStringLiteral("weg.cfg"), "Entry Header\r\n{\r\n}\r\n");
    load(file);
    QFile::remove(file);
    click(startButton());
    EXPECT_FALSE(window().RunActive());
    EXPECT_EQ(m_dialogs.texts(), QStringList{FileGone});
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Hinweis"));
    EXPECT_EQ(startButton()->text(), QStringLiteral("Berechnung starten"));
    EXPECT_TRUE(startButton()->isEnabled());

    menuAction("Ansehen1")->trigger();
    EXPECT_EQ(m_dialogs.texts(), (QStringList{FileGone, FileGone}));
}

TEST_F(WindowTest, RefreshAndTheFeeBoxesRecomputeTheBill)
{
    start();
    const QString hint =
        QStringLiteral("Vor einer Neuberechnung bitte erst Import berechnen lassen!");
    click(refreshButton());
    EXPECT_EQ(m_dialogs.texts(), QStringList{hint});
    waterBox()->click(); // "Wasserbau" before any run
    EXPECT_EQ(m_dialogs.texts(), (QStringList{hint, hint}));
    EXPECT_TRUE(waterBox()->isChecked());

    const QString file = sample("Haus.cfg");
    load(file); // unticks the box: one more hint
    EXPECT_EQ(m_dialogs.messages.size(), 3);
    EXPECT_FALSE(waterBox()->isChecked());
    run();

    waterBox()->click();
    basementBox()->click();
    // The bill as the engine computes it with both boxes ticked.
    const auto bill = engineRun(file, {true, true}).list(tarvek::ResultList::Bill).entries;
    ASSERT_EQ(billList()->count(), 8);
    ASSERT_EQ(bill.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(billList()->entryText(i), QString::fromUtf8(bill[std::size_t(i)].text));
    }
    EXPECT_TRUE(billList()->entryText(0).startsWith(QStringLiteral("Wasserbaupauschale")));
    EXPECT_EQ(window().runState().waterFlatFee, 10000);

    const int protocolLines = protocolList()->count();
    click(refreshButton());
    click(refreshButton());
    EXPECT_EQ(protocolList()->count(), protocolLines + 4);
    EXPECT_TRUE(withoutTime(protocolList()->entryText(protocolLines))
                    .endsWith(QStringLiteral(" Neuberechnung gestartet")));
    EXPECT_EQ(billList()->count(), 8);
    EXPECT_EQ(m_dialogs.notices().size(), 3);
}

TEST_F(WindowTest, TheTotalDisplayShowsItsErrorLookForTooManyDigits)
{
    start();
    auto* total = totalDisplay();
    window().runView().setDisplay(tarvek::NumberDisplay::GrandTotal, 999999999);
    EXPECT_FALSE(total->Error());
    EXPECT_EQ(total->Wert(), 999999999);
    window().runView().setDisplay(tarvek::NumberDisplay::GrandTotal, 1000000000);
    EXPECT_TRUE(total->Error());
    EXPECT_EQ(total->Wert(), 999999999); // no cut-off number
    window().runView().setDisplay(tarvek::NumberDisplay::GrandTotal, 5000000000LL);
    EXPECT_TRUE(total->Error());
    window().runView().setDisplay(tarvek::NumberDisplay::GrandTotal, 34650);
    EXPECT_FALSE(total->Error());
    EXPECT_EQ(total->Wert(), 34650);
    window().runView().setDisplay(tarvek::NumberDisplay::GrandTotal, 1000000000);
    window().Resetten();
    EXPECT_FALSE(total->Error());
    EXPECT_EQ(total->Wert(), 0);
}

TEST_F(WindowTest, ABadValueOrAMissingPriceListReturnsTheWindowToIdle)
{
    start();
    const QString bad =
        writeFile(QStringLiteral("z.cfg"), "Entry Header\r\n{\r\n}\r\nEntry I 1\r\n{\r\n"
                                           "\tgraphic\t100\r\n\tx\t10\r\n\ty\t10\r\n"
                                           "\tz\t5 \r\n\tcolor\t0\r\n}\r\n");
    load(bad);
    run();
    expectIdle();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(
        QStringLiteral("'5 ' ist kein gültiger Integerwert")));
    EXPECT_GT(protocolList()->count(), 0); // the lists stay as they were

    QFile::remove(m_dir.filePath(QStringLiteral("Preisliste.txt")));
    load(sample("Haus.cfg"));
    run();
    expectIdle();
    expectReset();
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    EXPECT_EQ(m_dialogs.messages[1].title, QStringLiteral("Fehler"));
    EXPECT_TRUE(m_dialogs.messages[1].text.startsWith(
        QStringLiteral("Die Datei Preisliste.txt existiert nicht.")));
}

TEST_F(WindowTest, AnsweringNoToTheNestedItemsQuestionEndsWithoutABill)
{
    start();
    const QByteArray item = "Entry I 1\r\n{\r\n\tgraphic\t100\r\n\tx\t10\r\n\ty\t10\r\n\tz\t0\r\n"
                            "\tcolor\t0\r\n}\r\n";
    load(writeFile(QStringLiteral("doppelt.cfg"), "Entry Header\r\n{\r\n}\r\n" + item + item));
    m_dialogs.answers = {false};
    run();
    expectIdle();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].icon, Dialogs::Icon::Question);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Bestätigen"));
    EXPECT_TRUE(window().runState().billReady);
    EXPECT_EQ(billList()->count(), 0);
    EXPECT_GT(nestedList()->count(), 0);
}

TEST_F(WindowTest, SavingInTheEditorTestsTheFileAgainAndResetsTheWindow)
{
    start();
    const QString file = writeFile(QStringLiteral("haus.cfg"), "Entry Header\r\n{\r\n}\r\n");
    load(file);
    run();
    ASSERT_GT(protocolList()->count(), 0);
    // The editor is modal: answer it from inside its own event loop.
    QTimer::singleShot(0, &m_windows->importedit(), [this] {
        auto* memo = m_windows->importedit().findChild<QPlainTextEdit*>("Memo1");
        memo->setPlainText(QStringLiteral("kein Kopf mehr"));
        m_dialogs.answers = {true};
        QTest::mouseClick(m_windows->importedit().findChild<QPushButton*>("BitBtn2"),
                          Qt::LeftButton);
    });
    click(editTool());
    EXPECT_EQ(m_windows->importedit().windowTitle(),
              QStringLiteral("Importdatei ") + QDir::toNativeSeparators(file));
    EXPECT_EQ(m_dialogs.messages.size(), 2); // the question and the notice
    expectReset();
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(importMenu()->isEnabled());
    EXPECT_TRUE(editTool()->isEnabled());
    // The sums belong to the text before the save: "Refresh" asks for a run.
    EXPECT_FALSE(window().runState().billReady);
}

TEST_F(WindowTest, PathDialogAndClientFolderStoreTheChosenFolders)
{
    start();
    TPfadangaben& dialog = m_windows->pfadangaben();
    auto* edit = dialog.findChild<QLineEdit*>("Edit1");
    QTimer::singleShot(0, &dialog, [&] {
        m_dialogs.nextFolder = QStringLiteral("/srv/Import");
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        EXPECT_EQ(edit->text(), QDir::toNativeSeparators(QStringLiteral("/srv/Import/")));
        m_dialogs.nextFolder.clear(); // cancelled chooser: the field stays
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        EXPECT_EQ(edit->text(), QDir::toNativeSeparators(QStringLiteral("/srv/Import/")));
        edit->setText(QStringLiteral("  /srv/Import/ "));
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    });
    click(pathsTool());
    EXPECT_EQ(m_dialogs.folderPrompts.value(0), QStringLiteral("Wähle bitte ein Verzeichnis aus:"));
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Importpfad")),
              QStringLiteral("/srv/Import/"));
    EXPECT_EQ(edit->text(), QStringLiteral("  /srv/Import/ ")); // left as typed

    m_dialogs.nextFolder = QStringLiteral("/opt/client");
    menuAction("ClientVerzeichnis1")->trigger();
    EXPECT_EQ(m_dialogs.folderPrompts.value(2),
              QStringLiteral("Wähle bitte das Verzeichnis des Ultima-Online-Clients aus:"));
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Clientpfad")),
              QDir::toNativeSeparators(QStringLiteral("/opt/client/")));
}

TEST_F(WindowTest, TheAnzeigenButtonsCallTheirHooksAndInfoShowsTheAboutWindow)
{
    start();
    QStringList called;
    window().setHooks({
        .anzeigenBeweglich = [&] { called.append(QStringLiteral("beweglich")); },
        .anzeigenInein = [&] { called.append(QStringLiteral("inein")); },
        .anzeigenNichtberechnet = [&] { called.append(QStringLiteral("nichtberechnet")); },
    });
    click(showMovableButton());
    click(showNestedButton());
    click(showNotCalculatedButton());
    EXPECT_EQ(called, (QStringList{QStringLiteral("beweglich"), QStringLiteral("inein"),
                                   QStringLiteral("nichtberechnet")}));

    window().hooks().anzeigenInein = [] { throw std::runtime_error("Kein Eintrag gewählt"); };
    click(showNestedButton());
    EXPECT_EQ(m_dialogs.texts(), QStringList{QStringLiteral("Kein Eintrag gewählt.")});

    bool shown = false;
    QTimer::singleShot(0, &m_windows->info(), [&] {
        shown = m_windows->info().isVisible();
        QTest::mouseClick(m_windows->info().findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    menuAction("Info1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(m_windows->info().isVisible());
    EXPECT_EQ(m_windows->info().windowTitle(), QStringLiteral("Info"));

    menuAction("Beenden1")->trigger();
    EXPECT_FALSE(window().isVisible());
}

} // namespace

// The program as put together at start: each "Anzeigen" opens its own item view with the line
// selected in its list, and the item art follows the client folder option.
TEST_F(WindowTest, EachAnzeigenOpensTheItemViewOfItsListWithTheSelectedLine)
{
    start();
    load(sample("Haus.cfg"));
    run();
    const struct
    {
        QPushButton* button;
        TResultList* list;
        const char* dialogClass;
    } views[] = {{showMovableButton(), movableList(), "TAnsichtbeweglich"},
                 {showNestedButton(), nestedList(), "TAnsichtinein"},
                 {showNotCalculatedButton(), notCalculatedList(), "TAnsichtnichtberechnet"}};
    for (const auto& view : views) {
        ASSERT_GT(view.list->count(), 0) << view.button->objectName().toStdString();
        const ShownView shown =
            nextItemView(tarvek::views::ItemField::D, [&] { click(view.button); });
        const QString& shownD = shown.field;
        EXPECT_EQ(shown.className, QString::fromLatin1(view.dialogClass));
        const TResultList* list = view.list;
        const QString line = list->entryText(list->currentRow());
        EXPECT_TRUE(line.startsWith(QStringLiteral("D:") + shownD.trimmed()))
            << line.toStdString() << " / " << shownD.toStdString();
    }
}
