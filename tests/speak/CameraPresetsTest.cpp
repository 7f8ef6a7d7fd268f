// What Vidaddr.ini remembers of the cameras, read back as the next page would.

#include "speak/CameraPresets.h"

#include "core/IniFile.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

class CameraPresetsTest : public ConsoleTest
{
protected:
    QString file() const { return programFile(QLatin1String(CameraPresets::kFile)); }
    QString read(const char* section, const char* key) const
    {
        return IniFile::readString(file(), QLatin1String(section), QLatin1String(key));
    }
};

TEST_F(CameraPresetsTest, ChosenCameraAndPresetsSurviveAndClearingTouchesOnlyThatCamera)
{
    EXPECT_EQ(CameraPresets().selectedCamera(), 0) << "no file yet: the first camera";
    ASSERT_TRUE(CameraPresets().selectCamera(2));
    EXPECT_EQ(read("Vidset", "SetVid"), QStringLiteral("2"));
    EXPECT_EQ(CameraPresets().selectedCamera(), 2);
    EXPECT_FALSE(CameraPresets().selectCamera(CameraPresets::kCameras));

    CameraPresets presets;
    ASSERT_TRUE(presets.savePreset(0, 12));
    ASSERT_TRUE(presets.savePreset(0, 3));
    ASSERT_TRUE(presets.savePreset(1, 4));
    EXPECT_EQ(read("VID0", "cell12"), QStringLiteral("12"));
    EXPECT_EQ(presets.overview(0, 12).withPreset, QStringLiteral("3:12:"));

    ASSERT_TRUE(presets.clearPresets(0));
    EXPECT_TRUE(IniFile::readSection(file(), QStringLiteral("VID0")).isEmpty());
    EXPECT_EQ(read("VID1", "cell4"), QStringLiteral("4"));
    EXPECT_EQ(presets.selectedCamera(), 2);
}

TEST_F(CameraPresetsTest, ListOfFortyUnitsBreaksBeforeTheFifteenthAndThirtiethUnitWithout)
{
    CameraPresets presets;
    ASSERT_TRUE(presets.savePreset(0, 2));
    ASSERT_TRUE(presets.savePreset(0, 1));
    ASSERT_TRUE(presets.savePreset(1, 5)); // another camera's preset does not count
    const CameraPresets::Overview lists = presets.overview(0, 40);
    EXPECT_EQ(lists.withPreset, QStringLiteral("1:2:"));
    EXPECT_EQ(lists.withoutPreset,
              QStringLiteral("3 :4 :5 :6 :7 :8 :9 :10 :11 :12 :13 :14 :15 :16 :"
                             "\n17 :18 :19 :20 :21 :22 :23 :24 :25 :26 :27 :28 :29 :30 :31 :"
                             "\n32 :33 :34 :35 :36 :37 :38 :39 :40 :"));
    EXPECT_EQ(presets.overview(0, 0).withoutPreset, QString());
}

TEST_F(CameraPresetsTest, DamagedFileMeansTheFirstCameraAndKeepsItsSoundEntries)
{
    QFile damaged(file());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x01\x02 garbage \xc3\x28\n[Vidset]\nSetVid=abc\n[VID0]\nnot a line\ncell3=3\n"
                  "=\n[VID7]\ncell1=1\n");
    damaged.close();
    CameraPresets presets;
    EXPECT_EQ(presets.selectedCamera(), 0);
    ASSERT_TRUE(presets.savePreset(0, 5));
    EXPECT_EQ(presets.overview(0, 9).withPreset, QStringLiteral("3:5:"));
    EXPECT_EQ(read("VID7", "cell1"), QStringLiteral("1"));

    ASSERT_TRUE(IniFile::writeString(file(), QStringLiteral("Vidset"), QStringLiteral("SetVid"),
                                     QStringLiteral("9")));
    EXPECT_EQ(presets.selectedCamera(), 0) << "only eight cameras";
}

TEST_F(CameraPresetsTest, UnitNumberIsDigitsWithinTheUnitCount)
{
    for (const char* refused : {"", "0", "12a", "a", "+5", "-1", "41", "251", "1000", "2 5"})
        EXPECT_FALSE(CameraPresets::unitNumber(QString::fromLatin1(refused), 40)) << refused;
    EXPECT_EQ(CameraPresets::unitNumber(QStringLiteral(" 12 "), 40), 12);
    EXPECT_EQ(CameraPresets::unitNumber(QStringLiteral("40"), 40), 40);
    EXPECT_EQ(CameraPresets::unitNumber(QStringLiteral("007"), 40), 7);
}

} // namespace
