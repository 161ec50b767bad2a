#include "support/WindowFixture.h"

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/TPreislistenServer.h"
#include "base/Version.h"
#include "download/PriceListUpdater.h"
#include "download/TVerbindungsaufbau.h"
#include "support/TestHttpServer.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QWindow>

#include <atomic>
#include <functional>
#include <thread>

namespace {

CommandLine parse(const QStringList& arguments)
{
    return CommandLine(QStringList{QStringLiteral("tarvek")} + arguments);
}

// Tells `seen` of every event of the objects it watches.
struct EventSpy : QObject
{
    std::function<void(const QEvent*)> seen;
    bool eventFilter(QObject*, QEvent* event) override { return seen(event), false; }
};

class StartTest : public WindowFixture
{
protected:
    QByteArray readAll(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Drags the files over the window and drops them; whether the window took them.
    bool drop(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data.setUrls(urls);
        const QPoint centre = window().rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &dropped);
        return dropped.isAccepted();
    }
    QString options() const { return QString::fromLatin1(readAll(QStringLiteral("Optionen.txt"))); }
};

} // namespace

TEST(CommandLineTest, HelpVersionErrorsAndTheImportFile)
{
    const CommandLine help = parse({QStringLiteral("--help")});
    EXPECT_EQ(help.action(), CommandLine::Action::Help);
    EXPECT_TRUE(help.text().contains(
        QRegularExpression(QStringLiteral("\\n  -v, --version +Zeigt die Versionsnummer an.\\n"))));
    EXPECT_TRUE(help.text().contains(QStringLiteral("--pdf AUSGABE.pdf")));
    EXPECT_EQ(parse({QStringLiteral("-v")}).text(), QStringLiteral("Tarvek " TARVEK_VERSION "\n"));

    const CommandLine unknown = parse({QStringLiteral("--pfd"), QStringLiteral("Haus.cfg")});
    EXPECT_EQ(unknown.action(), CommandLine::Action::Error);
    EXPECT_TRUE(unknown.text().startsWith(QStringLiteral("tarvek: unbekannte Option: --pfd\n")));
    EXPECT_EQ(parse({QStringLiteral("a.cfg"), QStringLiteral("b.cfg")}).action(),
              CommandLine::Action::Error);
    EXPECT_EQ(parse({QStringLiteral("examples/Haus.cfg")}).importFile(),
              QDir::current().absoluteFilePath(QStringLiteral("examples/Haus.cfg")));
}

TEST_F(StartTest, TheCommandLineFileIsLoadedAfterThePriceListCheckAsTheLoadButtonWould)
{
    QString statusDuringCheck = QStringLiteral("<no check>");
    m_windows = new TarvekWindows(m_dir.path() + u'/');
    window().hooks().pruefedownload = [&] { statusDuringCheck = window().statusText(); };
    window().setStartFile(sample("Haus.cfg"));
    window().show();

    QTRY_COMPARE(window().ImportFileName(), sample("Haus.cfg"));
    EXPECT_EQ(statusDuringCheck, QStringLiteral("Geladenes Importfile:"));
    EXPECT_EQ(window().statusText(), QStringLiteral("Geladenes Importfile: ") +
                                         QDir::toNativeSeparators(sample("Haus.cfg")));
    EXPECT_TRUE(startButton()->isEnabled());

    // A file that is not there ends the load with the file error, the window stays usable.
    EXPECT_THROW(window().loadImportFile(m_dir.filePath(QStringLiteral("fehlt.cfg"))),
                 std::runtime_error);
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));
}

TEST_F(StartTest, AFirstStartWithoutOptionsFileChecksOnlyOnceTheWholeWindowIsShown)
{
    // Without an options file "Download aktiv" is on, and the check shows its wait window even
    // with no server set. Run inside show(), it left the window at the window system's first
    // size (under X), without its lower part.
    const QString folder = m_dir.filePath(QStringLiteral("neu/"));
    ASSERT_TRUE(QDir().mkpath(folder));
    m_windows = new TarvekWindows(folder);
    bool shownAtCheck = false;
    EventSpy spy;
    spy.seen = [&](const QEvent* event) {
        shownAtCheck |= event->type() == QEvent::Show && window().windowHandle()->isVisible() &&
                        window().size().boundedTo(window().minimumSize()) == window().minimumSize();
    };
    m_windows->updater().Verbindungsaufbau().installEventFilter(&spy);
    window().setStartFile(sample("Haus.cfg"));
    window().show();
    QTRY_VERIFY(window().startedUp());
    EXPECT_TRUE(shownAtCheck);
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("Optionen.txt")));
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));
}

