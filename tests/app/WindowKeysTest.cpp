// A day of use: the main window by keyboard, and a window that grows.
#include "support/WindowFixture.h"

#include "app/TPfadangaben.h"
#include "app/WindowPlace.h"
#include "editor/TImportedit.h"
#include "views/plan/PlanView.h"
#include "views/plan/TGrundriss.h"

#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>

namespace {

class WindowKeysTest : public WindowFixture
{
protected:
    // The main window active again, as after a dialog closes.
    void activate() const
    {
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    static void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    // Every control of the client area with its place.
    QMap<QString, QRect> places() const
    {
        QMap<QString, QRect> all;
        for (const QWidget* child :
             window().centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            all.insert(child->objectName(), child->geometry());
        }
        return all;
    }
};

TEST_F(WindowKeysTest, EveryCommandIsReachableByItsKeyAndTheFocusGoesWhereTheWorkIs)
{
    start();
    activate();
    press(&window(), Qt::Key_O, Qt::AltModifier);
    auto* options = window().findChild<QMenu*>(QStringLiteral("Optionen1"));
    QTRY_VERIFY(options->isVisible());
    options->close();
    activate();

    // Without a loaded file the keys of its menu do nothing, but the batch needs none.
    EXPECT_TRUE(menuAction("Ansehen1")->shortcut().isEmpty());
    press(&window(), Qt::Key_B, Qt::ControlModifier);
    // The batch window has no parent, so that the main window can come in front of it.
    QWidget* batch = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        batch = top->objectName() == QStringLiteral("Stapelpruefung") ? top : batch;
    }
    ASSERT_NE(batch, nullptr);
    QTRY_VERIFY(batch->isVisible());
    batch->close();
    activate();
    m_dialogs.nextFile = sample("Haus.cfg");
    press(&window(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(window().ImportFileName(), sample("Haus.cfg"));
    EXPECT_EQ(focus(), startButton());
    EXPECT_EQ(menuAction("Ansehen1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));

    press(focus(), Qt::Key_F5);
    EXPECT_TRUE(window().RunActive());
    press(focus(), Qt::Key_F5); // a second F5 does not stop the run
    QTRY_VERIFY_WITH_TIMEOUT(!window().RunActive(), 20000);
    EXPECT_FALSE(window().CancelRequested());
    EXPECT_EQ(focus(), warningList()->count() > 0 ? warningList() : movableList());

    press(focus(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs.saveCalls.size(), 1);
    QGuiApplication::clipboard()->clear();
    press(focus(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("GS")));

    // The plan opens with the focus on its map: the arrows pan, + and - zoom.
    activate();
    press(&window(), Qt::Key_G, Qt::ControlModifier);
    TGrundriss& plan = m_windows->grundriss();
    ASSERT_TRUE(plan.isVisible());
    tarvek::plan::PlanView* map = plan.view();
    QTRY_VERIFY(map->hasFocus());
    const QPointF origin = map->origin();
    press(map, Qt::Key_Right);
    EXPECT_LT(map->origin().x(), origin.x());
    const double scale = map->scale();
    press(map, Qt::Key_Minus);
    EXPECT_LT(map->scale(), scale);
    // Larger than its room, the map gets scroll bars that move it.
    QScrollBar* across = plan.scrollBars()[0];
    plan.resize(plan.minimumSizeHint());
    QTRY_VERIFY(map->width() < 300);
    press(map, Qt::Key_Home);
    EXPECT_FALSE(across->isVisible());
    press(map, Qt::Key_Plus);
    ASSERT_TRUE(across->isVisible());
    across->setValue(across->minimum());
    EXPECT_EQ(map->origin().x(), -across->minimum());
    // Return on the focused "Einpassen" fits the whole plan in again; Return on the map does not.
    press(map, Qt::Key_Return);
    EXPECT_TRUE(across->isVisible());
    auto* fit = plan.findChild<QPushButton*>(QStringLiteral("Einpassen"));
    fit->setFocus();
    press(fit, Qt::Key_Return);
    QTRY_VERIFY(!across->isVisible());
    plan.close();
    activate();
    bool editorShown = false;
    QTimer::singleShot(0, &window(), [&] {
        editorShown = QApplication::activeModalWidget() == &m_windows->importedit();
        m_windows->importedit().reject();
    });
    press(focus(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(editorShown);
}

TEST_F(WindowKeysTest, TabLeadsFromEachListToItsAnzeigenAndReturnShowsTheLine)
{
    start();
    activate();
    load(sample("Haus.cfg"));
    run();
    const QImage unfocused = nestedList()->grab().toImage();
    nestedList()->setFocus();
    EXPECT_NE(nestedList()->grab().toImage(), unfocused); // the focus is seen on the list
    const struct
    {
        TResultList* list;
        QPushButton* show;
        const char* dialogClass;
    } lists[] = {{movableList(), showMovableButton(), "TAnsichtbeweglich"},
                 {nestedList(), showNestedButton(), "TAnsichtinein"},
                 {notCalculatedList(), showNotCalculatedButton(), "TAnsichtnichtberechnet"}};
    for (const auto& entry : lists) {
        entry.list->setFocus();
        press(entry.list, Qt::Key_Tab);
        EXPECT_EQ(focus(), entry.show) << entry.dialogClass;
    }
    for (const auto& entry : lists) {
        activate();
        entry.list->setFocus();
        entry.list->setCurrentRow(0);
        const ShownView shown =
            nextItemView(tarvek::views::ItemField::D, [&] { press(entry.list, Qt::Key_Return); });
        EXPECT_EQ(shown.className, QLatin1String(entry.dialogClass));
        EXPECT_TRUE(
            entry.list->entryText(0).startsWith(QStringLiteral("D:") + shown.field.trimmed()));
    }
    // Return on a focused button presses it, as Space does.
    loadButton()->setFocus();
    m_dialogs.nextFile.clear();
    press(loadButton(), Qt::Key_Return);
    EXPECT_EQ(m_dialogs.openCalls.size(), 2);
}

TEST_F(WindowKeysTest, TheWindowGrowsWithItsListsAndComesBackWhereItWas)
{
    start();
    const QMap<QString, QRect> described = places();
    const QSize small = window().size();
    window().resize(small + QSize(200, 100));
    QTRY_COMPARE(window().centralWidget()->size(), QSize(888, 735));
    const QMap<QString, QRect> grown = places();
    int leftHeights = 0;
    for (const char* name : {"ListBox1", "ListBox6", "ListBox3", "ListBox2", "ListBox5"}) {
        EXPECT_EQ(grown[name].width(), described[name].width() + 100) << name;
        leftHeights += grown[name].height() - described[name].height();
    }
    EXPECT_EQ(leftHeights, 100);
    EXPECT_EQ(grown["ListBox4"].size(), described["ListBox4"].size() + QSize(100, 100));
    EXPECT_EQ(grown["BitBtn2"], described["BitBtn2"].translated(0, 100));
    EXPECT_EQ(grown["BitBtn3"].top() - grown["ListBox3"].top(),
              described["BitBtn3"].top() - described["ListBox3"].top()); // beside its list
    EXPECT_EQ(grown["StaticText4"], described["StaticText4"].translated(100, 0));
    EXPECT_EQ(grown["StatusBar1"].bottom(), 734);

    window().showMaximized();
    QTRY_VERIFY(window().centralWidget()->width() > 688);
    window().showNormal();
    window().resize(small);
    QTRY_COMPARE(places(), described);

    // Size and place outlive the window; a place off every screen is not taken up again.
    window().setGeometry(QRect(QPoint(30, 40), small + QSize(60, 0)));
    const QRect shut = window().geometry();
    window().close();
    EXPECT_EQ(window().options().get(Options::Fenster), WindowPlace::format(shut));
    delete m_windows;
    start();
    EXPECT_EQ(window().geometry(), shut);
    window().options().set(Options::Fenster, QStringLiteral("-9000,40,748,635"));
    delete m_windows;
    start();
    EXPECT_TRUE(WindowPlace::onScreen(window().geometry(), {window().screen()->geometry()}));
    EXPECT_EQ(window().width(), shut.width());
}

// In an installed copy the program's folder is the working folder; no dialog starts there.
TEST_F(WindowKeysTest, DialogsStartWhereTheUsersFilesAreAndSayWhatTheyFound)
{
    const QString program = QDir::currentPath();
    const QString documents = Dialogs::startFolder({}); // or the home folder when none
    QTemporaryDir imports;
    const QString house = imports.filePath(QStringLiteral("Haus.cfg"));
    ASSERT_TRUE(QFile::copy(sample("Haus.cfg"), house));
    start();
    load(house);
    EXPECT_EQ(m_dialogs.openCalls.value(0).section(u'|', 1, 1), documents); // no import folder
    run();

    // "Als Bild speichern ..." beside the import file, and the status line says where it went.
    m_dialogs.nextSaveFile = imports.filePath(QStringLiteral("Plan.png"));
    click(planTool());
    TGrundriss& plan = m_windows->grundriss();
    click(plan.findChild<QPushButton*>(QStringLiteral("BildSpeichern")));
    EXPECT_EQ(m_dialogs.saveCalls.value(0).section(u'|', 1, 1),
              QDir(imports.path()).filePath(QStringLiteral("Grundriss.png")));
    EXPECT_EQ(plan.statusLine()->currentMessage(),
              QStringLiteral("Grundriss gespeichert: ") +
                  QDir::toNativeSeparators(m_dialogs.nextSaveFile));
    plan.close();

    // The folder choosers start at their setting, else in the documents.
    TPfadangaben& paths = m_windows->pfadangaben();
    QTimer::singleShot(0, &paths, [&] {
        click(paths.findChild<QPushButton*>(QStringLiteral("BitBtn1"))); // "Wählen"
        paths.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(imports.path());
        click(paths.findChild<QPushButton*>(QStringLiteral("BitBtn1")));
        // A folder that does not exist is stored only on a second word.
        const QString gone = imports.filePath(QStringLiteral("weg"));
        paths.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(gone);
        m_dialogs.answers = {false};
        click(paths.findChild<QPushButton*>(QStringLiteral("BitBtn2")));
        EXPECT_TRUE(paths.isVisible());
        EXPECT_TRUE(m_dialogs.texts().constLast().startsWith(QStringLiteral("Das Verzeichnis ") +
                                                             QDir::toNativeSeparators(gone)));
        m_dialogs.answers = {true};
        click(paths.findChild<QPushButton*>(QStringLiteral("BitBtn2")));
        EXPECT_FALSE(paths.isVisible());
        EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Importpfad")), gone);
    });
    click(pathsTool());
    m_dialogs.nextFolder = imports.path();
    menuAction("ClientVerzeichnis1")->trigger();
    menuAction("ClientVerzeichnis1")->trigger();
    EXPECT_EQ(m_dialogs.folderStarts,
              (QStringList{documents, imports.path(), documents, imports.path()}));
    EXPECT_TRUE(m_dialogs.texts().constLast().startsWith(
        QStringLiteral("Im Verzeichnis ") + QDir::toNativeSeparators(imports.path()) +
        QStringLiteral(" wurden keine Grafiken gefunden.")));

    // "Preisliste einlesen ..." opens inside a folder, never with a name typed in.
    m_dialogs.nextFile.clear();
    priceListImport()->trigger();
    const QString start = m_dialogs.openCalls.constLast().section(u'|', 1, 1);
    EXPECT_TRUE(start.endsWith(u'/') && QFileInfo(start).isDir()) << start.toStdString();
    for (const QString& started : m_dialogs.folderStarts + QStringList{start, documents}) {
        EXPECT_NE(QDir(started).absolutePath(), QDir(program).absolutePath());
    }
}

} // namespace
