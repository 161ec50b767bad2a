// The building as the client draws it, from client folders written by the tests: the exported
// picture pixel by pixel, clicks, and what is shown when client files are missing or damaged.
#include "ClientFolderWriter.h"

#include "support/GuiTest.h"
#include "views/art/ArtSource.h"
#include "views/art/ClientFiles.h"
#include "views/art/ItemArtDecoder.h"
#include "views/iso/IsoView.h"
#include "views/iso/PictureCache.h"
#include "views/iso/TSpielansicht.h"
#include "views/iso/ViewExport.h"
#include "views/plan/PlanExport.h"

#include "calc/Calculation.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvek;
using namespace tarvek::iso::testing;
using art::TileData;

namespace {

// 15-bit colours of the made-up graphics.
constexpr std::uint16_t kWall = (20 << 10) | (10 << 5) | 5;
constexpr std::uint16_t kGreen = 31 << 5;
constexpr std::uint16_t kBlue = 31;
constexpr std::uint16_t kYellow = (31 << 10) | (31 << 5);
constexpr std::uint16_t kGrey = (16 << 10) | (16 << 5) | 16;
constexpr std::uint16_t kRed = 24 << 10;

enum Graphic : std::uint32_t
{
    Wall = 1,
    Chair,
    Floor,
    Box,
    Rug,     // Background
    Glass,   // Translucent
    GreyPot, // PartialHue
    RedPot,  // PartialHue
    Statue,  // grey, dyed whole
    Shelf,   // height 5
    CutBox,  // top-left corner transparent
    BigBox,
};

const std::vector<SolidArt> kArt = {
    {Wall, 44, 90, kWall},
    {Chair, 30, 40, kGreen},
    {Floor, 44, 44, kBlue},
    {Box, 20, 30, kYellow},
    {Rug, 44, 44, kRed},
    {Glass, 44, 44, kGreen},
    {GreyPot, 20, 20, kGrey},
    {RedPot, 20, 20, kRed},
    {Statue, 20, 20, kGrey},
    {Shelf, 20, 20, kRed},
    {CutBox, 30, 30, kGreen, true},
    {BigBox, 40, 40, kYellow},
};
const std::vector<art::testing::TileRecord> kTiles = {
    {Rug, TileData::kBackground, 0},
    {Glass, TileData::kTranslucent, 0},
    {GreyPot, TileData::kPartialHue, 0},
    {RedPot, TileData::kPartialHue, 0},
    {Shelf, 0, 5},
};

// Entry 1 (colour value 2) gives each red value i the pure blue i.
std::vector<std::vector<std::uint16_t>> blueRampHues()
{
    std::vector<std::uint16_t> ramp(32);
    for (std::uint16_t i = 0; i < 32; ++i) {
        ramp[i] = i;
    }
    return {{}, ramp};
}

QRgb rgb(std::uint16_t colour)
{
    return art::ItemArtDecoder::toArgb(colour) | 0xFF000000u;
}

// The exported picture of a building, read at points given from a tile's centre.
class Picture
{
public:
    Picture(const std::filesystem::path& folder, std::vector<RecordedItem> items,
            iso::SceneLook look = {})
        : m_items(std::move(items)), m_pictures(std::make_shared<const art::ClientFiles>(
                                         std::make_shared<const art::ArtSource>(folder))),
          m_scene(m_items, m_pictures, std::move(look)), m_image(m_scene.picture({})),
          m_bounds(m_scene.bounds({}))
    {}

    // The pixel `dx`, `dy` from the centre of tile x, y, z.
    QRgb at(std::int32_t x, std::int32_t y, std::int32_t z, int dx, int dy) const
    {
        // The scene's origin is the first item's tile centre.
        const RecordedItem& first = m_items.front();
        const int sceneX = ((x - y) - (first.x - first.y)) * 22 + dx;
        const int sceneY = ((x + y) - (first.x + first.y)) * 22 - 4 * (z - first.z) + dy;
        return m_image.pixel(sceneX - m_bounds.left() + 16, sceneY - m_bounds.top() + 16);
    }
    const QImage& image() const { return m_image; }
    const QRect& bounds() const { return m_bounds; }
    iso::PictureCache& pictures() { return m_pictures; }

private:
    std::vector<RecordedItem> m_items;
    iso::PictureCache m_pictures;
    iso::IsoScene m_scene;
    QImage m_image;
    QRect m_bounds;
};

class SpielansichtTest : public GuiTest, public ::testing::WithParamInterface<bool>
{
protected:
    SpielansichtTest()
    {
        writeClientFolder(m_folder.path(), kArt, kTiles, GetParam(), blueRampHues());
    }

