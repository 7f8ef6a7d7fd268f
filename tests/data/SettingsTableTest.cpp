#include "data/SettingsTable.h"
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

TEST_F(SettingsTableTest, StoredTextRoundTripsAndOddTextGivesSafeValues)
{
    ASSERT_TRUE(
        settings.execute("update sysbasicset set UserPass = ?, ico = NULL", {QStringLiteral("Se'cret\"")}));
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.UserPass, "Se'cret\"");
    EXPECT_EQ(settings.ico, ""); // Null reads as empty, not "0"
    const QString first = settings.UserPass + settings.ScrColor;
    ASSERT_TRUE(settings.load()); // a second load replaces, never appends
    EXPECT_EQ(settings.UserPass + settings.ScrColor, first);

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

TEST_F(SettingsTableTest, AMissingRowIsEmptyButAFailedReadSaysSo)
{
    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    EXPECT_TRUE(settings.load());
    EXPECT_EQ(settings.cellnum, "");

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

TEST(StoredValuesTest, ScreenSizeSplitsAtTheFirstStarAndColoursKeepTheLow24Bits)
{
    EXPECT_EQ(splitScrSize("1366*768").width, "1366");
    EXPECT_EQ(splitScrSize("1024*768*2").height, "7682");
    EXPECT_EQ(splitScrSize("1920").height, "");

    EXPECT_EQ(storedColour("255"), QColor(255, 0, 0)); // red first
    EXPECT_EQ(storedColour(QString::number(0x7F00FF00)), QColor(0, 255, 0));
    EXPECT_EQ(storedColour("-1"), QColor(255, 255, 255));
    for (const QColor& colour : {QColor(1, 2, 3), QColor(255, 0, 128)}) {
        EXPECT_EQ(storedColour(colourToStored(colour)), colour);
        EXPECT_EQ(colourFromRef(colourToRef(colour)), colour);
    }
}

} // namespace
