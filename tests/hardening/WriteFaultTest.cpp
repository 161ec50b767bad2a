// The options file and the import editor write through a temporary file that replaces the old
// one only when it is complete: a write that fails half-way (a full disk) or cannot start (the
// folder is a regular file) leaves the old file byte for byte and shows the error text. The
// content is larger than the limit, so part of it reaches the temporary file and the rest fails:
// QSaveFile::commit() alone would not notice a failure in its last flush. Windows has no file
// size limit; there the old file is held open by another program, so that the complete
// temporary file cannot replace it.
#include "app/OptionsFile.h"
#include "app/TPfadangaben.h"
#include "editor/TImportedit.h"
#include "support/FakeDialogs.h"
#include "support/engine/FileSizeLimit.h"
#ifdef _WIN32
#include "support/FileHeldOpen.h"
#endif
#include "base/Version.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// While it lives, saving `path` anew fails; `bytes` is less than the new content.
class SaveFault
{
public:
    SaveFault([[maybe_unused]] const QString& path, [[maybe_unused]] std::size_t bytes)
#ifdef _WIN32
        : m_fault(path, tarvek::hardening::FileHeldOpen::Sharing::OthersMayRead)
#else
        : m_fault(bytes)
#endif
    {}
    bool active() const
    {
        return m_fault.active();
    }

private:
#ifdef _WIN32
    tarvek::hardening::FileHeldOpen m_fault;
#else
    tarvek::hardening::FileSizeLimit m_fault;
#endif
};

class WriteFaultTest : public GuiTest
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static std::string readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<fehlt>";
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }
    // The text the general error report shows for a file that cannot be written.
    static QString cannotCreate(const QString& path)
    {
        return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ")
            .arg(QDir::toNativeSeparators(path));
    }
    void expectOneReport(const QString& start) const
    {
        const QStringList notices = m_dialogs.notices();
        ASSERT_EQ(notices.size(), 1) << notices.join(u'|').toStdString();
        EXPECT_EQ(m_dialogs.messages.back().title, QStringLiteral("Tarvek " TARVEK_VERSION));
        EXPECT_TRUE(notices[0].startsWith(start)) << notices[0].toStdString();
        EXPECT_GT(notices[0].size(), start.size()) << "no reason given";
    }

    FakeDialogs m_dialogs;
    QTemporaryDir m_dir;
};

const QByteArray kOptions = "; Einstellungen\r\nImportpfad|/srv/alt/\r\n\r\nDownload|true\r\n";

} // namespace

TEST_F(WriteFaultTest, OptionsFileKeptWhenTheDiskIsFull)
{
    const OptionsFile options(m_dir.path() + u'/');
    writeFile(options.path(), kOptions);
    TPfadangaben dialog(options);
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))
        ->setText(QStringLiteral("/srv/ein/viel/laengerer/Pfad/als/vorher/"));
    {
        const SaveFault full(options.path(), kOptions.size() - 1);
        ASSERT_TRUE(full.active());
        dialog.BitBtn2Click();
    }
    EXPECT_TRUE(dialog.isVisible()); // "OK" failed: the dialog stays open
    expectOneReport(cannotCreate(options.path()));
    EXPECT_EQ(readFile(options.path()), kOptions.toStdString());
    EXPECT_EQ(files(), QStringList{QStringLiteral("Optionen.txt")});
    dialog.hide();
}

TEST_F(WriteFaultTest, OptionsFileInAFolderThatIsARegularFile)
{
    writeFile(path(QStringLiteral("Programm")), kOptions);
    const OptionsFile options(path(QStringLiteral("Programm/")));
    try {
        options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("false"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith(cannotCreate(options.path())))
            << error.what();
    }
    EXPECT_EQ(readFile(path(QStringLiteral("Programm"))), kOptions.toStdString());
}

TEST_F(WriteFaultTest, ImportFileKeptWhenTheEditorsSaveFails)
{
    const QString file = path(QStringLiteral("Haus.cfg"));
    const QByteArray old = "Entry Header\r\n{\r\n\tgraphic\t100\r\n\xe4\xf6\xfc\r\n}\r\n";
    writeFile(file, old);
    TImportedit editor;
    editor.setEditFileName(file);
    editor.show();
    auto* memo = editor.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_NE(memo, nullptr);
    memo->appendPlainText(QStringLiteral("Entry I 0x40000001\n{\n\tgraphic\t3701\n}"));
    bool saved = false;
    QObject::connect(&editor, &TImportedit::saved, [&saved] { saved = true; });
    m_dialogs.answers = {true};
    {
        const SaveFault full(file, old.size());
        ASSERT_TRUE(full.active());
        QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                          Qt::LeftButton);
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(editor.isVisible()); // the text is still there to be saved elsewhere
    expectOneReport(cannotCreate(file));
    EXPECT_EQ(readFile(file), old.toStdString());
    EXPECT_EQ(files(), QStringList{QStringLiteral("Haus.cfg")});
    EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("3701\n}")));
    editor.hide();
}
