#include "support/RecordingClient.h"
#include "support/RecordingPrompts.h"
#include "support/ViewsTestSupport.h"

#include "base/Version.h"
#include "gui/Dialogs.h"
#include "views/TAnsichtbeweglich.h"
#include "views/TAnsichtinein.h"
#include "views/TAnsichtnichtberechnet.h"
#include "views/art/TUOArt.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using tarvek::views::ItemField;

namespace {

class ItemViewDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ensureApplication(); }

    template <typename Dialog> std::unique_ptr<Dialog> make()
    {
        return std::make_unique<Dialog>(nullptr, ItemViewDialog::Services{m_prompts, m_client});
    }

    static QLabel* label(const QDialog& dialog, const char* name)
    {
        return dialog.findChild<QLabel*>(QLatin1String(name));
    }

    std::shared_ptr<RecordingPrompts> m_prompts = std::make_shared<RecordingPrompts>();
    std::shared_ptr<RecordingClient> m_client = std::make_shared<RecordingClient>();
};

// The line of the list of items that may not be imported, as phase 5 writes it.
const QString kMovableLine = QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:5");

TEST_F(ItemViewDialogTest, MovableItemLineFillsEveryFieldAfterOneBlank)
{
    auto dialog = make<TAnsichtbeweglich>();
    EXPECT_TRUE(dialog->showLine(kMovableLine));

    EXPECT_EQ(m_prompts->modalShowings, 1);
    EXPECT_EQ(dialog->fieldText(ItemField::D), " 3645");
    EXPECT_EQ(dialog->fieldText(ItemField::H), " 0x0e3d");
    EXPECT_EQ(dialog->fieldText(ItemField::X), " 1000");
    EXPECT_EQ(dialog->fieldText(ItemField::Y), " 2000");
    EXPECT_EQ(dialog->fieldText(ItemField::Z), " 5");
    EXPECT_EQ(dialog->art()->artIndex(), 3645);
    EXPECT_EQ(dialog->art()->property("ArtIndex").toInt(), 3645);
    EXPECT_EQ(label(*dialog, "StaticText6"), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Ansicht beweglicher Items");
}

TEST_F(ItemViewDialogTest, NestedItemLineShowsTheAmountRightAlignedWithTrailingBlank)
{
    auto dialog = make<TAnsichtinein>();
    ASSERT_TRUE(dialog->showLine("D:3701, H:0x0E75, Pos. X:1432, Y:1610, Z:20, Anz.:2"));

    EXPECT_EQ(dialog->fieldText(ItemField::D), " 3701");
    EXPECT_EQ(dialog->fieldText(ItemField::H), " 0x0E75");
    EXPECT_EQ(dialog->fieldText(ItemField::X), " 1432");
    EXPECT_EQ(dialog->fieldText(ItemField::Y), " 1610");
    EXPECT_EQ(dialog->fieldText(ItemField::Z), " 20");
    EXPECT_EQ(dialog->fieldText(ItemField::Anzahl), "2 ");
    EXPECT_EQ(dialog->art()->artIndex(), 3701);
    EXPECT_TRUE(label(*dialog, "StaticText6")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(label(*dialog, "StaticText1")->alignment() & Qt::AlignLeft);
    EXPECT_EQ(dialog->windowTitle(), "Ansicht ineinanderliegendes Item");
}

TEST_F(ItemViewDialogTest, NotCalculatedLineTakesHexUpToTheAmountMarker)
{
    auto dialog = make<TAnsichtnichtberechnet>();
    ASSERT_TRUE(dialog->showLine("D:4660, H:0x1234, Anz.:1"));

    EXPECT_EQ(dialog->fieldText(ItemField::D), " 4660");
    EXPECT_EQ(dialog->fieldText(ItemField::H), " 0x1234");
    EXPECT_EQ(dialog->fieldText(ItemField::Anzahl), "1 ");
    EXPECT_EQ(dialog->fieldText(ItemField::X), "");
    EXPECT_EQ(dialog->art()->artIndex(), 4660);
    EXPECT_EQ(dialog->findChild<QPushButton*>("BitBtn1"), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Ansicht nicht berechneter Items");
}

TEST_F(ItemViewDialogTest, ExplanationIsSetEveryTimeTheDialogIsShown)
{
    auto dialog = make<TAnsichtnichtberechnet>();
    QLabel* const text = label(*dialog, "Label3");
    ASSERT_NE(text, nullptr);
    const QString expected = "Wird das Item\nnicht angezeigt,\nkann es sich um\neine Animation\n"
                             "handeln und\nmuss nicht\nberechnet werden";
    dialog->showLine("D:3701, H:0x0e75, Anz.:4");
    EXPECT_EQ(text->text(), expected);
    EXPECT_EQ(text->text().split('\n').size(), 7);

    text->setText("changed");
    dialog->showLine("D:3701, H:0x0e75, Anz.:4");
    EXPECT_EQ(text->text(), expected);
}

TEST_F(ItemViewDialogTest, FieldsKeepTheirValuesUntilTheNextFilling)
{
    auto dialog = make<TAnsichtinein>();
    dialog->showLine("D:1, H:0x0001, Pos. X:10, Y:20, Z:-5, Anz.:3");
    dialog->showLine("D:2, H:0x0002, Pos. X:11, Y:21, Z:0, Anz.:4");
    EXPECT_EQ(dialog->fieldText(ItemField::Z), " 0");
    EXPECT_EQ(dialog->fieldText(ItemField::Anzahl), "4 ");
    EXPECT_EQ(m_prompts->modalShowings, 2);
}

TEST_F(ItemViewDialogTest, GraphicThatIsNotAWholeNumberGoesToTheErrorReport)
{
    auto dialog = make<TAnsichtinein>();
    dialog->showLine("D:1, H:0x0001, Pos. X:10, Y:20, Z:5, Anz.:3");

    EXPECT_FALSE(dialog->showLine("D:12a, H:0x0002, Pos. X:99, Y:99, Z:99, Anz.:9"));
    ASSERT_EQ(m_prompts->errors.size(), 1u);
    EXPECT_EQ(m_prompts->errors[0].text, "' 12a' ist kein gültiger Integerwert");
    EXPECT_EQ(m_prompts->modalShowings, 1) << "the dialog is not shown";
    // The graphic field has its new text, the others keep theirs.
    EXPECT_EQ(dialog->fieldText(ItemField::D), " 12a");
    EXPECT_EQ(dialog->fieldText(ItemField::X), " 10");
    EXPECT_EQ(dialog->art()->artIndex(), 1);

    EXPECT_FALSE(dialog->showLine(""));
    EXPECT_FALSE(dialog->showLine("D:99999999999, H:x"));
    EXPECT_EQ(m_prompts->errors.size(), 3u);
}

TEST_F(ItemViewDialogTest, LineWithoutItsMarkersIsShownAsFarAsItGoes)
{
    auto dialog = make<TAnsichtbeweglich>();
    ASSERT_TRUE(dialog->showLine("D:3645, H:0x0e3d"));
    EXPECT_EQ(dialog->fieldText(ItemField::H), " 0x0e3d");
    EXPECT_EQ(dialog->fieldText(ItemField::X), " ");
    EXPECT_EQ(dialog->fieldText(ItemField::Z), " ");
}

TEST_F(ItemViewDialogTest, AnzeigenShowsTheSelectedLineAndNothingForAnEmptyList)
{
    auto dialog = make<TAnsichtbeweglich>();
    QListWidget list;
    dialog->showSelected(list);
    EXPECT_EQ(m_prompts->modalShowings, 0);
    EXPECT_TRUE(m_prompts->errors.empty());

    list.addItems(
        {"D:1, H:0x0001, Pos. X:1, Y:1, Z:1", kMovableLine, "D:3, H:0x0003, Pos. X:3, Y:3, Z:3"});
    list.setCurrentRow(-1);
    dialog->showSelected(list);
    EXPECT_EQ(m_prompts->modalShowings, 0) << "lines but none selected: nothing to show";

    list.setCurrentRow(1);
    dialog->showSelected(list);
    EXPECT_EQ(m_prompts->modalShowings, 1);
    EXPECT_EQ(dialog->fieldText(ItemField::D), " 3645");

    // As the writers leave it: the last line added is the selected one.
    list.setCurrentRow(list.count() - 1);
    dialog->showSelected(list);
    EXPECT_EQ(dialog->fieldText(ItemField::D), " 3");
}

TEST_F(ItemViewDialogTest, HingehenTypesTheCommandBuiltFromTheFieldsAndStaysOpen)
{
    auto dialog = make<TAnsichtbeweglich>();
    bool visibleAfterClick = false;
    m_prompts->whileShown = [&](QDialog& shown) {
        clickButton(shown, "BitBtn1");
        clickButton(shown, "BitBtn1");
        visibleAfterClick = shown.isVisible();
    };
    dialog->showLine(kMovableLine);

    ASSERT_EQ(m_client->commands.size(), 2u) << "every press sends again";
    EXPECT_EQ(m_client->commands[0], ".go  1000, 2000, 5");
    EXPECT_EQ(m_client->commands[0].size(), 18u);
    EXPECT_TRUE(visibleAfterClick);
    EXPECT_TRUE(m_prompts->informations.empty());

    auto nested = make<TAnsichtinein>();
    m_prompts->whileShown = [](QDialog& shown) { clickButton(shown, "BitBtn1"); };
    nested->showLine("D:3701, H:0x0E75, Pos. X:1432, Y:1610, Z:-20, Anz.:2");
    EXPECT_EQ(m_client->commands.back(), ".go  1432, 1610, -20");
}

// A stranger's file can put anything behind a coordinate; only numbers reach the client.
TEST_F(ItemViewDialogTest, HingehenTypesOnlyNumbersAndNamesTheFieldThatHoldsNoPosition)
{
    auto dialog = make<TAnsichtbeweglich>();
    m_prompts->whileShown = [](QDialog& shown) { clickButton(shown, "BitBtn1"); };
    dialog->showLine(QStringLiteral("D:3645, H:0x0e3d, Pos. X:+0100, Y:0200, Z:-5"));
    ASSERT_EQ(m_client->commands.size(), 1u);
    EXPECT_EQ(m_client->commands[0], ".go  100, 200, -5");

    const struct
    {
        QString line;
        const char* field;
    } refused[] = {
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:0000\x1b.say hi"), "Z"},
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:0000") + QChar(0x1b) +
             QStringLiteral("\r.say hi"),
         "Z"},
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:12345, Y:2000, Z:5"), "X"},
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:0x10, Z:5"), "Y"},
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:, Z:5"), "Y"},
        {QStringLiteral("D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:-1000"), "Z"},
    };
    for (const auto& [line, field] : refused) {
        m_prompts->errors.clear();
        dialog->showLine(line);
        EXPECT_EQ(m_client->commands.size(), 1u) << "nothing typed for " << line.toStdString();
        ASSERT_EQ(m_prompts->errors.size(), 1u) << line.toStdString();
        EXPECT_EQ(m_prompts->errors[0].text,
                  QStringLiteral("Das Feld „%1“ enthält keine gültige Position. An den Client "
                                 "wurde nichts gesendet.")
                      .arg(QLatin1String(field)));
    }
}

TEST_F(ItemViewDialogTest, HingehenWithoutClientTellsTheUserToStartOne)
{
    m_client->running = false;
    auto dialog = make<TAnsichtinein>();
    m_prompts->whileShown = [](QDialog& shown) { clickButton(shown, "BitBtn1"); };
    dialog->showLine("D:3701, H:0x0E75, Pos. X:1432, Y:1610, Z:20, Anz.:2");

    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].title, "Info");
    EXPECT_EQ(m_prompts->informations[0].text, "Bitte zuerst einen entsprechenden Client starten.");
    EXPECT_EQ(m_prompts->informations[0].parent, dialog.get());
}

