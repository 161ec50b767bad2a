// "Hingehen" in the item views of the Windows program, with a player's file that means harm: only
// a go-to built from numbers reaches the stand-in client.
#include "StandIn.h"
#include "support/CraftedImport.h"
#include "support/RecordingPrompts.h"
#include "support/ViewsTestSupport.h"

#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(GoToWindowsView, ACraftedFileGetsNothingButAGoToBuiltFromNumbersTyped)
{
    ensureApplication();
    const QTemporaryDir folder;
    const CraftedImport crafted = CraftedImport::run(QDir(folder.path()));
    ASSERT_FALSE(crafted.movableLine.isEmpty() || crafted.nestedLine.isEmpty());
    const StandIn client(L"Ultima Online");
    ASSERT_TRUE(client.ready());
    auto prompts = std::make_shared<RecordingPrompts>();
    prompts->whileShown = [](QDialog& shown) { clickButton(shown, "BitBtn1"); };

    TAnsichtbeweglich movable(nullptr, ItemViewDialog::Services{prompts, nullptr});
    ASSERT_TRUE(movable.showLine(crafted.movableLine));
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(client.typed(), "");

    TAnsichtinein nested(nullptr, ItemViewDialog::Services{prompts, nullptr});
    ASSERT_TRUE(nested.showLine(crafted.nestedLine));
    EXPECT_EQ(client.typed(), CraftedImport::kNestedKeys);
}

} // namespace
