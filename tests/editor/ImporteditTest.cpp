#include "support/FakeDialogs.h"

#include "base/Version.h"
#include "editor/TFindDialog.h"
#include "editor/TImportedit.h"
#include "support/engine/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace {

class ImporteditTest : public GuiTest
{
protected:
    ~ImporteditTest() override { m_editor.hide(); }

    void writeFile(const QByteArray& bytes)
    {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile() const
    {
        QFile file(m_path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void open(const QByteArray& bytes)
    {
        m_editor.hide(); // showing it again reads the file again
        writeFile(bytes);
        m_editor.setEditFileName(m_path);
        m_editor.show();
    }
    QPlainTextEdit* memo() const { return m_editor.findChild<QPlainTextEdit*>("Memo1"); }
    void click(const char* name) const
    {
        QTest::mouseClick(m_editor.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    void findNext(const QString& text) const
    {
        m_editor.findDialog()->findChild<QLineEdit*>("FindText")->setText(text);
        QTest::mouseClick(m_editor.findDialog()->findChild<QPushButton*>("FindNext"),
                          Qt::LeftButton);
    }

    FakeDialogs m_dialogs;
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Haus.cfg"));
    TImportedit m_editor;
};

TEST_F(ImporteditTest, SavingUnchangedTextWritesEveryByteValueBack)
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            bytes.append(static_cast<char>(b));
        }
    }
    const QByteArray content = "Entry Header\r\n{\r\n" + bytes + "\r\n\xa0\xa0 nbsp\r\n\r\n}\r\n";
    open(content);
    QList<bool> savedAtMessage;
    QString savedName;
    QObject::connect(&m_editor, &TImportedit::saved,
                     [&](const QString& name) { savedName = name; });
    m_dialogs.onMessage = [&](const QString&) { savedAtMessage.append(!savedName.isEmpty()); };
    m_dialogs.answers = {true};

    click("BitBtn2");

    EXPECT_EQ(readFile(), content);
    EXPECT_EQ(savedName, m_path);
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    EXPECT_EQ(m_dialogs.messages[0].text,
              QStringLiteral("Sollen eventuelle Änderungen wirklich gespeichert werden?"));
    EXPECT_EQ(m_dialogs.messages[1].title, QStringLiteral("Hinweis"));
    EXPECT_TRUE(m_dialogs.messages[1].text.startsWith(
        QStringLiteral("Es wurden eventuelle Änderungen vorgenommen.")));
    // The question comes before the save, the notice after the main window has been told.
    EXPECT_EQ(savedAtMessage, (QList<bool>{false, true}));
    EXPECT_FALSE(m_editor.isVisible());
}

TEST_F(ImporteditTest, SavingWritesCrLfAfterEveryLineAndEditsGoIn)
{
    open("a\nb\rc");
    memo()->appendPlainText(QStringLiteral("Ä"));
    m_dialogs.answers = {true};
    click("BitBtn2");
    EXPECT_EQ(readFile(), QByteArray("a\r\nb\r\nc\r\n\xc4\r\n"));
}

// A file is saved in the encoding it was read in: UTF-8 keeps its byte-order mark (or has none),
// Windows-1252 stays single-byte.
TEST_F(ImporteditTest, SavingKeepsTheEncodingOfTheFile)
{
    const QByteArray utf8 = "Entry Header\r\n{\r\nT\xc3\xbcr\r\n";
    for (const QByteArray& start : {QByteArray("\xef\xbb\xbf"), QByteArray()}) {
        open(start + utf8);
        EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Entry Header\n{\nTür"));
        memo()->appendPlainText(QStringLiteral("Ω"));
        m_dialogs.answers = {true};
        click("BitBtn2");
        EXPECT_EQ(readFile(), start + utf8 + "\xce\xa9\r\n");
    }
    open("Entry Header\r\n{\r\nT\xfcr\r\n");
    memo()->appendPlainText(QStringLiteral("Ä"));
    m_dialogs.answers = {true};
    click("BitBtn2");
    EXPECT_EQ(readFile(), QByteArray("Entry Header\r\n{\r\nT\xfcr\r\n\xc4\r\n"));
}

// What the file's encoding cannot hold as the editor shows it is not saved, never written as
// other bytes: the error names the line, the cursor stands on it, the file stays as it was. Once
// the line is mended the save goes through.
TEST_F(ImporteditTest, TextThatWouldBeSavedAsOtherBytesIsRefusedWithItsLine)
{
    // UTF-8 with its byte-order mark, but a Windows-1252 "ä" (no UTF-8) in line 3.
    const QByteArray broken = "\xef\xbb\xbf"
                              "Entry Header\r\n{\r\nK\xe4"
                              "se\r\n}\r\n";
    open(broken);
    click("BitBtn2");
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(
        QStringLiteral("Die Importdatei wird nicht gespeichert: Zeile 3 enthält Bytes, die kein "
                       "gültiges UTF-8 sind")));
    EXPECT_EQ(memo()->textCursor().blockNumber(), 2);
    EXPECT_EQ(readFile(), broken);
    memo()->setPlainText(memo()->toPlainText().replace(QChar::ReplacementCharacter, u'ä'));
    click("BitBtn2");
    EXPECT_EQ(readFile(), QByteArray("\xef\xbb\xbf"
                                     "Entry Header\r\n{\r\nK\xc3\xa4"
                                     "se\r\n}\r\n"));

    // Valid UTF-8 that holds U+FFFD itself is saved as it is.
    const QByteArray replacement = "Entry Header\r\n{\r\n\xef\xbf\xbd \xc3\xa4\r\n";
    open(replacement);
    click("BitBtn2");
    EXPECT_EQ(readFile(), replacement);

    // Windows-1252 has no arrow; a direction mark is named by its number alone.
    open("Entry Header\r\n{\r\n\xe4\r\n");
    memo()->appendPlainText(QStringLiteral("\u202E \u2192"));
    m_dialogs.messages.clear();
    click("BitBtn2");
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(QStringLiteral(
        "Die Importdatei wird nicht gespeichert: Zeile 4 enthält das Zeichen U+202E, das es in der "
        "Kodierung der Datei (Windows-1252) nicht gibt.")));
    EXPECT_EQ(readFile(), QByteArray("Entry Header\r\n{\r\n\xe4\r\n"));
}

TEST_F(ImporteditTest, AnsweringNoOrClosingLeavesTheFileAsItWas)
{
    open("Entry Header\r\n{\r\n");
    memo()->appendPlainText(QStringLiteral("weg"));
    m_dialogs.answers = {false};
    bool saved = false;
    QObject::connect(&m_editor, &TImportedit::saved, [&] { saved = true; });
    click("BitBtn2");
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_EQ(m_dialogs.messages.size(), 1); // the question only, no notice
    EXPECT_FALSE(saved);

    m_editor.show(); // every showing reloads the file
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Entry Header\n{"));
    memo()->appendPlainText(QStringLiteral("weg"));
    click("BitBtn3");
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_EQ(readFile(), QByteArray("Entry Header\r\n{\r\n"));
}

TEST_F(ImporteditTest, EscapeAndTheCloseBoxAskBeforeEditsAreDiscarded)
{
    m_editor.setWindowTitle(QStringLiteral("Importdatei Haus.cfg"));
    open("Entry Header\r\n{\r\n");
    QTest::keyClick(&m_editor, Qt::Key_Escape); // nothing typed: closes without a question
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    m_editor.show();
    memo()->setFocus();
    QTest::keyClicks(memo(), QStringLiteral("neu"));
    EXPECT_EQ(m_editor.windowTitle(), QStringLiteral("* Importdatei Haus.cfg"));
    m_dialogs.answers = {false, false}; // "Zurück zum Editor", twice
    QTest::keyClick(memo(), Qt::Key_Escape);
    EXPECT_TRUE(m_editor.isVisible());
    m_editor.close();
    EXPECT_TRUE(m_editor.isVisible());
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    EXPECT_EQ(m_dialogs.messages[0].text,
              QStringLiteral("Der Text der Importdatei wurde geändert. "
                             "Sollen die Änderungen verworfen werden?"));
    EXPECT_TRUE(memo()->toPlainText().startsWith(QStringLiteral("neu")));

    m_dialogs.answers = {true}; // "Verwerfen"
    QTest::keyClick(memo(), Qt::Key_Escape);
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_EQ(readFile(), QByteArray("Entry Header\r\n{\r\n"));
    m_editor.show();
    EXPECT_EQ(m_editor.windowTitle(), QStringLiteral("Importdatei Haus.cfg"));
}

TEST_F(ImporteditTest, AFileThatCannotBeWrittenKeepsTheEditorOpenWithItsText)
{
    open("Entry Header\r\n{\r\n");
    memo()->appendPlainText(QStringLiteral("neu"));
    // The file's place is taken by a folder, so the save cannot replace it.
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(QDir().mkdir(m_path));
    m_dialogs.answers = {true};
    click("BitBtn2");
    EXPECT_TRUE(m_editor.isVisible());
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    EXPECT_EQ(m_dialogs.messages[1].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_TRUE(m_dialogs.messages[1].text.contains(QStringLiteral("kann nicht erstellt werden")));
    EXPECT_TRUE(memo()->toPlainText().endsWith(QStringLiteral("neu")));
}

TEST_F(ImporteditTest, ASaveThatFailsHalfWayKeepsTheOldFileAndTheEditorOpen)
{
    SKIP_WITHOUT_FILE_SIZE_LIMIT();
    const QByteArray old = "Entry Header\r\n{\r\n\xe4\xf6\xfc\r\n";
    open(old);
    memo()->appendPlainText(QStringLiteral("Entry I 0x40000001\n{\n\tgraphic\t3701\n}"));
    m_dialogs.answers = {true};
    {
        const tarvek::hardening::FileSizeLimit full(std::size_t(old.size()));
        ASSERT_TRUE(full.active());
        click("BitBtn2");
    }
    EXPECT_EQ(readFile(), old);
    EXPECT_TRUE(m_editor.isVisible());
    EXPECT_EQ(m_dialogs.notices().size(), 1);
    EXPECT_TRUE(m_dialogs.notices().value(0).endsWith(
        QStringLiteral("kann nicht erstellt werden. Datei zu groß.")))
        << m_dialogs.notices().value(0).toStdString();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Haus.cfg")});
}

TEST_F(ImporteditTest, AMissingFileIsReportedAndCannotBeOverwritten)
{
    m_editor.setEditFileName(m_dir.filePath(QStringLiteral("fehlt.cfg")));
    m_editor.show();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("kann nicht geöffnet werden")));
    EXPECT_FALSE(m_editor.findChild<QPushButton*>("BitBtn2")->isEnabled());
}

TEST_F(ImporteditTest, FindWalksForwardThroughTheMatchesAndStartsAgain)
{
    open("graphic\t1173\r\nx graphic\r\nGraphic\r\n\tgraphic\t3\r\n");
    click("BitBtn1");
    EXPECT_TRUE(m_editor.findDialog()->isVisible());

    QList<int> starts;
    for (int i = 0; i < 3; ++i) {
        findNext(QStringLiteral("graphic"));
        starts.append(memo()->textCursor().selectionStart());
        EXPECT_EQ(memo()->textCursor().selectedText(), QStringLiteral("graphic"));
    }
    EXPECT_EQ(starts, (QList<int>{0, 15, 32}));
    EXPECT_EQ(m_editor.FindPos(), 33);
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    findNext(QStringLiteral("graphic"));
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].text,
              QStringLiteral("Keine weiteren Einträge mit der Bezeichnung \"graphic\" gefunden"));
    EXPECT_EQ(m_editor.FindPos(), 0);

    findNext(QStringLiteral("graphic"));
    EXPECT_EQ(memo()->textCursor().selectionStart(), 0);

    findNext(QStringLiteral("graphic"));
    click("BitBtn1"); // "Suchen" starts at the top again
    findNext(QStringLiteral("graphic"));
    EXPECT_EQ(memo()->textCursor().selectionStart(), 0);
}

TEST_F(ImporteditTest, FindIsCaseSensitiveAndReportsTextsThatDoNotOccur)
{
    open("graphic\r\n");
    click("BitBtn1");
    findNext(QStringLiteral("Graphic"));
    findNext(QStringLiteral("Haus"));
    EXPECT_EQ(m_dialogs.texts(),
              (QStringList{QStringLiteral("\"Graphic\" kann nicht gefunden werden"),
                           QStringLiteral("\"Haus\" kann nicht gefunden werden")}));
}

} // namespace