TEST_F(ItemViewDialogTest, SchliessenEndsTheShowing)
{
    auto dialog = make<TAnsichtnichtberechnet>();
    bool visibleAfterClose = true;
    m_prompts->whileShown = [&](QDialog& shown) {
        clickButton(shown, "BitBtn2");
        visibleAfterClose = shown.isVisible();
    };
    dialog->showLine("D:3701, H:0x0e75, Anz.:4");
    EXPECT_FALSE(visibleAfterClose);
}

TEST_F(ItemViewDialogTest, RestartNoticeOnlyWhenTheMarkIsSetWhileShown)
{
    auto dialog = make<TAnsichtbeweglich>();
    dialog->setRestartAdvised(true);
    dialog->showLine(kMovableLine);
    EXPECT_FALSE(dialog->RestartAdvised()) << "cleared before every showing";
    EXPECT_TRUE(m_prompts->informations.empty());

    m_prompts->whileShown = [&](QDialog&) { dialog->setRestartAdvised(true); };
    dialog->showLine(kMovableLine);
    ASSERT_EQ(m_prompts->informations.size(), 1u);
    EXPECT_EQ(m_prompts->informations[0].title, "Hinweis");
    EXPECT_TRUE(m_prompts->informations[0].text.startsWith("Die Berechnung sollte unbedingt"));
}

