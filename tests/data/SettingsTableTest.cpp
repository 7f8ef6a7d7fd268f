#include "data/SettingsTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

class SettingsTableTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        settings.setPath(Schema::kSystemDatabase);
    }
    SettingsTable settings;
};

TEST_F(SettingsTableTest, DefaultRowReadsAsValues)
{
    ASSERT_TRUE(settings.load());
    const SystemSettings s = settings.typed();
    EXPECT_EQ(s.unitCount, 40);
    EXPECT_EQ(s.chairCount, 1);
    EXPECT_EQ(s.lowestPort, 1);
    EXPECT_EQ(s.highestPort, 8);
    EXPECT_EQ(s.screenTextColour, QColor(Qt::white));
    EXPECT_EQ(s.screenColour, QColor(0, 32, 96));
    EXPECT_EQ(s.screenSize, QSize(1024, 768));
    EXPECT_FALSE(s.seatLayout);
    EXPECT_TRUE(s.showPercentages);
    EXPECT_TRUE(s.showPass);
    EXPECT_EQ(s.keyPoints, (std::array<int, 5>{0, 25, 50, 75, 100}));
}

TEST_F(SettingsTableTest, OddStoredTextGivesSafeValues)
{
    ASSERT_TRUE(
        settings.execute("update sysbasicset set cellnum = NULL, ScrSize = ?, SeatYesORNo = ?, per = ?,"
                         " mark = ?, ScrColor = ?",
                         {"1366", "YES", 2, "10:x:30:", "not a colour"}));
    ASSERT_TRUE(settings.load());
    const SystemSettings s = settings.typed();
    EXPECT_EQ(s.unitCount, 0);
    EXPECT_EQ(s.screenSize, QSize(1366, 0));
    EXPECT_TRUE(s.seatLayout);
    EXPECT_FALSE(s.showPercentages);
    EXPECT_EQ(s.keyPoints, (std::array<int, 5>{10, 0, 30, 0, 0}));
    EXPECT_EQ(s.screenColour, QColor(Qt::black));
}

TEST_F(SettingsTableTest, ChangedValuesRoundTripAndLoadTwiceIsTheSame)
{
    ASSERT_TRUE(settings.execute(
        "update sysbasicset set cellnum = ?, UserPass = ?, mark = ?, ico = NULL where Tag = ?",
        {120, QStringLiteral("Se'cret\""), QStringLiteral("10:20:30:40:50:"), "tag"}));
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.cellnum, "120");
    EXPECT_EQ(settings.UserPass, "Se'cret\"");
    EXPECT_EQ(settings.mark, "10:20:30:40:50:");
    EXPECT_EQ(settings.ico, ""); // Null reads as empty, not "0"
    const QString first = settings.cellnum + settings.UserPass + settings.ScrColor;
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.cellnum + settings.UserPass + settings.ScrColor, first);
}

TEST_F(SettingsTableTest, AMissingRowIsEmptyButAFailedReadSaysSo)
{
    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    EXPECT_TRUE(settings.load());
    EXPECT_EQ(settings.cellnum, "");
    EXPECT_EQ(settings.typed().unitCount, 0);

    ASSERT_TRUE(settings.execute("drop table sysbasicset"));
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(prompts.take().size(), 1);

    ASSERT_TRUE(QFile::remove(programFile(Schema::kSystemDatabase)));
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.borderism = "stale";
    EXPECT_FALSE(appearance.load());
    EXPECT_EQ(appearance.borderism, "");
    EXPECT_EQ(prompts.take().size(), 1);
}

TEST_F(SettingsTableTest, AppearanceRowChoosesTheLanguage)
{
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    ASSERT_TRUE(appearance.load());
    EXPECT_EQ(appearance.borderism, "1");
    EXPECT_EQ(appearance.mianbmp, "main.png");
}

TEST(ScreenSizeTest, SplitsAtTheFirstStar)
{
    EXPECT_EQ(splitScrSize("1366*768").width, "1366");
    EXPECT_EQ(splitScrSize("1366*768").height, "768");
    EXPECT_EQ(splitScrSize("1024*768*2").height, "7682");
    EXPECT_EQ(splitScrSize("1920").height, "");
}

TEST(StoredColourTest, KeepsTheLow24BitsRedFirstAndRoundTrips)
{
    EXPECT_EQ(storedColour("255"), QColor(255, 0, 0));
    EXPECT_EQ(storedColour("16711680"), QColor(0, 0, 255));
    EXPECT_EQ(storedColour(QString::number(0x7F00FF00)), QColor(0, 255, 0));
    EXPECT_EQ(storedColour("-1"), QColor(255, 255, 255));
    EXPECT_EQ(colourToStored(QColor(0, 32, 96)), "6299648");
    for (const QColor& colour : {QColor(1, 2, 3), QColor(255, 0, 128), QColor(Qt::white)}) {
        EXPECT_EQ(storedColour(colourToStored(colour)), colour);
        EXPECT_EQ(colourFromRef(colourToRef(colour)), colour);
    }
}

} // namespace
