// tarvek --plan-png: the fixed picture of the sample house, pixel by pixel where it is fixed.
#include "views/plan/PlanExport.h"
#include "support/GuiTest.h"
#include "support/engine/RunHelpers.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

class PlanExportTest : public GuiTest
{
protected:
    PlanExportTest()
    {
        QFile::copy(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Preisliste.txt"),
                    m_dir.filePath(QStringLiteral("Preisliste.txt")));
    }
    int write(const QString& importFile)
    {
        return writePlanPng(importFile, m_out, m_dir.path() + u'/');
    }
    // The colour of the tile X, Y (inner square), after checking it is filled evenly and its
    // two-pixel border is white. Smallest X and Y of the sample: 1430, 1610.
    QRgb tile(int x, int y) const
    {
        const int left = 16 + 16 * (x - 1430);
        const int top = 16 + 16 * (y - 1610);
        const QRgb inner = m_image.pixel(left + 2, top + 2) & 0xFFFFFF;
        for (int dy = 0; dy < 16; ++dy) {
            for (int dx = 0; dx < 16; ++dx) {
                const bool border = dx < 2 || dy < 2 || dx >= 14 || dy >= 14;
                EXPECT_EQ(m_image.pixel(left + dx, top + dy) & 0xFFFFFF, border ? 0xFFFFFF : inner)
                    << x << "," << y << " +" << dx << "," << dy;
            }
        }
        return inner;
    }

    QTemporaryDir m_dir;
    const QString m_out = m_dir.filePath(QStringLiteral("plan.png"));
    QImage m_image;
};

} // namespace

TEST_F(PlanExportTest, SampleHouseTilesHaveTheirCategoryColours)
{
    ASSERT_EQ(write(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Haus.cfg")), 0);
    ASSERT_TRUE(m_image.load(m_out));
    EXPECT_GT(m_image.width(), 16 + 8 * 16 + 100); // the legend to the right of the 8 x 6 map
    EXPECT_EQ(tile(1436, 1614), 0xFF0000u);        // may not be imported
    EXPECT_EQ(tile(1433, 1614), 0xFF00FFu);        // spawn
    EXPECT_EQ(tile(1435, 1613), 0xFF8000u);        // two backpacks in one another
    EXPECT_EQ(tile(1432, 1614), 0xFFFF00u);        // graphic without a price
    EXPECT_EQ(tile(1437, 1611), 0x404040u);        // build-zone border
    EXPECT_EQ(tile(1432, 1612), 0x2E8B57u);        // table (NHZ) on a floor tile (HZ)
    EXPECT_EQ(tile(1430, 1610), 0x4169E1u);        // wall
    EXPECT_EQ(tile(1431, 1614), 0xA0A0A0u);        // exempt
    EXPECT_EQ(tile(1431, 1611), 0xFFFFFFu);        // empty
}

TEST_F(PlanExportTest, NoPictureWithoutACompleteRun)
{
    const QString invalid = m_dir.filePath(QStringLiteral("leer.cfg"));
    QFile file(invalid);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kein Kopf\r\n");
    file.close();
    EXPECT_EQ(write(invalid), 1);
    EXPECT_EQ(write(m_dir.filePath(QStringLiteral("fehlt.cfg"))), 1);
    // Items 10,000 tiles apart: the picture would take gigabytes, so none is written.
    const QString wide = m_dir.filePath(QStringLiteral("weit.cfg"));
    QFile far(wide);
    ASSERT_TRUE(far.open(QIODevice::WriteOnly));
    far.write(tarvek::testing::importFile({tarvek::testing::item("100", "0", "0"),
                                           tarvek::testing::item("100", "9999", "0")})
                  .c_str());
    far.close();
    EXPECT_EQ(write(wide), 1);
    QFile::remove(m_dir.filePath(QStringLiteral("Preisliste.txt")));
    EXPECT_EQ(write(QStringLiteral(TARVEK_SOURCE_DIR "/examples/Haus.cfg")), 1);
    EXPECT_FALSE(QFile::exists(m_out));
}