    art::testing::TempFolder m_folder;
};

INSTANTIATE_TEST_SUITE_P(BothLayouts, SpielansichtTest, ::testing::Bool(),
                         [](const auto& layout) { return layout.param ? "Neu" : "Alt"; });

// Every case of the client's drawing order and colours, on cells far apart.
TEST_P(SpielansichtTest, ExportedPictureShowsTheClientsOrderAndColours)
{
    Picture picture(
        m_folder.path(),
        {placed(Chair, 11, 11, 0), // listed before the wall behind it
         placed(Wall, 10, 10, 0),
         placed(Box, 20, 20, 10), // above the floor of its cell, listed first
         placed(Floor, 20, 20, 0),
         placed(Floor, 30, 30, 0),                       // a Background rug after it at the same z
         placed(Rug, 30, 30, 0), placed(Box, 40, 40, 0), // equal keys: the later one in front
         placed(Chair, 40, 40, 0), placed(Floor, 50, 50, 0), // glass over a floor
         placed(Glass, 50, 50, 0), placed(Statue, 60, 60, 0, 2), placed(GreyPot, 70, 70, 0, 2),
         placed(RedPot, 80, 80, 0, 2), placed(Statue, 90, 90, 0, 99), placed(Shelf, 100, 100, 0),
         placed(Box, 100, 100, 0)});

    // Exactly the pictures' union with 16 pixels around, on black.
    EXPECT_EQ(picture.image().size(), picture.bounds().size() + QSize(32, 32));
    EXPECT_EQ(picture.image().pixel(0, 0), 0xFF000000u);
    // The chair (front) over the wall; the wall above it.
    EXPECT_EQ(picture.at(11, 11, 0, 0, 0), rgb(kGreen));
    EXPECT_EQ(picture.at(10, 10, 0, 0, -40), rgb(kWall));
    // The box 10 higher, over the floor's upper corner.
    EXPECT_EQ(picture.at(20, 20, 0, 0, -20), rgb(kYellow));
    EXPECT_EQ(picture.at(20, 20, 0, 0, 10), rgb(kBlue));
    // The Background rug stays under the floor.
    EXPECT_EQ(picture.at(30, 30, 0, 0, 0), rgb(kBlue));
    // The chair, later in the file, over the box.
    EXPECT_EQ(picture.at(40, 40, 0, 0, 10), rgb(kGreen));
    // Glass at 70 % over the blue floor.
    const QRgb glass = picture.at(50, 50, 0, 0, 0);
    EXPECT_NEAR(qRed(glass), 0, 1);
    EXPECT_NEAR(qGreen(glass), 178.5, 1);
    EXPECT_NEAR(qBlue(glass), 76.5, 1);
    // Hued whole: grey red value 16 becomes blue 16; PartialHue dyes only the grey pot.
    EXPECT_EQ(picture.at(60, 60, 0, 0, 10), rgb(16));
    EXPECT_EQ(picture.at(70, 70, 0, 0, 10), rgb(16));
    EXPECT_EQ(picture.at(80, 80, 0, 0, 10), rgb(kRed));
    // A colour beyond the file's entries leaves the item as it is.
    EXPECT_EQ(picture.at(90, 90, 0, 0, 10), rgb(kGrey));
    // The shelf has a height: it goes over the flat box though the box comes later.
    EXPECT_EQ(picture.at(100, 100, 0, 0, 10), rgb(kRed));
    // Each graphic decoded once per colour: the statue twice, the box and the floor once.
    EXPECT_EQ(picture.pictures().count(), 11u);
}

// A finding behind a wall keeps its outline in its list's colour.
TEST_P(SpielansichtTest, FindingsAreOutlinedOverWhatStandsInFront)
{
    RecordedItem chair = placed(Chair, 40, 40, 0);
    chair.flags = 1u << unsigned(ItemCategory::NotImportable);
    Picture picture(m_folder.path(), {chair, placed(Wall, 41, 41, 0)});
    // The chair's left edge is 15 pixels left of its centre: the outline one further out.
    EXPECT_EQ(picture.at(40, 40, 0, -16, 0), 0xFFFF0000u);
    EXPECT_EQ(picture.at(40, 40, 0, -10, 0), rgb(kWall));
}

// A look of its own (the comparison's): its colour for the outlines, and the items that are no
// more drawn as their outline alone, so that what stands behind them shows.
TEST_P(SpielansichtTest, ALookOutlinesInItsColoursAndDrawsTheRemovedAsOutlinesAlone)
{
    RecordedItem removed = placed(Chair, 40, 40, 0);
    removed.flags = 1u << unsigned(ItemCategory::Spawn);
    RecordedItem added = placed(Chair, 50, 50, 0);
    added.flags = 1u << unsigned(ItemCategory::NotImportable);
    // The wall first on the chair's own cell: drawn behind it.
    Picture picture(m_folder.path(), {placed(Wall, 40, 40, 0), removed, added},
                    {[](ItemCategory category) {
                         return category == ItemCategory::Spawn ? 0xFF0000FFu : 0xFF00FF00u;
                     },
                     ItemCategory::Spawn});
    EXPECT_EQ(picture.at(40, 40, 0, -16, 0), 0xFF0000FFu);
    EXPECT_EQ(picture.at(40, 40, 0, -10, 0), rgb(kWall)) << "the wall behind shows through";
    EXPECT_EQ(picture.at(50, 50, 0, -16, 0), 0xFF00FF00u);
    EXPECT_EQ(picture.at(50, 50, 0, -10, 0), rgb(kGreen));
}

// A click opens the front-most item whose picture is opaque under the pointer.
TEST_P(SpielansichtTest, ClickOpensTheItemOpaqueUnderThePointer)
{
    ItemRecord record;
    record.addRecordedItem(placed(BigBox, 60, 60, 0));
    record.addRecordedItem(placed(CutBox, 61, 60, 0)); // in front, its corner over the big box
    record.finish();
    TSpielansicht window;
    window.resize(800, 600);
    window.showBuilding(record, std::make_shared<const art::ArtSource>(m_folder.path()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(window.problemLine()->isVisible());
    iso::IsoView& view = *window.view();
    ASSERT_EQ(view.scale(), 1.0);
    QString opened;
    QObject::connect(&window, &TSpielansicht::itemOpened,
                     [&opened](const QString& line) { opened = line; });

    const QRect front = window.scene().items()[1].rect;
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.toWidget(front.topLeft() + QPoint(10, 10)));
    EXPECT_EQ(opened, QStringLiteral("D:11, H:0x000b, Pos. X:61, Y:60, Z:0"));
    // The transparent corner: the item behind.
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.toWidget(front.topLeft() + QPoint(3, 3)));
    EXPECT_EQ(opened, QStringLiteral("D:12, H:0x000c, Pos. X:60, Y:60, Z:0"));
    opened.clear();
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.toWidget(front.topLeft() + QPoint(-5, -60)));
    EXPECT_TRUE(opened.isEmpty());
}

