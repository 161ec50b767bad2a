#include "support/FakeDialogs.h"

#include "base/Version.h"
#include "gui/ErrorReport.h"
#include "gui/Fonts.h"
#include "views/lists/TResultList.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace {

// Colours found in one entry's row of the drawn list.
std::set<QRgb> rowColours(TResultList& list, int row)
{
    const QImage image = list.viewport()->grab().toImage();
    const QRect rect = list.visualItemRect(list.item(row));
    std::set<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x < rect.left() + 120; ++x) {
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
        }
    }
    return colours;
}

class ResultListTest : public GuiTest
{
protected:
    TResultList m_list{Fonts::sansSerif(11), 13};
};

TEST_F(ResultListTest, EntriesKeepTextAndColourAndAreDrawnInIt)
{
    m_list.resize(386, 81);
    m_list.LogLine(QStringLiteral("Itemanzahl > 3000 Items"), TResultList::Red);
    m_list.LogLine(QStringLiteral("12:00:00 Berechnung Itemanzahl gestartet"), TResultList::Green);
    m_list.show();
    ASSERT_EQ(m_list.count(), 2);
    EXPECT_EQ(m_list.entryText(0), QStringLiteral("Itemanzahl > 3000 Items"));
    EXPECT_EQ(m_list.entryColour(1), 0x008000u);
    EXPECT_EQ(m_list.currentRow(), -1); // appending selects nothing

    const auto red = rowColours(m_list, 0);
    EXPECT_TRUE(red.count(0xC0C0C0)); // silver background
    EXPECT_TRUE(red.count(0xFF0000)); // red text (0x0000FF in the window system's order)
    EXPECT_EQ(m_list.visualItemRect(m_list.item(0)).height(), 13);

    m_list.SelectLastEntry();
    const auto selected = rowColours(m_list, 1);
    EXPECT_TRUE(selected.count(0x000080)); // navy
    EXPECT_TRUE(selected.count(0xFFFFFF)); // white text
    EXPECT_FALSE(selected.count(0x008000));
    EXPECT_TRUE(rowColours(m_list, 0).count(0xFF0000)); // the older entry shows its own colour
}

TEST_F(ResultListTest, SelectLastEntryBringsTheNewestLineIntoView)
{
    m_list.resize(386, 81);
    m_list.show();
    m_list.SelectLastEntry(); // empty: nothing happens
    EXPECT_EQ(m_list.currentRow(), -1);
    for (int i = 0; i < 200; ++i) {
        m_list.LogLine(QStringLiteral("Zeile %1").arg(i), TResultList::Black);
    }
    m_list.SelectLastEntry();
    EXPECT_EQ(m_list.currentRow(), 199);
    EXPECT_TRUE(m_list.viewport()->rect().contains(m_list.visualItemRect(m_list.item(199))));
    m_list.clear();
    EXPECT_EQ(m_list.count(), 0);
}

TEST_F(ResultListTest, LongTextIsCutWithoutHorizontalScrolling)
{
    m_list.resize(120, 81);
    m_list.show();
    m_list.LogLine(QString(200, u'W'), TResultList::Black);
    EXPECT_EQ(m_list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(m_list.entryText(0).size(), 200);
}

TEST(ErrorReport, AddsAFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(ErrorReport::text(QStringLiteral("Datei x kann nicht geöffnet werden. Zugriff")),
              QStringLiteral("Datei x kann nicht geöffnet werden. Zugriff."));
    EXPECT_EQ(ErrorReport::text(QStringLiteral("Fertig!")), QStringLiteral("Fertig!"));
    EXPECT_EQ(ErrorReport::text(QStringLiteral("Ende.")), QStringLiteral("Ende."));
    EXPECT_EQ(ErrorReport::text(QStringLiteral("Pfad /")), QStringLiteral("Pfad /."));
    EXPECT_EQ(ErrorReport::text(QString()), QString());
}

TEST(ErrorReport, GuardShowsTheErrorAndGoesOn)
{
    testApp();
    FakeDialogs dialogs;
    bool after = false;
    EXPECT_FALSE(ErrorReport::guard(nullptr, [&] {
        throw std::runtime_error("'5 ' ist kein gültiger Integerwert");
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("'5 ' ist kein gültiger Integerwert."));
    EXPECT_TRUE(ErrorReport::guard(nullptr, [] {}));
}

} // namespace
