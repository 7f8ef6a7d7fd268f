// Microphone commands on the wire and who the hall screen names as speaking.

#include "speak/MicrophoneControl.h"
#include "SpeakingFixture.h"
#include "link/LinkTestSeam.h"
#include "speak/SpeakerPrompt.h"

namespace {

using UnitAction = MicrophoneControl::UnitAction;

class MicrophoneControlTest : public SpeakingFixture
{
protected:
    void SetUp() override
    {
        SpeakingFixture::SetUp();
        control = std::make_unique<MicrophoneControl>(*link);
    }
    std::unique_ptr<MicrophoneControl> control;
};

TEST_F(MicrophoneControlTest, ModesAndCountsSendTheirWordsAndCloseEveryMicrophone)
{
    control->chooseSpeakerCount(3); // before any limited mode the mode byte is 0
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFE0003}));
    control->chooseMode(MicrophoneControl::Mode::Free);
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFE8103}));
    LinkTestSeam::unit(*link, 4).micOn = true;
    control->chooseMode(MicrophoneControl::Mode::Limited);
    EXPECT_FALSE(link->unit(4).micOn);
    control->chooseSpeakerCount(3);
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFE0401, 0xFE0403}));
    control->chooseMode(MicrophoneControl::Mode::Queued);
    control->chooseSpeakerCount(8);
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFE0201, 0xFE0208}));
    EXPECT_EQ(link->operatingMode(), LinkMode::Speaking);
}

TEST_F(MicrophoneControlTest, UnitActionsStayWithinTheInstallationAndCloseAllSparesTheChairmen)
{
    EXPECT_FALSE(control->act(UnitAction::Open, 0));
    EXPECT_FALSE(control->act(UnitAction::Forbid, kUnits + 1));
    EXPECT_TRUE(sentAfterSteps().isEmpty());
    EXPECT_FALSE(link->unit(kUnits + 1).forbidden);

    EXPECT_TRUE(control->act(UnitAction::Open, kUnits));
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFC000A}));
    EXPECT_TRUE(control->act(UnitAction::Forbid, 5));
    EXPECT_TRUE(link->unit(5).forbidden);
    EXPECT_TRUE(control->act(UnitAction::Untie, 5));
    EXPECT_FALSE(link->unit(5).forbidden);
    EXPECT_TRUE(control->act(UnitAction::Close, 5));

    for (int unit = 1; unit <= kUnits; ++unit)
        LinkTestSeam::unit(*link, unit).micOn = true;
    control->closeAll();
    QList<int> open;
    for (int unit = 1; unit <= kUnits; ++unit)
        if (link->unit(unit).micOn)
            open.append(unit);
    EXPECT_EQ(open, (QList<int>{1, 2}));
    EXPECT_EQ(sentAfterSteps().last(), Commands::kAllMicsOff);
}

TEST(SpeakerPromptTest, NewestOpenMicrophoneIsNamedUntilItCloses)
{
    SpeakerPrompt prompt({"Ana", "Bo", "Carla", "", "Eva", "Fay", "Gil"}, QStringLiteral("正在发言"));
    QList<bool> mics(9, false);
    EXPECT_FALSE(prompt.update(mics)); // nobody, and nobody before
    mics[6] = true;                    // unit 7
    EXPECT_TRUE(prompt.update(mics));
    mics[2] = true; // then unit 3
    EXPECT_TRUE(prompt.update(mics));
    EXPECT_EQ(prompt.text(), QStringLiteral("Carla正在发言"));
    EXPECT_EQ(prompt.openMicrophones(), (QList<int>{7, 3}));
    EXPECT_FALSE(prompt.update(mics));
    mics[2] = false;
    EXPECT_TRUE(prompt.update(mics));
    EXPECT_EQ(prompt.text(), QStringLiteral("Gil正在发言"));
    mics[3] = true; // unit 4 has no name
    EXPECT_TRUE(prompt.update(mics));
    EXPECT_EQ(prompt.text(), QString());
    mics[8] = true; // unit 9 is beyond the names
    EXPECT_TRUE(prompt.update(mics));
    EXPECT_EQ(prompt.text(), QString());
    mics.fill(false);
    EXPECT_TRUE(prompt.update(mics));
    EXPECT_EQ(prompt.text(), QString());
    EXPECT_TRUE(prompt.openMicrophones().isEmpty());
}

} // namespace
