// What Vidaddr.ini remembers of the cameras, read back as the next page would.

#include "speak/CameraPresets.h"

#include "core/IniFile.h"
#include "support/ConsoleTest.h"

#include <QFile>

namespace {

class CameraPresetsTest : public ConsoleTest
{
protected:
    QString read(const char* section, const char* key) const
    {
        return IniFile::readString(programFile(QLatin1String(CameraPresets::kFile)), QLatin1String(section),
                                   QLatin1String(key));
    }
    CameraPresets presets;
};

TEST_F(CameraPresetsTest, ListOfFortyUnitsBreaksBeforeTheFifteenthAndThirtiethUnitWithout)
{
    for (auto [camera, unit] : {std::pair{0, 2}, {0, 1}, {1, 5}}) // another camera's preset does not count
        ASSERT_TRUE(presets.savePreset(camera, unit));
    const CameraPresets::Overview lists = presets.overview(0, 40);
    EXPECT_EQ(lists.withPreset, QStringLiteral("1:2:"));
    EXPECT_EQ(lists.withoutPreset,
              QStringLiteral("3 :4 :5 :6 :7 :8 :9 :10 :11 :12 :13 :14 :15 :16 :"
                             "\n17 :18 :19 :20 :21 :22 :23 :24 :25 :26 :27 :28 :29 :30 :31 :"
                             "\n32 :33 :34 :35 :36 :37 :38 :39 :40 :"));
}

TEST_F(CameraPresetsTest, DamagedFileMeansTheFirstCameraAndKeepsItsSoundEntries)
{
    QFile damaged(programFile(QLatin1String(CameraPresets::kFile)));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(
        "\x01\x02 garbage \xc3\x28\n[Vidset]\nSetVid=abc\n[VID0]\nnot a line\ncell3=3\n=\n[VID7]\ncell1=1\n");
    damaged.close();
    EXPECT_EQ(presets.selectedCamera(), 0);
    ASSERT_TRUE(presets.savePreset(0, 5));
    EXPECT_EQ(presets.overview(0, 9).withPreset, QStringLiteral("3:5:"));
    EXPECT_EQ(read("VID7", "cell1"), QStringLiteral("1"));
}

TEST_F(CameraPresetsTest, UnitNumberIsDigitsWithinTheUnitCount)
{
    for (const char* refused : {"", "0", "12a", "+5", "41", "251", "2 5"})
        EXPECT_FALSE(CameraPresets::unitNumber(QString::fromLatin1(refused), 40)) << refused;
    EXPECT_EQ(CameraPresets::unitNumber(QStringLiteral(" 40 "), 40), 40);
}

} // namespace
