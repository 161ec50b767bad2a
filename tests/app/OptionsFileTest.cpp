#include "app/OptionsFile.h"
#include "gui/TextCodec.h"
#include "importfile/ImportLines.h"
#include "support/engine/FileSizeLimit.h"
#ifdef _WIN32
#include "support/FileHeldOpen.h"
#endif

#include <QDir>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class OptionsFileTest : public ::testing::Test
{
protected:
    QByteArray content() const
    {
        QFile file(m_dir.filePath(QStringLiteral("Optionen.txt")));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void write(const QByteArray& bytes) const
    {
        QFile file(m_dir.filePath(QStringLiteral("Optionen.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    OptionsFile m_options{m_dir.path() + u'/'};
};

TEST_F(OptionsFileTest, FirstReadCreatesAnEmptyFileAndGivesEmptyValues)
{
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Importpfad")), QString());
    EXPECT_TRUE(QFile::exists(m_options.path()));
    EXPECT_EQ(content(), QByteArray());
}

TEST_F(OptionsFileTest, NewKeysAreAddedLastAndChangedKeysKeepTheirLine)
{
    m_options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("true"));
    m_options.Optionenspeichern(QStringLiteral("Importpfad"), QStringLiteral("/srv/Export/"));
    m_options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("false"));
    EXPECT_EQ(content(), QByteArray("Download|false\r\nImportpfad|/srv/Export/\r\n"));
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Download")), QStringLiteral("false"));
}

TEST_F(OptionsFileTest, ForeignLinesSurviveAWriteByteForByte)
{
    // Other keys, an empty line, a line without "|", a Windows-1252 umlaut and a LF-only line.
    write("Fremd|\xe4lter Wert\r\n\r\nohne Trenner\r\nDownload|true\nZeile|x");
    m_options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("false"));
    EXPECT_EQ(content(), QByteArray("Fremd|\xe4lter Wert\r\n\r\nohne Trenner\r\nDownload|false\r\n"
                                    "Zeile|x\r\n"));
}

TEST_F(OptionsFileTest, KeysAreMatchedExactlyAndTheFirstOfTwoLinesCounts)
{
    write("Importpfad|/home/Downloads/\r\ndownload|klein\r\nDownload|erste\r\nDownload|zweite\r\n");
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Download")), QStringLiteral("erste"));
    m_options.Optionenspeichern(QStringLiteral("Download"), QStringLiteral("neu"));
    EXPECT_EQ(content(), QByteArray("Importpfad|/home/Downloads/\r\ndownload|klein\r\n"
                                    "Download|neu\r\nDownload|zweite\r\n"));
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Importpfad")),
              QStringLiteral("/home/Downloads/"));
}

TEST_F(OptionsFileTest, TypedOptionsReadOddValuesAsBeforeAndRewriteOnlyWhatChanged)
{
    // A switch is its fallback unless the file holds the other word exactly; a mark is any text.
    EXPECT_TRUE(m_options.get(Options::Download));
    write("Download|False\nFenster maximiert|TRUE\nPreislisteAngeboten|false\nFenster|1,2,3,4\n");
    EXPECT_TRUE(m_options.get(Options::Download));
    EXPECT_FALSE(m_options.get(Options::FensterMaximiert));
    EXPECT_TRUE(m_options.get(Options::PreislisteAngeboten));
    EXPECT_EQ(m_options.get(Options::Fenster), QStringLiteral("1,2,3,4"));

    // The same text is not written again: the file keeps its bytes, LF line ends included.
    const QByteArray before = content();
    m_options.update(Options::Fenster, QStringLiteral("1,2,3,4"));
    EXPECT_EQ(content(), before);
    // "TRUE" reads as false, but is not the text false is written as.
    m_options.update(Options::FensterMaximiert, false);
    m_options.set(Options::Download, false);
    EXPECT_EQ(content(), QByteArray("Download|false\r\nFenster maximiert|false\r\n"
                                    "PreislisteAngeboten|false\r\nFenster|1,2,3,4\r\n"));
    EXPECT_FALSE(m_options.get(Options::Download));
}

TEST_F(OptionsFileTest, ValuesKeepBarsBlanksAndUmlauts)
{
    const QString value = QStringLiteral(" a|b||c Übersicht ");
    m_options.Optionenspeichern(QStringLiteral("Importpfad"), value);
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Importpfad")), value);
    EXPECT_EQ(content(), QByteArray("Importpfad| a|b||c \xdc"
                                    "bersicht \r\n"));
    EXPECT_EQ(m_options.Optionenladen(QStringLiteral("Download")), QString());
}

TEST_F(OptionsFileTest, AWriteThatFailsHalfWayKeepsTheOldFileAndReportsIt)
{
    SKIP_WITHOUT_FILE_SIZE_LIMIT();
    const QByteArray old = "Importpfad|/srv/alt/\r\nDownload|true\r\n";
    write(old);
    try {
        // As on a full disk: the new, longer content cannot be written completely.
        const tarvek::hardening::FileSizeLimit full(std::size_t(old.size()));
        ASSERT_TRUE(full.active());
        m_options.Optionenspeichern(QStringLiteral("Importpfad"),
                                    QStringLiteral("/srv/ein/viel/laengerer/Pfad/"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("Datei \"") + m_options.path() +
                      QStringLiteral("\" kann nicht erstellt werden. Datei zu groß"));
    }
    EXPECT_EQ(content(), old);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("Optionen.txt")});
}

