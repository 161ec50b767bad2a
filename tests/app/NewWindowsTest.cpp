// Every window of the program by keyboard, and the batch window with the main window: driven
// as a person would.
#include "support/WindowFixture.h"

#include "views/batch/TStapelpruefung.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

namespace {

// The letter that Alt takes to a control with this caption ("&Datei": D), or none.
QChar mnemonic(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (caption[i + 1] != u'&') {
                return caption[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

// The captions with a mnemonic that `window` shows now, by letter: buttons, labels with a buddy,
// group boxes, tabs and the menu bar's menus (each menu's items are checked on their own).
QMap<QChar, QStringList> shownMnemonics(QWidget* window, QStringList& menuClashes)
{
    QMap<QChar, QStringList> found;
    const auto take = [&found](const QString& caption) {
        if (const QChar letter = mnemonic(caption); !letter.isNull()) {
            found[letter].append(caption);
        }
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->window() != window) {
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            take(button->text());
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            take(label->text());
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            take(box->title());
        } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                take(tabs->tabText(tab));
            }
        } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* menu : bar->actions()) {
                take(menu->text());
            }
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QMap<QChar, QStringList> items;
        for (QAction* action : menu->actions()) {
            if (const QChar letter = mnemonic(action->text()); !letter.isNull()) {
                items[letter].append(action->text());
            }
        }
        for (const QStringList& same : items) {
            if (same.size() > 1) {
                menuClashes.append(menu->title() + QStringLiteral(": ") +
                                   same.join(QStringLiteral(", ")));
            }
        }
    }
    return found;
}

// Every mnemonic that repeats in `window`, on each page of each of its tab widgets.
QStringList repeatedMnemonics(QWidget* window)
{
    QStringList clashes;
    const auto check = [&] {
        QStringList menuClashes;
        for (const QStringList& same : shownMnemonics(window, menuClashes)) {
            if (same.size() > 1) {
                clashes.append(window->objectName() + QStringLiteral(": ") +
                               same.join(QStringLiteral(", ")));
            }
        }
        clashes += menuClashes;
    };
    check();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            check();
        }
        tabs->setCurrentIndex(shown);
    }
    clashes.removeDuplicates();
    return clashes;
}

class NewWindowsTest : public WindowFixture
{
protected:
    // The batch window, opened through its menu item.
    TStapelpruefung* openBatch() const
    {
        menuAction("Stapelpruefung1")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* batch = qobject_cast<TStapelpruefung*>(top)) {
                return batch;
            }
        }
        return nullptr;
    }
};

TEST_F(NewWindowsTest, NoWindowRepeatsAMnemonic)
{
    start();
    load(sample("Haus.cfg"));
    run();
    ASSERT_NE(openBatch(), nullptr);
    QList<QWidget*> windows{&window()};
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(top) != nullptr && !windows.contains(top)) {
            windows.append(top);
        }
    }
    for (QDialog* dialog : window().findChildren<QDialog*>()) {
        if (!windows.contains(dialog)) {
            windows.append(dialog);
        }
    }
    EXPECT_GE(windows.size(), 15);
    for (QWidget* shown : windows) {
        const bool wasVisible = shown->isVisible();
        shown->show();
        EXPECT_EQ(repeatedMnemonics(shown), QStringList()) << shown->metaObject()->className();
        if (!wasVisible) {
            shown->hide();
        }
    }
}

TEST_F(NewWindowsTest, ADoubleClickedBatchRowRunsInTheMainWindowInFront)
{
    start();
    QDir(m_dir.path()).mkdir(QStringLiteral("in"));
    QFile::copy(sample("Haus.cfg"), m_dir.filePath(QStringLiteral("in/Haus.cfg")));
    TStapelpruefung* batch = openBatch();
    ASSERT_NE(batch, nullptr);
    QTRY_VERIFY(batch->isActiveWindow());
    m_dialogs.nextFolder = m_dir.filePath(QStringLiteral("in"));
    QSignalSpy finished(batch, &TStapelpruefung::batchFinished);
    click(batch->findChild<QPushButton*>(QStringLiteral("OrdnerWaehlen")));
    ASSERT_TRUE(finished.wait(20000));
    // The folder is kept for the next start of the program.
    EXPECT_EQ(window().options().Optionenladen(QStringLiteral("Stapelordner")),
              QDir::cleanPath(m_dir.filePath(QStringLiteral("in"))));

    QTableView* table = batch->table();
    const QRect cell = table->visualRect(table->model()->index(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(window().ImportFileName(), m_dir.filePath(QStringLiteral("in/Haus.cfg")));
    EXPECT_TRUE(window().RunActive());
    QTRY_VERIFY_WITH_TIMEOUT(!window().RunActive(), 20000);
    EXPECT_GT(totalDisplay()->Wert(), 0);
    // The main window is in front, the batch window open behind it.
    QTRY_VERIFY(window().isActiveWindow());
    EXPECT_TRUE(batch->isVisible());
    EXPECT_EQ(batch->windowHandle()->transientParent(), nullptr);

    // Each window says what it copied in its own status line; the main window's older word goes.
    auto* status = control<QStatusBar>("StatusBar1");
    copyBill()->trigger();
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Die Rechnung ist in der Zwischenablage."));
    click(batch->findChild<QPushButton*>(QStringLiteral("Kopieren")));
    EXPECT_TRUE(status->currentMessage().isEmpty());
    EXPECT_EQ(batch->findChild<QStatusBar*>()->currentMessage(),
              QStringLiteral("Die Tabellen sind in der Zwischenablage."));
    EXPECT_TRUE(m_dialogs.notices().isEmpty()) << m_dialogs.notices().join(u'\n').toStdString();
}

TEST_F(NewWindowsTest, AtFullSizeTheFileFieldAndTheProgressBarGrowWithTheWindow)
{
    start();
    const QString folder =
        m_dir.filePath(QStringLiteral("Einreichungen_Dezember_") + QString(80, u'x'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/Haus.cfg");
    QFile::copy(sample("Haus.cfg"), file);
    load(file);
    auto* field = control<QLabel>("StatusPanel1");
    TBProgress* progress = progressBar();
    const int progressWidth = progress->width();
    // At the first size the path is shortened in the middle and whole in the tool tip.
    EXPECT_TRUE(field->text().contains(u'…')) << field->text().toStdString();
    EXPECT_TRUE(field->text().endsWith(u"Haus.cfg"));
    EXPECT_EQ(field->toolTip(), window().statusText());

    window().resize(1600, 900);
    QTRY_COMPARE(field->text(), window().statusText());
    EXPECT_TRUE(field->toolTip().isEmpty());
    EXPECT_GT(field->width(), 1400);
    EXPECT_GT(progress->width(), progressWidth + 400);
    EXPECT_GT(display(1)->x(), progress->geometry().right());
}

} // namespace
