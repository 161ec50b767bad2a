#include "WindowFixture.h"

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
        EXPECT_EQ(control("BitBtn2")->text(), QStringLiteral("Berechnung starten"));
        EXPECT_EQ(control("BitBtn2")->palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));
        for (const char* name : {"BitBtn1", "BitBtn3", "BitBtn4", "BitBtn6", "BitBtn7"}) {
            EXPECT_TRUE(control(name)->isEnabled()) << name;
        }
        for (const char* name : {"ToolButton1", "ToolButton2", "ToolButton5"}) {
            EXPECT_TRUE(control<QToolButton>(name)->isEnabled()) << name;
        }
        for (const char* name : {"Optionen1", "Importdatei1", "Info1", "Beenden1"}) {
            EXPECT_TRUE(control<QAction>(name)->isEnabled()) << name;
        }
    }
    // What Resetten leaves: grey lamps, zero displays, empty lists.
    void expectReset() const
    {
        for (int n : {1, 2, 3, 4, 5, 6, 7, 9}) {
            EXPECT_EQ(control<TBLED>(QStringLiteral("BLED%1").arg(n).toLatin1())->FarbeAn(),
                      QColor(0x80, 0x80, 0x80));
        }
        EXPECT_EQ(control<TBProgress>("BProgress1")->Wert(), 0);
        for (int n = 1; n <= 5; ++n) {
            EXPECT_EQ(control<TBDigit>(QStringLiteral("BDigit%1").arg(n).toLatin1())->Wert(), 0);
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
                          withoutTime(QString::fromStdString(expected[std::size_t(i)].text)))
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
    EXPECT_EQ(control("BitBtn2")->geometry(), QRect(198, 580, 136, 25));
    EXPECT_EQ(window().listBox(4)->geometry(), QRect(398, 444, 284, 166));
    EXPECT_FALSE(control("BitBtn2")->isEnabled());
    EXPECT_FALSE(control<QAction>("Importdatei1")->isEnabled());
    EXPECT_FALSE(control<QToolButton>("ToolButton2")->isEnabled());
    EXPECT_EQ(control<QToolButton>("ToolButton2")->toolTip(),
              QStringLiteral("Importdatei editieren"));
    EXPECT_EQ(window().statusText(), QStringLiteral("Geladenes Importfile:"));
    EXPECT_TRUE(window().CloseAllowed());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

TEST_F(WindowTest, StartUpReadsBothOptionsAndRunsTheCheckOnlyWhenActive)
{
    int checks = 0;
    writeFile(QStringLiteral("Optionen.txt"), "Importpfad| /srv/Import/ \r\nDownload|false\r\n");
    m_windows = new TarvekWindows(m_dir.path() + u'/');
    window().setHooks({{}, {}, {}, [&] { ++checks; }, {}});
    showAndStart();
    EXPECT_EQ(m_windows->pfadangaben().importFolder(), QStringLiteral(" /srv/Import/ "));
    EXPECT_FALSE(control<QAction>("Downloadaktiv1")->isChecked());
    EXPECT_EQ(checks, 0);
    delete m_windows;

    writeFile(QStringLiteral("Optionen.txt"), "Download|False\r\n");
    m_windows = new TarvekWindows(m_dir.path() + u'/');
    window().setHooks({{},
                       {},
                       {},
                       [&] {
                           EXPECT_FALSE(window().CloseAllowed()); // not before the check is done
                           ++checks;
                       },
                       {}});
    showAndStart();
    EXPECT_TRUE(control<QAction>("Downloadaktiv1")->isChecked());
    EXPECT_EQ(checks, 1);

    control<QAction>("Downloadaktiv1")->trigger();
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Download")),
              QStringLiteral("false"));

    // A switch that cannot be stored is reported, and the check mark goes back to the file's.
    const QString options = m_dir.filePath(QStringLiteral("Optionen.txt"));
    ASSERT_TRUE(QFile::remove(options) && QDir().mkdir(options));
    m_dialogs.messages.clear();
    control<QAction>("Downloadaktiv1")->trigger();
    EXPECT_FALSE(control<QAction>("Downloadaktiv1")->isChecked());
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
    EXPECT_TRUE(control("BitBtn2")->isEnabled());
    EXPECT_TRUE(control<QAction>("Importdatei1")->isEnabled());
    EXPECT_TRUE(control<QToolButton>("ToolButton2")->isEnabled());

    const QString invalid = writeFile(QStringLiteral("kaputt.cfg"), "entry header\r\n{\r\n");
    load(invalid);
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Geladenes Importfile: ") + QDir::toNativeSeparators(invalid));
    EXPECT_EQ(window().ImportFileName(), valid);
    EXPECT_EQ(m_windows->importedit().EditFileName(), invalid);
    EXPECT_FALSE(control("BitBtn2")->isEnabled());
    EXPECT_FALSE(control<QAction>("Importdatei1")->isEnabled());
    EXPECT_FALSE(control<QToolButton>("ToolButton2")->isEnabled());

    m_dialogs.nextFile.clear(); // cancelled: nothing changes
    click("BitBtn1");
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
    ASSERT_GT(window().listBox(4)->count(), 5);
    EXPECT_EQ(control<TBDigit>("BDigit5")->Wert(),
              recorder.display(tarvek::NumberDisplay::GrandTotal));
    EXPECT_EQ(control<TBDigit>("BDigit2")->Wert(),
              recorder.display(tarvek::NumberDisplay::ItemCount));
    EXPECT_EQ(control<TBLED>("BLED4")->FarbeAn(), QColor(0, 0xFF, 0));

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
            EXPECT_EQ(control("BitBtn2")->text(), QStringLiteral("Stopp"));
            EXPECT_FALSE(control("BitBtn1")->isEnabled());
            EXPECT_FALSE(window().close()); // closing is refused while running
            click("BitBtn2");
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

TEST_F(WindowTest, ADeletedImportFileIsReportedByStartAndEdit)
{
    start();
    const QString file = writeFile(QStringLiteral("weg.cfg"), "Entry Header\r\n{\r\n}\r\n");
    load(file);
    QFile::remove(file);
    click("BitBtn2");
    EXPECT_FALSE(window().RunActive());
    EXPECT_EQ(m_dialogs.texts(), QStringList{FileGone});
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Hinweis"));
    EXPECT_EQ(control("BitBtn2")->text(), QStringLiteral("Berechnung starten"));
    EXPECT_TRUE(control("BitBtn2")->isEnabled());

    control<QAction>("Ansehen1")->trigger();
    EXPECT_EQ(m_dialogs.texts(), (QStringList{FileGone, FileGone}));
}

TEST_F(WindowTest, RefreshAndTheFeeBoxesRecomputeTheBill)
{
    start();
    const QString hint =
        QStringLiteral("Vor einer Neuberechnung bitte erst Import berechnen lassen!");
    click("BitBtn6");
    EXPECT_EQ(m_dialogs.texts(), QStringList{hint});
    control<QCheckBox>("CheckBox2")->click(); // "Wasserbau" before any run
    EXPECT_EQ(m_dialogs.texts(), (QStringList{hint, hint}));
    EXPECT_TRUE(control<QCheckBox>("CheckBox2")->isChecked());

    const QString file = sample("Haus.cfg");
    load(file); // unticks the box: one more hint
    EXPECT_EQ(m_dialogs.messages.size(), 3);
    EXPECT_FALSE(control<QCheckBox>("CheckBox2")->isChecked());
    run();

    control<QCheckBox>("CheckBox2")->click();
    control<QCheckBox>("CheckBox1")->click();
    // The bill as the engine computes it with both boxes ticked.
    const auto bill = engineRun(file, {true, true}).list(tarvek::ResultList::Bill).entries;
    ASSERT_EQ(window().listBox(4)->count(), 8);
    ASSERT_EQ(bill.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(window().listBox(4)->entryText(i),
                  QString::fromStdString(bill[std::size_t(i)].text));
    }
    EXPECT_TRUE(window().listBox(4)->entryText(0).startsWith(QStringLiteral("Wasserbaupauschale")));
    EXPECT_EQ(window().runState().waterFlatFee, 10000);

    const int protocolLines = window().listBox(1)->count();
    click("BitBtn6");
    click("BitBtn6");
    EXPECT_EQ(window().listBox(1)->count(), protocolLines + 4);
    EXPECT_TRUE(withoutTime(window().listBox(1)->entryText(protocolLines))
                    .endsWith(QStringLiteral(" Neuberechnung gestartet")));
    EXPECT_EQ(window().listBox(4)->count(), 8);
    EXPECT_EQ(m_dialogs.notices().size(), 3);
}

TEST_F(WindowTest, TheTotalDisplayShowsItsErrorLookForTooManyDigits)
{
    start();
    auto* total = control<TBDigit>("BDigit5");
    window().setDisplay(tarvek::NumberDisplay::GrandTotal, 999999999);
    EXPECT_FALSE(total->Error());
    EXPECT_EQ(total->Wert(), 999999999);
    window().setDisplay(tarvek::NumberDisplay::GrandTotal, 1000000000);
    EXPECT_TRUE(total->Error());
    EXPECT_EQ(total->Wert(), 999999999); // no cut-off number
    window().setDisplay(tarvek::NumberDisplay::GrandTotal, 5000000000LL);
    EXPECT_TRUE(total->Error());
    window().setDisplay(tarvek::NumberDisplay::GrandTotal, 34650);
    EXPECT_FALSE(total->Error());
    EXPECT_EQ(total->Wert(), 34650);
    window().setDisplay(tarvek::NumberDisplay::GrandTotal, 1000000000);
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
    EXPECT_GT(window().listBox(1)->count(), 0); // the lists stay as they were

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
    EXPECT_EQ(window().listBox(4)->count(), 0);
    EXPECT_GT(window().listBox(3)->count(), 0);
}

TEST_F(WindowTest, SavingInTheEditorTestsTheFileAgainAndResetsTheWindow)
{
    start();
    const QString file = writeFile(QStringLiteral("haus.cfg"), "Entry Header\r\n{\r\n}\r\n");
    load(file);
    run();
    ASSERT_GT(window().listBox(1)->count(), 0);
    // The editor is modal: answer it from inside its own event loop.
    QTimer::singleShot(0, &m_windows->importedit(), [this] {
        auto* memo = m_windows->importedit().findChild<QPlainTextEdit*>("Memo1");
        memo->setPlainText(QStringLiteral("kein Kopf mehr"));
        m_dialogs.answers = {true};
        QTest::mouseClick(m_windows->importedit().findChild<QPushButton*>("BitBtn2"),
                          Qt::LeftButton);
    });
    click("ToolButton2");
    EXPECT_EQ(m_windows->importedit().windowTitle(),
              QStringLiteral("Importdatei ") + QDir::toNativeSeparators(file));
    EXPECT_EQ(m_dialogs.messages.size(), 2); // the question and the notice
    expectReset();
    EXPECT_FALSE(control("BitBtn2")->isEnabled());
    EXPECT_FALSE(control<QAction>("Importdatei1")->isEnabled());
    EXPECT_TRUE(control<QToolButton>("ToolButton2")->isEnabled());
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
    click("ToolButton1");
    EXPECT_EQ(m_dialogs.folderPrompts.value(0), QStringLiteral("Wähle bitte ein Verzeichnis aus:"));
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Importpfad")),
              QStringLiteral("/srv/Import/"));
    EXPECT_EQ(edit->text(), QStringLiteral("  /srv/Import/ ")); // left as typed

    m_dialogs.nextFolder = QStringLiteral("/opt/client");
    control<QAction>("ClientVerzeichnis1")->trigger();
    EXPECT_EQ(m_dialogs.folderPrompts.value(2),
              QStringLiteral("Wähle bitte das Verzeichnis des Ultima-Online-Clients aus:"));
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Clientpfad")),
              QDir::toNativeSeparators(QStringLiteral("/opt/client/")));
}

