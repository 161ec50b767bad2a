#include "support/FakeDialogs.h"

#include "app/TarvekApplication.h"
#include "base/Version.h"

#include <QTimer>

#include <stdexcept>

namespace {

TEST(TarvekApplication, AnErrorThatEscapesAHandlerIsReportedAndTheProgramGoesOn)
{
    static int argc = 1;
    static char name[] = "tarvek-test";
    static char* argv[] = {name, nullptr};
    TarvekApplication application(argc, argv);
    FakeDialogs dialogs;
    bool nextEvent = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Zugriff verweigert"); });
    QTimer::singleShot(5, [&] {
        nextEvent = true;
        TarvekApplication::quit();
    });
    TarvekApplication::exec();
    EXPECT_TRUE(nextEvent);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Tarvek " TARVEK_VERSION));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Zugriff verweigert."));
    EXPECT_EQ(TarvekApplication::font().pixelSize(), 11);
}

} // namespace
