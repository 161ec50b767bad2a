// The window "Grundriss" after a run of the sample house, driven as a person would: opening it,
// hovering and clicking tiles, the item lists and views both ways, levels and saving pictures.
#include "support/WindowFixture.h"

#include "views/art/ArtSource.h"
#include "views/art/TUOArt.h"
#include "views/iso/IsoView.h"
#include "views/iso/TSpielansicht.h"
#include "views/plan/TGrundriss.h"

#include <QComboBox>
#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

using tarvek::ResultList;
using tarvek::plan::PlanView;

namespace {

class PlanWindowTest : public WindowFixture
{
protected:
    TGrundriss& plan() const { return m_windows->grundriss(); }
    PlanView* view() const { return plan().view(); }
    QPoint tileCentre(int x, int y) const { return view()->tileRect(x, y).center(); }
};

} // namespace

TEST_F(PlanWindowTest, ThePlanWorksWithTheListsAndTheItemViewsBothWays)
{
    start();
    EXPECT_FALSE(planTool()->isEnabled());
    load(sample("Haus.cfg"));
    run();
    ASSERT_TRUE(planTool()->isEnabled());
    EXPECT_TRUE(menuAction("Grundriss1")->isEnabled());
    click(planTool());
    ASSERT_TRUE(plan().isVisible());
    (void)QTest::qWaitForWindowExposed(&plan());

    // Hovering the barrel shows it as the list of items that may not be imported writes it, with
    // its price from the cost breakdown.
    const QPoint barrel = tileCentre(1436, 1614);
    QHelpEvent hover(QEvent::ToolTip, barrel, view()->mapToGlobal(barrel));
    QApplication::sendEvent(view(), &hover);
    EXPECT_TRUE(QToolTip::text().startsWith(
        QStringLiteral("D:3703, H:0x0e77, Pos. X:1436, Y:1614, Z:0, Preis: 90 GS (Darf nicht")))
        << QToolTip::text().toStdString();

    // The wheel zooms around the pointer: the barrel stays under it.
    const double scale = view()->scale();
    QWheelEvent wheel(barrel, view()->mapToGlobal(barrel), {}, {0, -240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view(), &wheel);
    // Half as large, to whole pixels: every square as wide as the next.
    EXPECT_NEAR(view()->scale(), scale / 2, 0.5);
    EXPECT_DOUBLE_EQ(view()->scale(), std::round(view()->scale()));
    ASSERT_NE(view()->tileAt(barrel), nullptr);
    EXPECT_EQ(view()->tileAt(barrel)->x, 1436);
    EXPECT_EQ(view()->tileAt(barrel)->y, 1614);

    // A click selects the item's line; a line selected in a list marks its tiles.
    TResultList* movable = movableList();
    movable->setCurrentRow(-1);
    QTest::mouseClick(view(), Qt::LeftButton, {}, barrel);
    EXPECT_EQ(movable->currentRow(), 0);
    TResultList* nested = nestedList();
    ASSERT_EQ(nested->currentRow(), 0); // selected by the run already: a click marks it again
    QTest::mouseClick(nested->viewport(), Qt::LeftButton, {},
                      nested->visualItemRect(nested->item(0)).center());
    const auto marked = view()->highlightedTiles();
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(std::pair(marked[0]->x, marked[0]->y), std::pair(1435, 1613));

    // A double click opens the item view of the nested backpacks; on any other tile, the view of
    // its item with its place and "Hingehen" (the view of items not calculated has no place).
    const ShownView shown = nextItemView(tarvek::views::ItemField::X, [&] {
        QTest::mouseDClick(view(), Qt::LeftButton, {}, tileCentre(1435, 1613));
    });
    EXPECT_EQ(shown.className, QStringLiteral("TAnsichtinein"));
    EXPECT_EQ(shown.field, QStringLiteral(" 1435"));
    for (const auto& [x, y] : {std::pair(1430, 1610), std::pair(1432, 1614)}) {
        const ShownView item = nextItemView(tarvek::views::ItemField::X, [&, x = x, y = y] {
            QTest::mouseDClick(view(), Qt::LeftButton, {}, tileCentre(x, y));
        });
        EXPECT_EQ(item.className, QStringLiteral("TAnsichtitem"));
        EXPECT_EQ(item.field, QStringLiteral(" %1").arg(x));
        EXPECT_TRUE(item.goTo);
    }

    // "Grundriss" while the window is open brings it up as it is: zoom, marks and level stay.
    const double zoomed = view()->scale();
    const auto marks = view()->highlightedTiles(); // the graphic without a price, clicked last
    ASSERT_EQ(marks.size(), 1u);
    click(planTool());
    EXPECT_EQ(view()->scale(), zoomed);
    EXPECT_EQ(view()->highlightedTiles(), marks);

    // The lowest level holds only the basement stair.
    auto* level = plan().findChild<QComboBox*>(QStringLiteral("Ebene"));
    ASSERT_NE(level, nullptr);
    level->setCurrentIndex(1);
    EXPECT_EQ(level->currentText(), QStringLiteral("Z -5 (niedrigste Ebene)"));
    EXPECT_EQ(plan().level(), -5);
    EXPECT_EQ(view()->tileAt(barrel), nullptr);
    EXPECT_NE(view()->tileAt(tileCentre(1435, 1611)), nullptr);
    click(planTool());
    EXPECT_EQ(plan().level(), -5);

    // A line whose items lie on another level shows that level.
    QTest::mouseClick(movable->viewport(), Qt::LeftButton, {},
                      movable->visualItemRect(movable->item(0)).center());
    EXPECT_EQ(plan().level(), 0);
    ASSERT_EQ(view()->highlightedTiles().size(), 1u);
    EXPECT_EQ(view()->highlightedTiles()[0]->x, 1436);

    // Pictures of the level shown: the file type is the filter's, and a name without its
    // extension gets it (a dot in a folder's name is none).
    const auto messages = m_dialogs.messages.size(); // the nested-items question
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("a.b")));
    for (const auto& [typed, filter, written] :
         {std::tuple("plan.png", TGrundriss::kPngFilter, "plan.png"),
          std::tuple("a.b/Grundriss", TGrundriss::kPdfFilter, "a.b/Grundriss.pdf"),
          std::tuple("plan.pdf", TGrundriss::kPngFilter, "plan.pdf")}) {
        plan().setFileChooser([&, typed = typed, filter = filter](QWidget*) {
            return TGrundriss::ChosenFile{m_dir.filePath(QLatin1String(typed)),
                                          QLatin1String(filter)};
        });
        QTest::mouseClick(plan().findChild<QPushButton*>(QStringLiteral("BildSpeichern")),
                          Qt::LeftButton);
        QFile file(m_dir.filePath(QLatin1String(written)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << written;
        const QByteArray bytes = file.readAll();
        if (file.fileName().endsWith(QStringLiteral(".pdf"))) {
            EXPECT_TRUE(bytes.startsWith("%PDF-"));
        } else {
            EXPECT_FALSE(QImage::fromData(bytes, "PNG").isNull());
        }
    }
    EXPECT_EQ(m_dialogs.messages.size(), messages) << m_dialogs.texts().join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("plan.pdf.png"))));

    // A name that gets its suffix here replaces a file only when the user says so.
    plan().setFileChooser([&](QWidget*) {
        return TGrundriss::ChosenFile{m_dir.filePath(QStringLiteral("a.b/Grundriss")),
                                      QLatin1String(TGrundriss::kPdfFilter)};
    });
    const QString existing = m_dir.filePath(QStringLiteral("a.b/Grundriss.pdf"));
    ASSERT_TRUE(QFile::resize(existing, 3));
    m_dialogs.answers = {false};
    QTest::mouseClick(plan().findChild<QPushButton*>(QStringLiteral("BildSpeichern")),
                      Qt::LeftButton);
    ASSERT_EQ(m_dialogs.messages.size(), messages + 1);
    EXPECT_TRUE(m_dialogs.messages.constLast().text.contains(QStringLiteral("ersetzt")));
    EXPECT_EQ(QFileInfo(existing).size(), 3);

    // A new load takes the plan away until the next complete run.
    load(sample("Haus.cfg"));
    EXPECT_FALSE(plan().isVisible());
    EXPECT_FALSE(planTool()->isEnabled());
}