TEST_F(WindowTest, TheAnzeigenButtonsCallTheirHooksAndInfoShowsTheAboutWindow)
{
    start();
    QStringList called;
    window().setHooks({[&] { called.append(QStringLiteral("beweglich")); },
                       [&] { called.append(QStringLiteral("inein")); },
                       [&] { called.append(QStringLiteral("nichtberechnet")); },
                       {},
                       {}});
    click("BitBtn7");
    click("BitBtn3");
    click("BitBtn4");
    EXPECT_EQ(called, (QStringList{QStringLiteral("beweglich"), QStringLiteral("inein"),
                                   QStringLiteral("nichtberechnet")}));

    window().hooks().anzeigenInein = [] { throw std::runtime_error("Kein Eintrag gewählt"); };
    click("BitBtn3");
    EXPECT_EQ(m_dialogs.texts(), QStringList{QStringLiteral("Kein Eintrag gewählt.")});

    bool shown = false;
    QTimer::singleShot(0, &m_windows->info(), [&] {
        shown = m_windows->info().isVisible();
        QTest::mouseClick(m_windows->info().findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    control<QAction>("Info1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(m_windows->info().isVisible());
    EXPECT_EQ(m_windows->info().windowTitle(), QStringLiteral("Info"));

    control<QAction>("Beenden1")->trigger();
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
        const char* button;
        int list;
        const char* dialogClass;
    } views[] = {{"BitBtn7", 6, "TAnsichtbeweglich"},
                 {"BitBtn3", 3, "TAnsichtinein"},
                 {"BitBtn4", 5, "TAnsichtnichtberechnet"}};
    for (const auto& view : views) {
        ASSERT_GT(window().listBox(view.list)->count(), 0) << view.button;
        const ShownView shown =
            nextItemView(tarvek::views::ItemField::D, [&] { click(view.button); });
        const QString& shownD = shown.field;
        EXPECT_EQ(shown.className, QString::fromLatin1(view.dialogClass));
        const TResultList* list = window().listBox(view.list);
        const QString line = list->entryText(list->currentRow());
        EXPECT_TRUE(line.startsWith(QStringLiteral("D:") + shownD.trimmed()))
            << line.toStdString() << " / " << shownD.toStdString();
    }
}