TEST_F(ItemViewDialogTest, LayoutHasTheFixedPlacesOfTheDesign)
{
    auto nested = make<TAnsichtinein>();
    auto notCalculated = make<TAnsichtnichtberechnet>();
    EXPECT_EQ(nested->size(), QSize(318, 223));
    EXPECT_EQ(nested->minimumSize(), nested->maximumSize());
    EXPECT_EQ(notCalculated->size(), QSize(320, 237));

    EXPECT_EQ(label(*nested, "StaticText1")->geometry(), QRect(222, 11, 85, 17));
    EXPECT_EQ(label(*nested, "StaticText5")->geometry(), QRect(222, 103, 85, 17));
    EXPECT_EQ(label(*nested, "StaticText6")->geometry(), QRect(250, 126, 57, 17));
    EXPECT_EQ(label(*notCalculated, "StaticText6")->geometry(), QRect(250, 57, 57, 17));
    EXPECT_EQ(label(*notCalculated, "FieldLabel6")->pos(), QPoint(206, 59));

    EXPECT_EQ(nested->findChild<QPushButton*>("BitBtn1")->geometry(), QRect(12, 193, 147, 25));
    EXPECT_EQ(nested->findChild<QPushButton*>("BitBtn2")->geometry(), QRect(160, 193, 147, 25));
    EXPECT_EQ(notCalculated->findChild<QPushButton*>("BitBtn2")->geometry(),
              QRect(86, 200, 147, 25));

    const auto* const art = nested->findChild<TUOArt*>("UOArt2");
    ASSERT_NE(art, nullptr);
    EXPECT_EQ(art->size(), QSize(188, 184));
    EXPECT_EQ(art->mapTo(nested.get(), QPoint(0, 0)), QPoint(12, 2));
    EXPECT_EQ(notCalculated->findChild<QWidget*>("Panel12")->geometry(), QRect(11, 2, 190, 186));
    EXPECT_EQ(nested->findChild<QWidget*>("ArtStripRight")->geometry(), QRect(194, 8, 7, 172));
}