TEST_F(OptionsFileTest, AnUnreadableFileIsReported)
{
    write("Download|true\r\n");
    QFile::setPermissions(m_options.path(), QFileDevice::WriteOwner);
    if (QFile(m_options.path()).open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "file permissions are not enforced for this user";
    }
    try {
        m_options.Optionenladen(QStringLiteral("Download"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what())
                        .contains(QStringLiteral("kann nicht geöffnet werden. ")));
    }
}

#ifdef _WIN32
// Windows words its errors in the language of the Windows; the reasons users meet most are German
// whatever that language, where Qt reports them and where the engine does.
TEST_F(OptionsFileTest, WindowsReasonsAreGerman)
{
    write("Download|true\r\n");
    const tarvek::hardening::FileHeldOpen held(m_options.path(),
                                               tarvek::hardening::FileHeldOpen::Sharing::Locked);
    ASSERT_TRUE(held.active());
    const std::string inUse = "Datei wird von einem anderen Programm verwendet";
    try {
        m_options.Optionenladen(QStringLiteral("Download"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), "Datei " +
                                    QDir::toNativeSeparators(m_options.path()).toStdString() +
                                    " kann nicht geöffnet werden. " + inUse);
    }
    const auto read =
        tarvek::readRegularFile(m_options.path().toStdString(), tarvek::kImportFileKind);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().reason, inUse);
}
#endif

TEST(OptionsFileCreate, AFolderThatDoesNotExistIsReported)
{
    const QTemporaryDir dir;
    const OptionsFile options(dir.filePath(QStringLiteral("fehlt/")));
    try {
        options.Optionenladen(QStringLiteral("Download"));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()).left(7), QStringLiteral("Datei \""));
        EXPECT_TRUE(QString::fromUtf8(error.what())
                        .endsWith(QStringLiteral("Optionen.txt\" kann nicht erstellt werden. "
                                                 "Datei oder Ordner nicht gefunden")));
    }
}

TEST(OptionsFileTrim, RemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(OptionsFile::trimmed(QStringLiteral(" \t\x01/srv/Export/ \r\n")),
              QStringLiteral("/srv/Export/"));
    EXPECT_EQ(OptionsFile::trimmed(QStringLiteral("a b")), QStringLiteral("a b"));
    EXPECT_EQ(OptionsFile::trimmed(QStringLiteral("  ")), QString());
}

TEST(TextCodec, EveryByteValueRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = TextCodec::toText(all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0x81), QChar(0x81));
    EXPECT_EQ(text.at(0xE4), QChar(0xE4));
    EXPECT_EQ(TextCodec::toBytes(text), all);
}

TEST(TextCodec, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(TextCodec::splitLines("a\r\nb\nc\rd"), (QList<QByteArray>{"a", "b", "c", "d"}));
    EXPECT_EQ(TextCodec::splitLines("a\r\n\r\n"), (QList<QByteArray>{"a", ""}));
    EXPECT_TRUE(TextCodec::splitLines("").isEmpty());
}

} // namespace
