// The main window as a German user sees it and as assistive technology reads it.
#include "support/WindowFixture.h"

#include "download/MessageBoxPrompter.h"
#include "editor/TFindDialog.h"
#include "editor/TImportedit.h"
#include "gui/QtGerman.h"

#include "widgets/TBDigit.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <memory>

namespace {

// Records the button texts (without shortcut marks) of the next modal dialog, lets `act` answer
// it, and closes it unless `act` did.
void whenDialogShows(QStringList& texts, std::function<void(QDialog*)> act = {})
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &texts, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->deleteLater();
        texts.clear();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && !button->text().isEmpty()) {
                texts.append(QString(button->text()).remove(u'&'));
            }
        }
        texts.sort();
        if (act) {
            act(dialog);
        }
        if (dialog->isVisible()) {
            dialog->done(QDialog::Rejected);
        }
    });
    poll->start(10);
}

void expectNoEnglish(const QStringList& texts)
{
    for (const char* english : {"Open", "Cancel", "Choose", "Yes", "No", "Copy"}) {
        EXPECT_FALSE(texts.contains(QLatin1String(english))) << texts.join(u',').toStdString();
    }
}

using WindowLookTest = WindowFixture;

TEST_F(WindowLookTest, MessageBoxesChoosersAndTextFieldsSpeakGerman)
{
    start();
    Dialogs::setHandler(nullptr); // Qt's real boxes and choosers from here on
    const QStringList yesNo{QStringLiteral("Ja"), QStringLiteral("Nein")};
    QStringList shown;
    whenDialogShows(shown); // our question is German even before Qt's translation is there
    EXPECT_FALSE(Dialogs::ask(&window(), QStringLiteral("Weiter?")));
    EXPECT_EQ(shown, yesNo);

    ASSERT_TRUE(QtGerman::install());
    const QString file = writeFile(QStringLiteral("haus.cfg"), "Entry Header\r\n{\r\n}\r\n");
    whenDialogShows(shown, [&](QDialog* chooser) {
        static_cast<QFileDialog*>(chooser)->selectFile(file);
        chooser->accept();
    });
    click(loadButton());
    EXPECT_TRUE(shown.contains(QStringLiteral("Öffnen")) && shown.contains("Abbrechen"));
    expectNoEnglish(shown);
    ASSERT_EQ(window().ImportFileName(), file);

    QFile::remove(file);
    whenDialogShows(shown);
    click(startButton()); // the notice that the file is gone
    EXPECT_EQ(shown, QStringList{QStringLiteral("OK")});
    whenDialogShows(shown);
    MessageBoxPrompter(&window()).askYesNo(QStringLiteral("Preisliste"), QStringLiteral("Laden?"));
    EXPECT_EQ(shown, yesNo);

    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    shown.clear();
    for (const QAction* action : menu->actions()) {
        shown.append(action->text().section(u'\t', 0, 0).remove(u'&'));
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("Kopieren")));
    expectNoEnglish(shown);
}

TEST_F(WindowLookTest, DisabledStartButtonGreyCheckBoxesAndTheLineBelowTheToolBar)
{
    start();
    const auto greenCaption = [this] {
        const QImage image = startButton()->grab().toImage();
        int green = 0;
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const QColor c = image.pixelColor(i % image.width(), i / image.width());
            green += int(c.green() >= 100 && c.red() < 80 && c.blue() < 80);
        }
        return green;
    };
    EXPECT_EQ(greenCaption(), 0); // disabled at start, and it must look so
    load(sample("Haus.cfg"));
    EXPECT_GT(greenCaption(), 0);
    load(writeFile(QStringLiteral("kaputt.cfg"), "kein Kopf\r\n"));
    EXPECT_EQ(greenCaption(), 0);

    for (QCheckBox* feeBox : {basementBox(), waterBox()}) {
        const QImage box = feeBox->grab().toImage();
        EXPECT_EQ(box.pixelColor(box.width() - 2, box.height() / 2), QColor(0x95, 0x95, 0x95));
    }
    // Where Bevel1 reaches into the tool bar's height, the tool bar is seen.
    const QImage client = window().centralWidget()->grab().toImage();
    for (int y = 31; y < 39; ++y) {
        for (int x = 393; x < 396; ++x) {
            EXPECT_EQ(client.pixelColor(x, y), client.pixelColor(420, y)) << x << "," << y;
        }
    }
}

