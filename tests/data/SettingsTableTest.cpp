#include "data/SettingsTable.h"
#include "support/ConsoleTest.h"
#include "data/DbAccess.h"
#include "data/Schema.h"

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

TEST_F(SettingsTableTest, DefaultRowReadsAsText)
{
    settings.load();
    EXPECT_EQ(settings.Tag, "tag");
    EXPECT_EQ(settings.cellnum, "40");
    EXPECT_EQ(settings.cinnum, "1");
    EXPECT_EQ(settings.comlow, "1");
    EXPECT_EQ(settings.comHigh, "8");
    EXPECT_EQ(settings.ScrSize, "1024*768");
    EXPECT_EQ(settings.UserPass, "");
    EXPECT_EQ(settings.SeatYesORNo, "No");
    EXPECT_EQ(settings.mark, "0:25:50:75:100:");
    EXPECT_EQ(storedColour(settings.ScrTextColor), QColor(Qt::white));
}

TEST_F(SettingsTableTest, ChangedValuesRoundTripAndLoadTwiceIsTheSame)
{
    ASSERT_TRUE(
        settings.execute("update sysbasicset set cellnum = ?, UserPass = ?, mark = ? where Tag = ?",
                         {120, QStringLiteral("Se'cret\""), QStringLiteral("10:20:30:40:50:"), "tag"}));
    settings.load();
    EXPECT_EQ(settings.cellnum, "120");
    EXPECT_EQ(settings.UserPass, "Se'cret\"");
    EXPECT_EQ(settings.mark, "10:20:30:40:50:");
    const QString first = settings.cellnum + settings.UserPass + settings.ScrColor;
    settings.load();
    EXPECT_EQ(settings.cellnum + settings.UserPass + settings.ScrColor, first);
}

TEST_F(SettingsTableTest, NullColumnsAndMissingRowGiveEmptyFields)
{
    ASSERT_TRUE(settings.execute("update sysbasicset set per = NULL, ico = NULL"));
    settings.load();
    EXPECT_EQ(settings.per, "");
    EXPECT_EQ(settings.ico, "");
    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    settings.load();
    EXPECT_EQ(settings.cellnum, "");
    EXPECT_EQ(settings.Tag, "");
}

TEST_F(SettingsTableTest, AppearanceRowChoosesTheLanguage)
{
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.load();
    EXPECT_EQ(appearance.borderism, "1");
    EXPECT_EQ(appearance.mianbmp, "main.png");
    appearance.borderism = "stale";
    appearance.load();
    EXPECT_EQ(appearance.borderism, "1");
}

TEST(ScreenSizeTest, SplitsAtTheFirstStar)
{
    EXPECT_EQ(splitScrSize("1366*768").width, "1366");
    EXPECT_EQ(splitScrSize("1366*768").height, "768");
    EXPECT_EQ(splitScrSize("1024*768*2").height, "7682");
    EXPECT_EQ(splitScrSize("1920").width, "1920");
    EXPECT_EQ(splitScrSize("1920").height, "");
    EXPECT_EQ(splitScrSize("").width, "");
}

TEST(StoredColourTest, KeepsTheLow24BitsRedFirst)
{
    EXPECT_EQ(storedColour("255"), QColor(255, 0, 0));
    EXPECT_EQ(storedColour("16711680"), QColor(0, 0, 255));
    EXPECT_EQ(storedColour(QString::number(0x7F00FF00)), QColor(0, 255, 0));
    EXPECT_EQ(storedColour("-1"), QColor(255, 255, 255));
    EXPECT_EQ(colourToStored(QColor(0, 32, 96)), "6299648");
}

} // namespace
