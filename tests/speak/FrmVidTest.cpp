// The camera setup page as the operator reaches it, through the settings hub:
// every button's word reaches the link with the camera mode, presets are
// remembered per camera, and a bad unit number sends nothing.

#include "speak/FrmVid.h"

#include "core/IniFile.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "screen/FrmScr.h"
#include "settings/FrmSysset.h"

#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

class FrmVidTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase()); // 40 units
        hallScreen = std::make_unique<FrmScr>();
        link.unitCount = 40;
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
        ASSERT_EQ(hub->currentPage(), hub->cameraPage());
    }
    QPushButton* button(const char* name) const { return findWidget(hub.get(), name); }
    void click(const char* name) const { clickButton(hub.get(), name); }
    void typeUnit(const QString& text) const
    {
        auto* edit = findWidget<QLineEdit>(hub.get(), FrmVid::kUnitEdit);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    // The words the page handed to the link since the last call, all in the camera mode.
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

TEST_F(FrmVidTest, ThirdCameraIsSentStoredAndShownWhenThePageOpensAgain)
{
    EXPECT_EQ(findWidget<QLabel>(hub.get(), FrmSysset::kTitle)->text(),
              LanguageTable::text(QStringLiteral("FrmSysset"), QStringLiteral("MsgClew2")));
    auto* cameras = findWidget<QComboBox>(hub.get(), FrmVid::kCameraList);
    EXPECT_EQ(cameras->currentIndex(), 0);
    cameras->setCurrentIndex(2);
    click(FrmVid::kApplyButton);
    EXPECT_EQ(sentWords(), QList<quint32>{0xE60355});
    EXPECT_EQ(stored("Vidset", "SetVid"), QStringLiteral("2"));

    // Presets now belong to the third camera.
    click(FrmVid::kPresetCheck);
    typeUnit(QStringLiteral("7"));
    click(FrmVid::kOpenButton);
    prompts.answerNext(true);
    click(FrmVid::kSaveButton);
    ASSERT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(stored("VID2", "cell7"), QStringLiteral("7"));

    openCameras();
    EXPECT_EQ(findWidget<QComboBox>(hub.get(), FrmVid::kCameraList)->currentText(), text("MsgClew3"));
}

TEST_F(FrmVidTest, PresetOfUnit12IsSavedAfterOpeningItAndTheFieldMovesOnTo13)
{
    for (const char* name :
         {FrmVid::kOpenButton, FrmVid::kSaveButton, FrmVid::kClearButton, FrmVid::kListButton})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    click(FrmVid::kPresetCheck);
    EXPECT_TRUE(button(FrmVid::kOpenButton)->isEnabled());
    EXPECT_FALSE(button(FrmVid::kSaveButton)->isEnabled()) << "nothing opened yet";

    for (const char* refused : {"12a", "251", "0", "41", ""}) {
        typeUnit(QString::fromLatin1(refused));
        click(FrmVid::kOpenButton);
        EXPECT_EQ(prompts.takeTexts(), QStringList{text("MsgClew9")}) << refused;
        EXPECT_TRUE(sentWords().isEmpty()) << refused;
        EXPECT_FALSE(button(FrmVid::kSaveButton)->isEnabled()) << refused;
    }

    typeUnit(QStringLiteral("12"));
    click(FrmVid::kOpenButton);
    EXPECT_EQ(sentWords(), QList<quint32>{0xFC000C}) << "SpeakerOn, with the camera mode";
    prompts.answerNext(false);
    click(FrmVid::kSaveButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_TRUE(sentWords().isEmpty()) << "not confirmed";
    EXPECT_EQ(stored("VID0", "cell12"), QString());

    prompts.answerNext(true);
    click(FrmVid::kSaveButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("MsgClew11")});
    EXPECT_EQ(sentWords(), QList<quint32>{0xE6F055});
    EXPECT_EQ(stored("VID0", "cell12"), QStringLiteral("12"));
    EXPECT_EQ(findWidget<QLineEdit>(hub.get(), FrmVid::kUnitEdit)->text(), QStringLiteral("13"));
    EXPECT_FALSE(button(FrmVid::kSaveButton)->isEnabled());

    click(FrmVid::kPresetCheck); // cleared: nothing of the workflow stays open
    EXPECT_FALSE(button(FrmVid::kOpenButton)->isEnabled());
    EXPECT_FALSE(button(FrmVid::kListButton)->isEnabled());
}

TEST_F(FrmVidTest, ClearAllAsksThenForgetsOnlyThisCameraAndTheListShowsWhatIsLeft)
{
    CameraPresets presets;
    ASSERT_TRUE(presets.savePreset(0, 1));
    ASSERT_TRUE(presets.savePreset(0, 2));
    ASSERT_TRUE(presets.savePreset(1, 3));
    click(FrmVid::kPresetCheck);

    click(FrmVid::kListButton);
    const QList<PromptRecorder::Record> list = prompts.take();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].caption, text("MsgClew13"));
    const QStringList lines = list[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{text("MsgClew12"), QStringLiteral("1:2:"), text("MsgClew14")}));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("3 :4 :")));
    EXPECT_TRUE(lines[5].endsWith(QStringLiteral("40 :")));

    prompts.answerNext(false);
    click(FrmVid::kClearButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("MsgClew10")});
    EXPECT_TRUE(sentWords().isEmpty());
    EXPECT_EQ(stored("VID0", "cell1"), QStringLiteral("1"));

    prompts.answerNext(true);
    click(FrmVid::kClearButton);
    ASSERT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(sentWords(), QList<quint32>{0xE6F255});
    EXPECT_EQ(stored("VID0", "cell1"), QString());
    EXPECT_EQ(stored("VID1", "cell3"), QStringLiteral("3"));
}

