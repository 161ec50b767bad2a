#include "ArtFiles.h"

#include "views/art/ArtSource.h"
#include "views/art/TUOArt.h"

#include <QApplication>
#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

using namespace tarvek::art;
using namespace tarvek::art::testing;

namespace {

constexpr std::uint32_t kItem = 0x4000;
constexpr QRgb kBackground = 0xFFFF00FF;
constexpr std::uint16_t kRed = 0x7C00;
constexpr std::uint16_t kBlue = 0x001F;
constexpr std::uint16_t kWhite = 0x7FFF;

QApplication& application()
{
    static int argc = 1;
    static char name[] = "art_widget";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// width x height in 2 x 2 blocks of red and blue.
Bytes checker(int width, int height)
{
    std::vector<std::uint16_t> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            colours.push_back(((x / 2 + y / 2) % 2) == 0 ? kRed : kBlue);
        }
    }
    return encodeItemArt(width, height, colours);
}

class TUOArtTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { application(); }

    void SetUp() override
    {
        // Item 1: 10 x 6 white with a transparent top left pixel; items 2 and 3 larger than the
        // area; item 4 damaged.
        std::vector<std::uint16_t> small(60, kWhite);
        small[0] = 0;
        Bytes damaged = checker(4, 4);
        damaged.resize(damaged.size() - 2);
        writeMulPair(m_folder.path(),
                     {{kItem + 1, encodeItemArt(10, 6, small)},
                      {kItem + 2, checker(376, 92)},
                      {kItem + 3, checker(100, 368)},
                      {kItem + 4, damaged}},
                     kItem + 8);
        m_source = std::make_shared<const ArtSource>(m_folder.path());
        ASSERT_TRUE(m_source->isOpen());

        m_dialog.resize(TUOArt::kAreaWidth, TUOArt::kAreaHeight);
        QPalette palette = m_dialog.palette();
        palette.setColor(QPalette::Window, QColor::fromRgba(kBackground));
        m_dialog.setPalette(palette);
        m_dialog.setAutoFillBackground(true);
        m_art = new TUOArt(&m_dialog);
    }

    // The art area as the dialog shows it.
    QImage shown(int artIndex)
    {
        m_art->setProperty("ArtIndex", artIndex);
        QImage image(m_dialog.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        m_dialog.render(&image);
        return image;
    }

    // The smallest rectangle holding every pixel that is not the background.
    static QRect drawnRect(const QImage& image)
    {
        QRect drawn;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != kBackground) {
                    drawn |= QRect(x, y, 1, 1);
                }
            }
        }
        return drawn;
    }

    // Whether every pixel inside `rect` is pure red or pure blue (no smoothing), both present.
    static bool onlyRedAndBlue(const QImage& image, const QRect& rect)
    {
        bool red = false;
        bool blue = false;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                red |= pixel == 0xFFFF0000;
                blue |= pixel == 0xFF0000FF;
                if (pixel != 0xFFFF0000 && pixel != 0xFF0000FF) {
                    return false;
                }
            }
        }
        return red && blue;
    }

    TempFolder m_folder;
    std::shared_ptr<const ArtSource> m_source;
    QWidget m_dialog;
    TUOArt* m_art = nullptr;
};

TEST_F(TUOArtTest, HasTheFixedSizeAndKeepsItsProperties)
{
    EXPECT_EQ(m_art->size(), QSize(188, 184));
    EXPECT_EQ(m_art->minimumSize(), QSize(188, 184));
    EXPECT_EQ(m_art->maximumSize(), QSize(188, 184));
    EXPECT_EQ(m_art->sizeHint(), QSize(188, 184));
    for (const char* name :
         {"xOffset", "yOffset", "ArtType", "ArtIndex", "ArtColor", "DrawFlags"}) {
        EXPECT_TRUE(m_art->setProperty(name, 7)) << name;
        EXPECT_EQ(m_art->property(name).toInt(), 7) << name;
    }
}

TEST_F(TUOArtTest, CentresASmallGraphicOnTheDialogBackground)
{
    m_art->setArtSource(m_source);
    const QImage image = shown(1);
    // 10 x 6 in 188 x 184: left 89, top 89; its top left pixel is transparent.
    EXPECT_EQ(drawnRect(image), QRect(89, 89, 10, 6));
    EXPECT_EQ(image.pixel(89, 89), kBackground);
    EXPECT_EQ(image.pixel(90, 89), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(98, 94), 0xFFFFFFFFu);

    // The item's colour from the import file is not applied.
    m_art->setProperty("ArtColor", 0x0481);
    EXPECT_EQ(shown(1), image);
}

TEST_F(TUOArtTest, ScalesALargerGraphicDownWithoutSmoothing)
{
    m_art->setArtSource(m_source);
    QImage image = shown(2); // 376 x 92 at half size: 188 x 46
    EXPECT_EQ(drawnRect(image), QRect(0, 69, 188, 46));
    EXPECT_TRUE(onlyRedAndBlue(image, QRect(0, 69, 188, 46)));

    image = shown(3); // 100 x 368 at half size: 50 x 184
    EXPECT_EQ(drawnRect(image), QRect(69, 0, 50, 184));
    EXPECT_TRUE(onlyRedAndBlue(image, QRect(69, 0, 50, 184)));
}

TEST_F(TUOArtTest, StaysEmptyWithoutAGraphic)
{
    m_art->setArtSource(m_source);
    EXPECT_TRUE(drawnRect(shown(0)).isNull());  // empty entry
    EXPECT_TRUE(drawnRect(shown(4)).isNull());  // damaged entry
    EXPECT_TRUE(drawnRect(shown(99)).isNull()); // past the index
    EXPECT_TRUE(drawnRect(shown(-5)).isNull());
    EXPECT_TRUE(m_art->picture().isNull());

    // No client files at all.
    m_art->setArtSource(std::make_shared<const ArtSource>(m_folder.path() / "missing"));
    EXPECT_TRUE(drawnRect(shown(1)).isNull());
    m_art->setArtSource(nullptr);
    TUOArt::setSharedArtSource(nullptr);
    EXPECT_TRUE(drawnRect(shown(1)).isNull());
}

TEST_F(TUOArtTest, UsesTheSharedSourceUnlessItHasItsOwn)
{
    EXPECT_TRUE(drawnRect(shown(1)).isNull());
    TUOArt::setSharedArtSource(m_source);
    EXPECT_EQ(drawnRect(shown(1)), QRect(89, 89, 10, 6));
    EXPECT_EQ(TUOArt::sharedArtSource(), m_source);

    // A new client folder replaces the picture drawn from the old one.
    TempFolder other;
    writeMulPair(other.path(), {{kItem + 1, checker(4, 4)}}, kItem + 2);
    TUOArt::useClientFolder(QString::fromStdString(other.path().string()));
    EXPECT_EQ(TUOArt::sharedArtSource()->folder(), other.path());
    EXPECT_EQ(drawnRect(shown(1)), QRect(92, 90, 4, 4));

    m_art->setArtSource(std::make_shared<const ArtSource>(m_folder.path() / "missing"));
    EXPECT_TRUE(drawnRect(shown(1)).isNull());
    TUOArt::setSharedArtSource(nullptr);
}

} // namespace