// Without the art or tiledata.mul, or with a damaged one, every item is a diamond in its
// category's colour and the top line names the file.
TEST(SpielansichtFallbackTest, MissingAndDamagedFilesGiveDiamondsAndAMessage)
{
    testApp();
    art::testing::TempFolder folder;
    writeClientFolder(folder.path(), kArt, kTiles, false, blueRampHues());
    const auto problemFor = [&folder](const std::vector<RecordedItem>& items) {
        ItemRecord record;
        for (const RecordedItem& item : items) {
            record.addRecordedItem(item);
        }
        record.finish();
        TSpielansicht window;
        window.showBuilding(record, std::make_shared<const art::ArtSource>(folder.path()));
        return window.problemLine()->isVisibleTo(&window) ? window.problemLine()->text()
                                                          : QString();
    };
    RecordedItem listed = placed(Chair, 5, 5, 0);
    listed.flags = 1u << unsigned(ItemCategory::NotCalculated);
    EXPECT_TRUE(problemFor({listed}).isEmpty());

    // Truncated tiledata.mul: a size of neither layout.
    auto tiles = art::testing::readFile(folder.path() / "tiledata.mul");
    tiles.pop_back();
    art::testing::writeFile(folder.path() / "tiledata.mul", tiles);
    EXPECT_TRUE(problemFor({listed}).contains(QStringLiteral("unbekannte Größe")));
    {
        Picture diamonds(folder.path(), {listed});
        EXPECT_EQ(diamonds.at(5, 5, 0, 0, 0), 0xFFFFFF00u); // not calculated: yellow
        EXPECT_EQ(diamonds.image().size(), QSize(44 + 32, 44 + 32));
    }

    std::filesystem::remove(folder.path() / "tiledata.mul");
    const QString missing = problemFor({listed});
    EXPECT_TRUE(missing.startsWith(QStringLiteral("tiledata.mul fehlt im Client-Ordner")));
    EXPECT_TRUE(missing.contains(QStringLiteral("Optionen > Client-Verzeichnis")));

    std::filesystem::remove(folder.path() / "art.mul");
    EXPECT_TRUE(problemFor({listed}).startsWith(QStringLiteral("Die Item-Grafiken")));
}