TEST_F(PlanWindowTest, PlanPngWritesNoOtherType)
{
    const QString svg = m_dir.filePath(QStringLiteral("plan.svg"));
    EXPECT_EQ(QProcess::execute(QStringLiteral(TARVEK_BINARY_DIR "/bin/tarvek"),
                                {QStringLiteral("--plan-png"), svg, sample("Haus.cfg")}),
              2);
    EXPECT_FALSE(QFile::exists(svg));
}

// "Ansicht wie im Spiel" after a run of the sample, with the sample's made-up client folder:
// opened by its key and from "Grundriss", a click on the barrel opens the view of its place.
TEST_F(PlanWindowTest, TheGameViewOpensFromTheMenuAndThePlanAndOpensItems)
{
    start();
    TUOArt::setSharedArtSource(
        std::make_shared<const tarvek::art::ArtSource>(TARVEK_SOURCE_DIR "/examples/client"));
    QAction* menu = menuAction("AnsichtImSpiel1");
    EXPECT_FALSE(menu->isEnabled());
    load(sample("Haus.cfg"));
    run();
    ASSERT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    menu->trigger();
    TSpielansicht& game = m_windows->spielansicht();
    ASSERT_TRUE(game.isVisible());
    (void)QTest::qWaitForWindowExposed(&game);
    EXPECT_FALSE(game.problemLine()->isVisible());

    // The table's top (walls and floor tiles further in front cover parts of other items).
    const tarvek::iso::IsoScene& scene = game.scene();
    const auto table =
        std::find_if(scene.items().begin(), scene.items().end(), [this](const auto& item) {
            return window().itemRecord().items()[item.item].graphic == 2856;
        });
    ASSERT_NE(table, scene.items().end());
    tarvek::iso::IsoView& view = *game.view();
    const QPoint at = view.toWidget(table->rect.topLeft() + QPoint(16, 18));
    ASSERT_EQ(view.itemAt(at), &*table);
    const ShownView shown = nextItemView(tarvek::views::ItemField::X,
                                         [&] { QTest::mouseClick(&view, Qt::LeftButton, {}, at); });
    EXPECT_EQ(shown.className, QStringLiteral("TAnsichtitem"));
    EXPECT_EQ(shown.field, QStringLiteral(" 1433"));
    EXPECT_TRUE(shown.goTo);

    game.hide();
    click(planTool());
    plan().findChild<QPushButton*>(QStringLiteral("AnsichtImSpiel"))->click();
    EXPECT_TRUE(game.isVisible());
    TUOArt::setSharedArtSource(nullptr);
}
