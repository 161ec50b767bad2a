// The item views read back what a calculation run writes: after a run over the sample house,
// each dialog shows the selected line of its list with every field in place.
#include "support/RecordingClient.h"
#include "support/RecordingPrompts.h"
#include "support/ViewsTestSupport.h"

#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"
#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"
#include "views/TAnsichtnichtberechnet.h"
#include "views/art/TUOArt.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using tarvek::ResultList;
using tarvek::views::ItemField;

namespace {

class SampleRunTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_observer = new tarvek::RecordingObserver;
        s_observer->setAnswer(tarvek::Answer::Yes);
        tarvek::RunSettings settings;
        settings.importFileName = TARVEK_SOURCE_DIR "/examples/Haus.cfg";
        settings.priceListFile = TARVEK_SOURCE_DIR "/examples/Preisliste.txt";
        tarvek::RunState state;
        tarvek::CalculationRun run(std::move(settings), state, *s_observer);
        s_outcome = run.execute();
    }
    static void TearDownTestSuite()
    {
        delete s_observer;
        s_observer = nullptr;
    }

    void SetUp() override
    {
        ensureApplication();
        ASSERT_EQ(s_outcome, tarvek::RunOutcome::Complete);
    }

    // The run's list as the main window shows it, with the run's selection.
    static void fill(QListWidget& widget, ResultList which)
    {
        const tarvek::RecordingObserver::List& list = s_observer->list(which);
        for (const auto& entry : list.entries) {
            widget.addItem(QString::fromUtf8(entry.text));
        }
        widget.setCurrentRow(list.selected);
    }

    // Shows the dialog for the list and returns the line it was shown for.
    QString showFor(ItemViewDialog& dialog, ResultList which)
    {
        QListWidget widget;
        fill(widget, which);
        EXPECT_GT(widget.count(), 0) << "the sample run lists items here";
        dialog.showSelected(widget);
        EXPECT_EQ(m_prompts->modalShowings, 1);
        EXPECT_TRUE(m_prompts->errors.empty());
        return widget.currentItem() == nullptr ? QString() : widget.currentItem()->text();
    }

    static QString value(const ItemViewDialog& dialog, ItemField field)
    {
        return dialog.fieldText(field).trimmed();
    }

    static inline tarvek::RecordingObserver* s_observer = nullptr;
    static inline tarvek::RunOutcome s_outcome = tarvek::RunOutcome::Aborted;
    std::shared_ptr<RecordingPrompts> m_prompts = std::make_shared<RecordingPrompts>();
    ItemViewDialog::Services m_services{m_prompts, std::make_shared<RecordingClient>()};
};

TEST_F(SampleRunTest, MovableItemViewShowsTheSelectedLine)
{
    TAnsichtbeweglich dialog(nullptr, m_services);
    const QString line = showFor(dialog, ResultList::Movable);
    EXPECT_EQ("D:" + value(dialog, ItemField::D) + ", H:" + value(dialog, ItemField::H) +
                  ", Pos. X:" + value(dialog, ItemField::X) + ", Y:" + value(dialog, ItemField::Y) +
                  ", Z:" + value(dialog, ItemField::Z),
              line);
    EXPECT_EQ(dialog.art()->artIndex(), value(dialog, ItemField::D).toInt());
}

TEST_F(SampleRunTest, NestedItemViewShowsTheSelectedLine)
{
    TAnsichtinein dialog(nullptr, m_services);
    const QString line = showFor(dialog, ResultList::Nested);
    EXPECT_EQ("D:" + value(dialog, ItemField::D) + ", H:" + value(dialog, ItemField::H) +
                  ", Pos. X:" + value(dialog, ItemField::X) + ", Y:" + value(dialog, ItemField::Y) +
                  ", Z:" + value(dialog, ItemField::Z) +
                  ", Anz.:" + value(dialog, ItemField::Anzahl),
              line);
    EXPECT_EQ(dialog.art()->artIndex(), value(dialog, ItemField::D).toInt());
}

TEST_F(SampleRunTest, NotCalculatedItemViewShowsTheSelectedLine)
{
    TAnsichtnichtberechnet dialog(nullptr, m_services);
    const QString line = showFor(dialog, ResultList::NotCalculated);
    EXPECT_EQ("D:" + value(dialog, ItemField::D) + ", H:" + value(dialog, ItemField::H) +
                  ", Anz.:" + value(dialog, ItemField::Anzahl),
              line);
    EXPECT_EQ(dialog.art()->artIndex(), value(dialog, ItemField::D).toInt());
}

} // namespace
