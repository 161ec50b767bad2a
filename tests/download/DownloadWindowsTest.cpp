#include "download/MessageBoxPrompter.h"
#include "download/TLaden.h"
#include "download/TVerbindungsaufbau.h"
#include "support/DownloadFakes.h"
#include "widgets/TBDigit.h"
#include "widgets/TBProgress.h"
#include "widgets/TBVerlauf.h"

#include <QLabel>

#include <gtest/gtest.h>

class DownloadWindowsTest : public ::testing::Test
{
protected:
    QApplication& m_app = testApp();
};

TEST_F(DownloadWindowsTest, BothWindowsRefuseToCloseUntilAllowed)
{
    TVerbindungsaufbau wait;
    TLaden progress;
    for (GuardedWindow* window :
         {static_cast<GuardedWindow*>(&wait), static_cast<GuardedWindow*>(&progress)}) {
        EXPECT_FALSE(window->closeAllowed());
        window->showCentred();
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        window->closeNow();
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(window->closeAllowed());
    }
}

TEST_F(DownloadWindowsTest, ConnectionWaitWindowLayout)
{
    TVerbindungsaufbau wait;
    EXPECT_EQ(wait.size(), QSize(328, 51));
    EXPECT_TRUE(wait.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(wait.text(), "Tarvek baut die Verbindung zum Velmar-Server auf, bitte warten....");
    const auto* label = wait.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(57, 15, 227, 29));
    EXPECT_TRUE(label->wordWrap());
    const auto* image2 = wait.findChild<QLabel*>(QStringLiteral("Image2"));
    ASSERT_NE(image2, nullptr);
    EXPECT_EQ(image2->geometry(), QRect(283, 7, 35, 38));
}

TEST_F(DownloadWindowsTest, ProgressWindowShowsTheValueTheBarHolds)
{
    TLaden progress;
    EXPECT_EQ(progress.windowTitle(), "Laden");
    EXPECT_EQ(progress.size(), QSize(345, 23));
    const auto* bar = progress.findChild<TBProgress*>(QStringLiteral("BProgress1"));
    const auto* digit = progress.findChild<TBDigit*>(QStringLiteral("BDigit1"));
    const auto* gradient = progress.findChild<TBVerlauf*>(QStringLiteral("BVerlauf1"));
    ASSERT_TRUE(bar && digit && gradient);
    EXPECT_EQ(bar->geometry(), QRect(0, 2, 288, 20));
    EXPECT_EQ(digit->pos(), QPoint(289, 2));
    EXPECT_EQ(digit->Digitanzahl(), 3);
    EXPECT_EQ(gradient->geometry(), QRect(325, 2, 19, 19));
    EXPECT_EQ(gradient->findChild<QLabel*>()->text(), "%");

    progress.setProgress(81);
    EXPECT_EQ(bar->Wert(), 81);
    EXPECT_EQ(digit->Wert(), 81);
    progress.setProgress(250);
    EXPECT_EQ(bar->Wert(), 100);
    EXPECT_EQ(digit->Wert(), 100);
}

TEST(MessageBoxPrompterTest, ErrorReportEndsWithAFullStop)
{
    EXPECT_EQ(MessageBoxPrompter::reportText(QStringLiteral("HTTP/1.1 404 Not Found")),
              "HTTP/1.1 404 Not Found.");
    EXPECT_EQ(MessageBoxPrompter::reportText(QStringLiteral("Zugriff verweigert.")),
              "Zugriff verweigert.");
    EXPECT_EQ(MessageBoxPrompter::reportText(QStringLiteral("Fehler (5)")), "Fehler (5)");
    EXPECT_EQ(MessageBoxPrompter::reportText(QString()), "");
}