// The program's own boxes, as the main window's tests see them.
class RecordingDialogs : public Dialogs::Handler
{
public:
    struct Box
    {
        Dialogs::Icon icon;
        QString title;
        QString text;
    };

    QMessageBox::StandardButton message(QMessageBox& box) override
    {
        boxes.push_back({Dialogs::iconOf(box), box.windowTitle(), box.text()});
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return {}; }

    std::vector<Box> boxes;
};

TEST(ItemViewProgramBoxesTest, ErrorReportAndNoClientMessageUseTheProgramsBoxes)
{
    ensureApplication();
    RecordingDialogs dialogs;
    Dialogs::setHandler(&dialogs);
    auto client = std::make_shared<RecordingClient>();
    client->running = false;
    TAnsichtinein view(nullptr, ItemViewDialog::Services{nullptr, client});

    EXPECT_FALSE(view.showLine("D:1x, H:0x0001, Pos. X:1, Y:2, Z:3, Anz.:2"));
    view.SendToUO(".go  1, 2, 3");
    // A client that runs but takes nothing is named with its own reason, not as missing.
    client->failure = "Der Client antwortet nicht.";
    view.SendToUO(".go  1, 2, 3");
    Dialogs::setHandler(nullptr);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[2].title, "Info");
    EXPECT_EQ(dialogs.boxes[2].text, "Der Client antwortet nicht.");
    EXPECT_EQ(dialogs.boxes[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dialogs.boxes[0].title, "Tarvek " TARVEK_VERSION);
    EXPECT_EQ(dialogs.boxes[0].text, "' 1x' ist kein gültiger Integerwert.");
    EXPECT_EQ(dialogs.boxes[1].icon, Dialogs::Icon::Information);
    EXPECT_EQ(dialogs.boxes[1].title, "Info");
    EXPECT_EQ(dialogs.boxes[1].text, "Bitte zuerst einen entsprechenden Client starten.");
}

} // namespace