TEST_F(StartTest, AFileFromALaterStartIsLoadedUnlessARunOrADialogIsUnderWay)
{
    start();
    window().loadHandedOver(sample("Haus.cfg"));
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));

    const QString other = m_dir.filePath(QStringLiteral("Zweites Haus.cfg"));
    const QString refused = QStringLiteral("Die Importdatei ") + QDir::toNativeSeparators(other) +
                            QStringLiteral(" wird nicht geladen: ");
    whenProtocolShows(QStringLiteral("gestartet"), [&] { window().loadHandedOver(other); });
    run();
    ASSERT_EQ(m_dialogs.notices().size(), 1);
    EXPECT_TRUE(m_dialogs.notices()[0].startsWith(refused + QStringLiteral("Es läuft")));
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));

    // The about window is open: whatever dialog it is, the file waits.
    QTimer::singleShot(0, &window(), [&] {
        window().loadHandedOver(other);
        QApplication::activeModalWidget()->close();
    });
    menuAction("Info1")->trigger();
    ASSERT_EQ(m_dialogs.notices().size(), 2);
    EXPECT_TRUE(m_dialogs.notices()[1].startsWith(refused + QStringLiteral("Ein anderes")));
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));
}

// A later start during a run, over the real lock and socket, with the window answering as the
// program wires it: the running copy refuses at once, so the later start names the file and
// fails; the window neither loads the file nor shows a message.
TEST_F(StartTest, ALaterStartDuringARunIsRefusedAndFails)
{
    start();
    load(sample("Haus.cfg"));
    SingleInstance running(m_dir.path());
    ASSERT_EQ(running.acquire(), SingleInstance::Lock::Taken);
    running.setReadiness([this] { return window().handOverReadiness(); });
    QObject::connect(&running, &SingleInstance::fileReceived, &window(),
                     &THauptformular::loadHandedOver);
    SingleInstance::LaterStart later;
    whenProtocolShows(QStringLiteral("gestartet"), [&] {
        std::atomic<bool> done = false;
        std::thread client([&] {
            // A file of the temporary folder: on Windows a full name with its drive.
            later = SingleInstance(m_dir.path())
                        .laterStart(m_dir.filePath(QStringLiteral("Preisliste.txt")), 5000);
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
        client.join();
    });
    run();
    EXPECT_EQ(later.exitCode, 1);
    EXPECT_TRUE(later.message.endsWith(QStringLiteral(
        "Tarvek läuft bereits und berechnet gerade eine Importdatei. Bitte die Datei nach dem Ende "
        "der Berechnung erneut öffnen.")))
        << later.message.toStdString();
    EXPECT_TRUE(m_dialogs.notices().isEmpty());
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));
}

TEST_F(StartTest, ADroppedFileIsLoadedTheFirstOfSeveralAndNoneDuringARun)
{
    start();
    const QString invalid = writeFile(QStringLiteral("leer.cfg"), "kein Kopf\r\n");
    EXPECT_TRUE(drop({sample("Haus.cfg"), invalid}));
    EXPECT_EQ(window().ImportFileName(), sample("Haus.cfg"));
    EXPECT_TRUE(startButton()->isEnabled());

    bool droppedDuringRun = true;
    whenProtocolShows(QStringLiteral("gestartet"), [&] { droppedDuringRun = drop({invalid}); });
    run();
    EXPECT_FALSE(droppedDuringRun);

    EXPECT_TRUE(drop({invalid}));
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_TRUE(window().statusText().endsWith(QDir::toNativeSeparators(invalid)));
}

TEST_F(StartTest, ServerDialogStoresOnlyACheckedAddress)
{
    start();
    auto* dialog = window().findChild<TPreislistenServer*>(QStringLiteral("PreislistenServer"));
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    const auto pressOk = [&](const QString& text) {
        dialog->show();
        edit->setText(text);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                          Qt::LeftButton);
    };

    for (const char* bad : {"preise example", "host:99999", "host:0", "wer@host", "host/pfad"}) {
        pressOk(QString::fromLatin1(bad));
        EXPECT_TRUE(dialog->isVisible()) << bad;
    }
    EXPECT_EQ(m_dialogs.notices(), QStringList(5, TPreislistenServer::InvalidText));
    EXPECT_FALSE(options().contains(QStringLiteral("Server")));

    pressOk(QStringLiteral(" http://preise.example.org:8080/ "));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(options().contains(QStringLiteral("Server|preise.example.org:8080\r\n")));
    dialog->show();
    EXPECT_EQ(edit->text(), QStringLiteral("preise.example.org:8080"));
    pressOk(QString());
    EXPECT_TRUE(options().contains(QStringLiteral("Server|\r\n")));
}

TEST_F(StartTest, SearchingOnRequestSaysWhenThePriceListIsCurrent)
{
    writeFile(QStringLiteral("Optionen.txt"), "Download|false\r\n");
    start();
    QAction* search = menuAction("PreislisteSuchen1");
    search->trigger();
    EXPECT_TRUE(m_dialogs.notices().constLast().startsWith(
        QStringLiteral("Es ist kein Preislisten-Server eingestellt.")));

    TestHttpServer server;
    server.setFile(readAll(QStringLiteral("Preisliste.txt")));
    window().options().Optionenspeichern(QStringLiteral("Server"),
                                         QString::fromLatin1(server.authority()));
    search->trigger();
    EXPECT_EQ(m_dialogs.notices().constLast(), QStringLiteral("Die Preisliste ist aktuell."));
    EXPECT_EQ(server.requests("HEAD").size(), 1);
}
