// Texts from an import file, a price list or a file name reach the user as they stand: the main
// window's boxes and status line take no markup from them and no direction mark turns them round.
#include "support/WindowFixture.h"

#include "base/Version.h"
#include "support/MarkupName.h"

#include <QLabel>

namespace {

using PlainTextTest = WindowFixture;

QByteArray importWithGraphic(const QByteArray& graphic)
{
    return "Entry Header\r\n{\r\n}\r\nEntry I 1\r\n{\r\n\tgraphic\t" + graphic +
           "\r\n\tx\t10\r\n\ty\t10\r\n\tz\t0\r\n\tcolor\t0\r\n}\r\n";
}

// The one box shown so far: an error whose text begins with `start`, laid out as plain text.
void expectPlainError(const FakeDialogs& dialogs, const QString& title, const QString& start)
{
    ASSERT_EQ(dialogs.messages.size(), 1);
    const FakeDialogs::Shown& box = dialogs.messages[0];
    EXPECT_EQ(box.icon, Dialogs::Icon::Critical);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_TRUE(box.text.startsWith(start)) << box.text.toStdString();
    EXPECT_FALSE(box.text.contains(QChar(0x202E))) << box.text.toStdString();
}

// A link on a graphic line: the conversion message quotes it first. Taken for rich text, the
// box would show a link "Neue Preisliste laden" and hide the German words after it.
TEST_F(PlainTextTest, MarkupOnAGraphicLineShowsAsItStandsInTheErrorBox)
{
    const QByteArray markup = "<a href=\"https://example.invalid/u\">Neue Preisliste laden</a>"
                              "<span style=\"font-size:1px\">";
    start();
    load(writeFile(QStringLiteral("link.cfg"), importWithGraphic(markup)));
    run();
    expectPlainError(m_dialogs, QStringLiteral("Fehler"),
                     u'\'' + QString::fromUtf8(markup) +
                         QStringLiteral("' ist kein gültiger Integerwert"));
}

// The price (column 3) of a price line is quoted as the import's text is.
TEST_F(PlainTextTest, APriceWithMarkupAndADirectionMarkShowsAsItStands)
{
    writeFile(QStringLiteral("Preisliste.txt"), "0x0064|Wand|<b>12\xE2\x80\xAE"
                                                "0</b>|t|1|0|0|0\r\n");
    start();
    load(writeFile(QStringLiteral("wand.cfg"), importWithGraphic("100")));
    run();
    expectPlainError(m_dialogs, QStringLiteral("Fehler"),
                     QStringLiteral("'<b>12\uFFFD0</b>' ist kein gültiger Integerwert"));
}

// A file name with markup and a direction mark, in the status line and in the engine's message
// that the file cannot be opened.
TEST_F(PlainTextTest, AFileNameWithMarkupAndADirectionMarkShowsAsItStands)
{
    start();
    load(m_dir.filePath(markupFileName())); // there is no such file
    const QString shown = shownMarkupFileName();
    expectPlainError(m_dialogs, QStringLiteral("Tarvek " TARVEK_VERSION), QStringLiteral("Datei "));
    EXPECT_TRUE(m_dialogs.messages.value(0).text.contains(shown + QStringLiteral(" kann nicht")))
        << m_dialogs.messages.value(0).text.toStdString();
    auto* status = control<QLabel>("StatusPanel1");
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
    EXPECT_TRUE(status->text().endsWith(shown)) << status->text().toStdString();
}

} // namespace
