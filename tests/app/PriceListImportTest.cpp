#include "WindowFixture.h"

#include "widgets/TBDigit.h"

#include <QAction>
#include <QDir>
#include <QWindow>

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
    control<QAction>("PreislisteEinlesen1")->trigger();
    EXPECT_TRUE(m_dialogs.messages.constLast().text.contains(QStringLiteral("keine Preisliste")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), before);

    m_dialogs.nextFile = sample("Preisliste.txt");
    control<QAction>("PreislisteEinlesen1")->trigger();
    EXPECT_TRUE(m_dialogs.messages.constLast().text.endsWith(QDir::toNativeSeparators(target)));
    load(sample("Haus.cfg"));
    run();
    EXPECT_EQ(control<TBDigit>("BDigit5")->Wert(), 38840);

    // The next start without a price list does not ask again.
    const qsizetype shown = m_dialogs.messages.size();
    delete m_windows;
    QFile::remove(target);
    start();
    EXPECT_EQ(m_dialogs.messages.size(), shown);
}

} // namespace