// art.mul cut short behind the first graphics: those beyond are diamonds, the others art.
TEST(SpielansichtFallbackTest, GraphicsMissingFromTruncatedArtAreDiamonds)
{
    testApp();
    art::testing::TempFolder folder;
    writeClientFolder(folder.path(), kArt, kTiles, true, blueRampHues());
    auto data = art::testing::readFile(folder.path() / "art.mul");
    data.resize(data.size() - 10); // the last graphic (BigBox) loses its end
    art::testing::writeFile(folder.path() / "art.mul", data);
    Picture picture(folder.path(), {placed(Chair, 1, 1, 0), placed(BigBox, 5, 5, 0)});
    EXPECT_EQ(picture.at(1, 1, 0, 0, 0), rgb(kGreen));
    EXPECT_EQ(picture.at(5, 5, 0, 0, 0), 0xFF808080u); // in no list: grey
}

} // namespace

namespace {

// The sample house with the sample's own client folder, as tarvek --view-png writes it: drawn
// with art throughout, each cell's items in the client's order.
TEST(SpielansichtSampleTest, SampleDrawsWithItsOwnArtInTheClientsOrder)
{
    testApp();
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                            dir.filePath(QStringLiteral("Preisliste.txt"))));
    const QString house = QStringLiteral(TARVEK_SOURCE_DIR "/examples/Haus.cfg");
    const QString out = dir.filePath(QStringLiteral("ansicht.png"));
    const auto art = std::make_shared<const art::ArtSource>(TARVEK_SOURCE_DIR "/examples/client");
    ASSERT_EQ(writeViewPng(house, out, dir.path(), QString(), art), 0);
    const QImage written(out);

    Calculation calc;
    ASSERT_TRUE(calculateForPicture(calc, house, dir.path(), QString()));
    iso::PictureCache pictures(std::make_shared<const art::ClientFiles>(art));
    const iso::IsoScene scene(calc.items.items(), pictures);
    ASSERT_TRUE(pictures.drawsArt()) << pictures.files()->problem();
    EXPECT_TRUE(pictures.files()->colourProblem().empty());
    EXPECT_EQ(written.size(), scene.bounds({}).size() + QSize(32, 32));
    EXPECT_EQ(written.pixel(written.width() - 1, written.height() - 1), 0xFF000000u);
    // Every graphic of the sample has its picture: no diamond among them.
    EXPECT_EQ(pictures.count(), 14u);

    // On the cell 1433, 1612: the floor tile (Background), the house's marker (flat), the table
    // (with a height), whatever their order in the file.
    std::vector<std::int32_t> cell;
    for (const iso::SceneItem& item : scene.items()) {
        const RecordedItem& recorded = calc.items.items()[item.item];
        if (recorded.x == 1433 && recorded.y == 1612) {
            cell.push_back(recorded.graphic);
        }
    }
    EXPECT_EQ(cell, (std::vector<std::int32_t>{1313, 16515, 2856}));
}

} // namespace
