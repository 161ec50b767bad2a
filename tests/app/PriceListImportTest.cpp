#include "support/WindowFixture.h"

#include "importfile/ImportLines.h"
#include "widgets/TBDigit.h"

#include <QAction>
#include <QDir>
#include <QWindow>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

class PriceListImportTest : public WindowFixture
{};

TEST_F(PriceListImportTest, ANewUserIsAskedOnceAndReadsTheListInThroughTheMenu)
{
    const QString target = m_dir.filePath(QStringLiteral("Preisliste.txt"));
    QFile::remove(target);
    bool shownAtQuestion = false;
    m_dialogs.onMessage = [&](const QString&) {
        shownAtQuestion = window().windowHandle()->isVisible();
    };
    m_dialogs.answers = {false};
    start();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Preisliste einlesen"));
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QDir::toNativeSeparators(m_dir.path())));
    EXPECT_TRUE(shownAtQuestion);

    // A web page instead of the list is refused, and nothing new is left in the folder.
    const QString page = writeFile(QStringLiteral("seite.html"), "<p>0x0e75 kostet 120 GS</p>");
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    m_dialogs.nextFile = page;
    priceListImport()->trigger();
    EXPECT_TRUE(m_dialogs.messages.constLast().text.contains(QStringLiteral("keine Preisliste")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), before);

    m_dialogs.nextFile = sample("Preisliste.txt");
    priceListImport()->trigger();
    EXPECT_TRUE(m_dialogs.messages.constLast().text.endsWith(QDir::toNativeSeparators(target)));
    load(sample("Haus.cfg"));
    run();
    EXPECT_EQ(totalDisplay()->Wert(), 38840);

    // The next start without a price list does not ask again.
    const qsizetype shown = m_dialogs.messages.size();
    delete m_windows;
    QFile::remove(target);
    start();
    EXPECT_EQ(m_dialogs.messages.size(), shown);
}

// Files from strangers: a pipe or a giant file never freezes the window, UTF-16 is refused with
// what to do, and an import file in UTF-8 with its byte-order mark loads and runs.
TEST_F(PriceListImportTest, StrangerFilesAreRefusedWithTheirReasonOrReadInTheirEncoding)
{
    start();
    const auto lastMessage = [this] { return m_dialogs.messages.constLast().text; };
    const QString utf16 = writeFile(QStringLiteral("utf16.txt"), QByteArray("\xff\xfe"
                                                                            "0\0x\0",
                                                                            6));
    m_dialogs.nextFile = utf16;
    priceListImport()->trigger();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Sie ist in UTF-16 gespeichert")))
        << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("als UTF-8 oder Windows-1252")));
#ifndef _WIN32
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.cfg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString giant = writeFile(QStringLiteral("giant.cfg"), {});
    ASSERT_TRUE(QFile::resize(giant, qint64(tarvek::kImportFileKind.limit) + 1));
    load(pipe);
    EXPECT_EQ(lastMessage(), QStringLiteral("Datei %1 kann nicht geöffnet werden. Sie ist keine "
                                            "gewöhnliche Datei, sondern etwa eine benannte Pipe "
                                            "oder ein Gerät, und wird nicht gelesen.")
                                 .arg(pipe));
    load(giant);
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("größer als 64 MiB; so groß ist keine "
                                                      "Importdatei.")));
    m_dialogs.nextFile = pipe;
    priceListImport()->trigger();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("keine gewöhnliche Datei")));
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("Die bisherige Preisliste bleibt "
                                                      "unverändert.")));
#endif
    QFile sample(WindowFixture::sample("Haus.cfg"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    load(writeFile(QStringLiteral("bom.cfg"), "\xef\xbb\xbf" + sample.readAll()));
    run();
    EXPECT_EQ(totalDisplay()->Wert(), 38840);
}

} // namespace
