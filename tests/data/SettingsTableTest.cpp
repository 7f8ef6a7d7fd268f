#include "data/SettingsTable.h"
#include "data/Schema.h"
#include "support/SystemDatabaseTest.h"

namespace {

using SettingsTableTest = SystemDatabaseTest;

TEST_F(SettingsTableTest, StoredTextRoundTripsAndOddTextGivesSafeValues)
{
    ASSERT_TRUE(
        settings.execute("update sysbasicset set UserPass = ?, ico = NULL, cellnum = NULL, ScrSize = ?,"
                         " mark = ?, ScrColor = ?",
                         {QStringLiteral("Se'cret\""), "1366", "10:x:30:", "not a colour"}));
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.UserPass, "Se'cret\"");
    EXPECT_EQ(settings.ico, ""); // Null reads as empty, not "0"
    const SystemSettings s = settings.typed();
    EXPECT_EQ(s.unitCount, 0);
    EXPECT_EQ(s.screenSize, QSize(1366, 0));
    EXPECT_EQ(s.keyPoints, (std::array<int, 5>{10, 0, 30, 0, 0}));
    EXPECT_EQ(s.screenColour, QColor(Qt::black));

    ASSERT_TRUE(settings.execute("drop table sysbasicset"));
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(prompts.take().size(), 1);
}

TEST(StoredValuesTest, ScreenSizeSplitsAtTheFirstStarAndColoursKeepTheLow24Bits)
{
    EXPECT_EQ(splitScrSize("1024*768*2").height, "7682");
    EXPECT_EQ(storedColour("255"), QColor(255, 0, 0)); // red first
    EXPECT_EQ(storedColour(QString::number(0x7F00FF00)), QColor(0, 255, 0));
    for (const QColor& colour : {QColor(1, 2, 3), QColor(255, 0, 128)})
        EXPECT_EQ(storedColour(colourToStored(colour)), colour);
}

} // namespace