TEST_F(FrmVidTest, MotionButtonsMoveWhileHeldAndTheOtherControlsSendTheirWord)
{
    const quint32 stop = 0xE6CF55;
    const quint32 motion[] = {0xE6CC55, 0xE69E55, 0xE69C55, 0xE6C655, 0xE6F855, 0xE6C055, 0xE6FC55, 0xE6FE55};
    for (int i = 0; i < 8; ++i) {
        QPushButton* held = button(FrmVid::kPad[i]);
        QTest::mousePress(held, Qt::LeftButton);
        QTest::mouseRelease(held, Qt::LeftButton);
        EXPECT_EQ(sentWords(), (QList<quint32>{motion[i], stop})) << FrmVid::kPad[i];
    }

    // The press word replaced before it went out: the release still stops the camera.
    QTest::mousePress(button(FrmVid::kPad[0]), Qt::LeftButton);
    link.request(LinkMode::LinePoll);
    QTest::mouseRelease(button(FrmVid::kPad[0]), Qt::LeftButton);
    EXPECT_EQ(sentWords(), QList<quint32>{stop});

    for (const char* name :
         {FrmVid::kPad[8], FrmVid::kPad[9], FrmVid::kPanoramaButton, "RS422", "RS232", "PELCOD", "VISCA"})
        click(name);
    EXPECT_EQ(sentWords(),
              (QList<quint32>{0xE6E655, 0xE6CE55, 0xE6F655, 0xE6F455, 0xE6F555, 0xE68A55, 0xE68B55}));
}

TEST_F(FrmVidTest, ButtonCaptionsFitInEveryLanguage)
{
    for (const char* code : {"0", "1", "2"}) {
        useLanguage(QString::fromLatin1(code));
        openCameras();
        QCoreApplication::processEvents();
        saveScreenshot(*hub, QStringLiteral("settings-cameras-%1").arg(QLatin1String(code)));
        for (QPushButton* b : hub->cameraPage()->findChildren<QPushButton*>())
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 12, b->width())
                << code << " " << b->objectName().toStdString();
    }
}

} // namespace