TEST_F(WindowLookTest, NothingStartsWhileALoadTestsTheFile)
{
    start();
    load(sample("Haus.cfg")); // "Berechnung starten" is enabled now
    // A long file with its header at the end keeps the test busy while Qt processes events.
    const QString file = writeFile(QStringLiteral("lang.cfg"),
                                   QByteArray("x\r\n").repeated(300000) + "Entry Header\r\n{\r\n");
    const auto expectEnabled = [this](bool enabled) {
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 loadButton(), startButton(), refreshButton(), basementBox(), editTool()}) {
            EXPECT_EQ(widget->isEnabled(), enabled) << widget->objectName().toStdString();
        }
        EXPECT_EQ(importMenu()->isEnabled(), enabled);
    };
    bool inside = false;
    QTimer::singleShot(0, &window(), [&] {
        inside = true;
        expectEnabled(false);
        click(startButton());
        click(loadButton());
        EXPECT_FALSE(window().RunActive());
        EXPECT_FALSE(window().close());
    });
    load(file);
    ASSERT_TRUE(inside);
    EXPECT_EQ(m_dialogs.openCalls.size(), 2); // no second load inside the first
    EXPECT_EQ(window().ImportFileName(), file);
    EXPECT_TRUE(window().CloseAllowed());
    expectEnabled(true);
}

TEST_F(WindowLookTest, AFileSavedButNotReadBackIsReportedAsSavedAndFindNeedsAText)
{
    start();
    const QString file = writeFile(QStringLiteral("haus.cfg"), "Entry Header\r\n{\r\n}\r\n");
    load(file);
    run();
    const int protocol = protocolList()->count();
    // The saved file's place is taken by a folder before the main window reads it back.
    TImportedit& editor = m_windows->importedit();
    QObject::disconnect(&editor, &TImportedit::saved, nullptr, nullptr);
    QObject::connect(&editor, &TImportedit::saved, [](const QString& path) {
        QFile::remove(path);
        QDir().mkdir(path);
    });
    window().setDialogs(&m_windows->pfadangaben(), &editor, &m_windows->info());
    QTimer::singleShot(0, &editor, [&] {
        auto* next = editor.findDialog()->findChild<QPushButton*>(QStringLiteral("FindNext"));
        EXPECT_FALSE(next->isEnabled()); // nothing to look for
        editor.findDialog()->setFindText(QStringLiteral("Entry"));
        EXPECT_TRUE(next->isEnabled());
        QTest::mouseClick(editor.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        if (editor.isVisible()) {
            ADD_FAILURE() << "the editor stays open although the file is saved";
            editor.reject();
        }
    });
    click(editTool());
    ASSERT_EQ(m_dialogs.messages.size(), 2); // the question, then no notice to calculate again
    EXPECT_EQ(m_dialogs.messages[1].text,
              QStringLiteral("Die Importdatei wurde gespeichert, kann aber nicht geladen werden. "
                             "Datei %1 kann nicht geöffnet werden. Ist ein Ordner.")
                  .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(protocolList()->count(), protocol); // as after a load that failed
}

TEST_F(WindowLookTest, AssistiveTechnologyReadsTheWindowAsItIsSeen)
{
    start();
    load(sample("Haus.cfg"));
    run();
    const auto text = [this](const char* name, QAccessible::Text kind = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(control<QWidget>(name))->text(kind);
    };
    for (QWidget* widget : window().centralWidget()->findChildren<QWidget*>(
             QRegularExpression(QStringLiteral("^(BitBtn|ListBox|BDigit|BLED|BProgress|CheckBox|"
                                               "StaticText|ToolButton[125])\\d*$")))) {
        EXPECT_FALSE(text(widget->objectName().toLatin1()).trimmed().isEmpty())
            << widget->objectName().toStdString();
    }
    EXPECT_EQ(text("ToolButton1"), QStringLiteral("Importpfad setzen"));
    EXPECT_EQ(text("BitBtn3"), QStringLiteral("Anzeigen: Ineinanderliegende Items"));
    for (const char* show : {"BitBtn3", "BitBtn4", "BitBtn7"}) {
        EXPECT_EQ(text(show, QAccessible::Description),
                  QStringLiteral("Zeigt den selektierten Eintrag in der Liste an"));
    }
    const int items = itemCountDisplay()->Wert();
    EXPECT_EQ(text("BDigit2") + u' ' + text("BDigit2", QAccessible::Value),
              QStringLiteral("Anzahl Items %1").arg(items));
    EXPECT_EQ(text("BLED4") + u' ' + text("BLED4", QAccessible::Value),
              QStringLiteral("Itemberechnung an, grün"));
    EXPECT_EQ(text("BProgress1", QAccessible::Value), QStringLiteral("100 %"));
}

} // namespace
