// The camera setup page, reached through the settings hub, and the adjustment
// window: the real buttons hand their words to the link with the camera mode,
// a bad unit number sends nothing, and the window outlives its close box.

#include "speak/FrmVid.h"
#include "speak/FrmVidAdj.h"

#include "core/IniFile.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "screen/FrmScr.h"
#include "settings/FrmSysset.h"

#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

class CameraPagesTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase()); // 40 units
        hallScreen = std::make_unique<FrmScr>();
        openCameras();
    }
    void TearDown() override
    {
        hub.reset();
        hallScreen.reset();
        ConsoleTest::TearDown();
    }
    void openCameras()
    {
        hub = std::make_unique<FrmSysset>(link, *hallScreen, QStringLiteral("2"));
        hub->show();
        clickButton(hub.get(), FrmSysset::kCameraButton);
    }
    void click(const char* name) const { clickButton(hub.get(), name); }
    void hold(QWidget* root, const char* name)
    {
        QTest::mousePress(findWidget(root, name), Qt::LeftButton);
        QTest::mouseRelease(findWidget(root, name), Qt::LeftButton);
    }
    // The words handed to the link since the last call, each checked for the camera mode.
    QList<quint32> sentWords()
    {
        QList<quint32> words;
        for (const Command& command : link.queuedCommands()) {
            EXPECT_EQ(command.mode, LinkMode::Camera) << std::hex << command.word;
            words.append(command.word);
        }
        link.request(LinkMode::Idle); // empties the queue
        return words;
    }
    QString text(const char* key) const { return LanguageTable::text(QStringLiteral("FrmVid"), key); }
    QString stored(const char* section, const char* key) const
    {
        return IniFile::readString(programFile(QLatin1String(CameraPresets::kFile)), QLatin1String(section),
                                   QLatin1String(key));
    }

    Link link;
    std::unique_ptr<FrmScr> hallScreen;
    std::unique_ptr<FrmSysset> hub;
};

TEST_F(CameraPagesTest, ThirdCameraIsSentStoredAndShownWhenThePageOpensAgain)
{
    findWidget<QComboBox>(hub.get(), FrmVid::kCameraList)->setCurrentIndex(2);
    click(FrmVid::kApplyButton);
    EXPECT_EQ(sentWords(), QList<quint32>{0xE60355});
    EXPECT_EQ(stored("Vidset", "SetVid"), QStringLiteral("2"));
    openCameras();
    EXPECT_EQ(findWidget<QComboBox>(hub.get(), FrmVid::kCameraList)->currentText(), text("MsgClew3"));
}

TEST_F(CameraPagesTest, PresetOfUnit12IsSavedAfterOpeningItAndTheFieldMovesOnTo13)
{
    EXPECT_FALSE(findWidget(hub.get(), FrmVid::kOpenButton)->isEnabled());
    click(FrmVid::kPresetCheck);
    auto* unit = findWidget<QLineEdit>(hub.get(), FrmVid::kUnitEdit);
    for (const char* typed : {"12a", "251", "12"}) {
        unit->clear();
        QTest::keyClicks(unit, QString::fromLatin1(typed));
        click(FrmVid::kOpenButton);
    }
    EXPECT_EQ(prompts.takeTexts(), (QStringList{text("MsgClew9"), text("MsgClew9")}));
    EXPECT_EQ(sentWords(), QList<quint32>{0xFC000C}) << "SpeakerOn of unit 12 only";

    // Another number typed between Open and Save: the preset is still the opened unit's.
    unit->clear();
    QTest::keyClicks(unit, QStringLiteral("20"));
    prompts.answerNext(false);
    prompts.answerNext(true);
    click(FrmVid::kSaveButton);
    EXPECT_EQ(stored("VID0", "cell12"), QString()) << "not confirmed";
    click(FrmVid::kSaveButton);
    EXPECT_EQ(prompts.takeTexts(), (QStringList{text("MsgClew11"), text("MsgClew11")}));
    EXPECT_EQ(sentWords(), QList<quint32>{0xE6F055});
    EXPECT_EQ(stored("VID0", "cell12"), QStringLiteral("12"));
    EXPECT_EQ(stored("VID0", "cell20"), QString());
    EXPECT_EQ(unit->text(), QStringLiteral("13"));
    EXPECT_FALSE(findWidget(hub.get(), FrmVid::kSaveButton)->isEnabled());

    ASSERT_TRUE(CameraPresets().savePreset(1, 4));
    prompts.answerNext(true);
    click(FrmVid::kClearButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("MsgClew10")});
    EXPECT_EQ(sentWords(), QList<quint32>{0xE6F255});
    EXPECT_EQ(stored("VID0", "cell12"), QString());
    EXPECT_EQ(stored("VID1", "cell4"), QStringLiteral("4")) << "only this camera's presets go";
}

TEST_F(CameraPagesTest, MotionButtonsMoveWhileHeldAndTheOtherControlsSendTheirWord)
{
    const quint32 stop = 0xE6CF55;
    const quint32 motion[] = {0xE6CC55, 0xE69E55, 0xE69C55, 0xE6C655, 0xE6F855, 0xE6C055, 0xE6FC55, 0xE6FE55};
    for (int i = 0; i < 8; ++i) {
        hold(hub.get(), FrmVid::kPad[i]);
        EXPECT_EQ(sentWords(), (QList<quint32>{motion[i], stop})) << FrmVid::kPad[i];
    }
    // The press word replaced before it went out: the release still stops the camera.
    QTest::mousePress(findWidget(hub.get(), FrmVid::kPad[0]), Qt::LeftButton);
    link.request(LinkMode::LinePoll);
    QTest::mouseRelease(findWidget(hub.get(), FrmVid::kPad[0]), Qt::LeftButton);
    EXPECT_EQ(sentWords(), QList<quint32>{stop});

    for (const char* name : {FrmVid::kPad[8], FrmVid::kPad[9], FrmVid::kPanoramaButton, "RS232", "VISCA"})
        click(name);
    EXPECT_EQ(sentWords(), (QList<quint32>{0xE6E655, 0xE6CE55, 0xE6F655, 0xE6F555, 0xE68B55}));
}

TEST_F(CameraPagesTest, AdjustmentWindowSendsLikeTheSetupPageAndShowsAgainAfterItsCloseBox)
{
    FrmVidAdj window(link);
    window.show();
    QSignalSpy closed(&window, &FrmVidAdj::closedByOperator);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());

    window.show();
    hold(&window, FrmVidAdj::kPad[4]); // zoom in
    for (const char* name : {FrmVidAdj::kPad[8], FrmVidAdj::kPad[9]})
        clickButton(&window, name);
    EXPECT_EQ(sentWords(), (QList<quint32>{0xE6F855, 0xE6CF55, 0xE6E655, 0xE6CE55}));
}

} // namespace
