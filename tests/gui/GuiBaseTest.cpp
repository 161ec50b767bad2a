// The Qt base under every window, through its real code: the save dialog's suffix, atomic file
// writing and its failure text, and the error report's catch-all. The German button texts of the
// message boxes and the error report's full stop are tested with the windows (WindowLookTest,
// ResultListTest).
#include "base/Version.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/FileWriter.h"
#include "gui/QtDialogTraces.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

class GuiBaseTest : public GuiTest
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

// A name typed without a suffix takes the suffix of the filter the user picked last.
TEST_F(GuiBaseTest, SaveDialogTakesTheSuffixOfTheChosenFilter)
{
    const QString filters = QStringLiteral("PDF-Dokumente (*.pdf);;PNG-Bilder (*.png)");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down); // as the user picks the second filter
        dialog->selectFile(QStringLiteral("Grundriss"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QString chosenFilter;
    const QString chosen =
        Dialogs::saveFileName(nullptr, QStringLiteral("Grundriss speichern"),
                              path(QStringLiteral("Haus.pdf")), filters, &chosenFilter);
    EXPECT_EQ(chosen, path(QStringLiteral("Grundriss.png")));
    EXPECT_EQ(chosenFilter, QStringLiteral("PNG-Bilder (*.png)"));
}

// Qt's file dialog keeps no state in the settings that all Qt programs of the user share: no store
// where there was none, and another program's values as they were.
TEST_F(GuiBaseTest, FileDialogsLeaveNoTraceInTheSettingsOfQt)
{
#ifndef Q_OS_WIN
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path(QStringLiteral("cfg")));
#endif
    const auto choose = [this] {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        Dialogs::openFileName(nullptr, QStringLiteral("Importfile laden"), m_dir.path(),
                              QStringLiteral("Importdateien (*.cfg)"));
    };
    const auto dialogState = [] {
        QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
        settings.beginGroup(QStringLiteral("FileDialog"));
        QStringList state;
        for (const QString& key : settings.allKeys()) {
            state.append(key + u'=' + settings.value(key).toString());
        }
        return state;
    };
    const bool existed = QtDialogTraces::storeExists();
    choose();
    EXPECT_EQ(QtDialogTraces::storeExists(), existed);
    {
        const QtDialogTraces outer; // what this test adds goes again
        QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
            .setValue(QStringLiteral("FileDialog/lastVisited"), QStringLiteral("file:///anderes"));
        const QStringList before = dialogState();
        ASSERT_FALSE(before.isEmpty());
        choose();
        EXPECT_EQ(dialogState(), before);
    }
}

// Qt's own file dialog writes its dates as the program's German formats do, not the system's.
TEST_F(GuiBaseTest, FileDialogDatesFollowTheProgramsLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString file = path(QStringLiteral("Haus.cfg"));
    QFile(file).open(QIODevice::WriteOnly);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(dialog->proxyModel(), nullptr);
        const QTreeView* details = dialog->findChild<QTreeView*>();
        ASSERT_NE(details, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const QAbstractItemModel* files = details->model();
            const QModelIndexList found = files->match(files->index(0, 0, details->rootIndex()),
                                                       Qt::DisplayRole, QStringLiteral("Haus.cfg"));
            shown = found.isEmpty() ? QString() : found[0].siblingAtColumn(3).data().toString();
            return !shown.isEmpty();
        }));
        dialog->reject();
    });
    Dialogs::openFileName(nullptr, QStringLiteral("Importfile laden"), m_dir.path(),
                          QStringLiteral("SCP Dateien (*.cfg)"));
    EXPECT_EQ(shown, QLocale().toString(QFileInfo(file).lastModified(), QLocale::ShortFormat));
    EXPECT_TRUE(shown.contains(u'.')) << shown.toStdString(); // "08.12.26 18:20"
    QLocale::setDefault(before);
}

// A whole file replaces the old one and leaves nothing beside it; a file that cannot be made is
// named in the system's form, with the reason in German, and nothing is left behind.
TEST_F(GuiBaseTest, FileWriterReplacesWholeFilesAndNamesTheOneItCannotMake)
{
    const QString file = path(QStringLiteral("Optionen.txt"));
    FileWriter::writeAll(file, "Importpfad|/srv/alt/\r\nDownload|true\r\n");
    FileWriter::writeAll(file, "Download|false\r\n");
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("Download|false\r\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Optionen.txt")});

    const QString lost = path(QStringLiteral("fehlt/Rechnung.pdf"));
    try {
        FileWriter::writeAll(lost, "%PDF");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        const QString start = QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ")
                                  .arg(QDir::toNativeSeparators(lost));
        const QString text = QString::fromUtf8(error.what());
        EXPECT_TRUE(text.startsWith(start)) << error.what();
#ifndef _WIN32
        EXPECT_EQ(text.mid(start.size()), QStringLiteral("Datei oder Ordner nicht gefunden"));
#endif
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Optionen.txt")});
}

// A window's save keeps its ways: a folder is refused and stays, a link is followed and the file
// it names replaced, and a named pipe is replaced at once rather than waited on.
TEST_F(GuiBaseTest, FileWriterRefusesFoldersFollowsLinksAndNeverWaitsForAPipe)
{
    const QString folder = path(QStringLiteral("Ordner"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_THROW(FileWriter::writeAll(folder, "x"), std::runtime_error);
    EXPECT_TRUE(QFileInfo(folder).isDir());
#ifndef _WIN32
    const QString target = path(QStringLiteral("Optionen.txt"));
    FileWriter::writeAll(target, "alt");
    const QString link = path(QStringLiteral("Verweis.txt"));
    ASSERT_TRUE(QFile::link(target, link));
    FileWriter::writeAll(link, "neu");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("neu"));

    const QString pipe = path(QStringLiteral("Rohr"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    FileWriter::writeAll(pipe, "%PDF");
    EXPECT_TRUE(QFileInfo(pipe).isFile());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
#endif
}

// What escapes a handler without being a std::exception is still reported, and the next handler
// runs as usual.
TEST_F(GuiBaseTest, ErrorReportCatchesWhatIsNoStandardException)
{
    FakeDialogs dialogs;
    EXPECT_FALSE(ErrorReport::guard(nullptr, [] { throw 42; }));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Unbekannter Fehler."));
    EXPECT_TRUE(ErrorReport::guard(nullptr, [] {}));
    EXPECT_EQ(dialogs.messages.size(), 1);
}

} // namespace
