// The speaking page in the meeting hub: the seat map follows the unit table,
// seats that cannot speak cannot be picked, and the hall screen names the
// newest speaker while the page is on show.

#include "speak/FrmMootset.h"
#include "SpeakingFixture.h"
#include "core/ProgramFolder.h"
#include "meeting/FrmConmee.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "speak/FrmVidAdj.h"
#include "speak/SeatLayout.h"
#include "speak/SeatMap.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class FrmMootsetTest : public SpeakingFixture
{
protected:
    void SetUp() override
    {
        SpeakingFixture::SetUp();
        meeting = MeetingTestData::addMeeting(QStringLiteral("Council"), 8, kUnits);
        storeLayout(SeatLayout::grid(kUnits + 5)); // more seats than units
    }
    void TearDown() override
    {
        hub.reset();
        meetings.reset();
        screen.reset();
        SpeakingFixture::TearDown();
    }
    static void storeLayout(const SeatLayout& layout)
    {
        ASSERT_TRUE(layout.save(ProgramFolder::filePath(QStringLiteral("System/seat.ini"))));
        useSeatMap("yes");
    }
    static void useSeatMap(const char* answer)
    {
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "update sysbasicset set SeatYesORNo = ?",
                                          {QString::fromLatin1(answer)}));
    }
    void openHub()
    {
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        meetings = std::make_unique<MeetingSessions>(*link, clock);
        hub = std::make_unique<FrmConmee>(*link, clock, *screen, *meetings, QStringLiteral("0"));
        hub->openMeeting(meeting);
        hub->show();
        hub->showSpeaking();
    }
    FrmMootset& page() const { return *hub->speakPage(); }
    SeatMap& map() const { return *page().seatMap(); }
    QLineEdit* unitField() const { return findWidget<QLineEdit>(hub.get(), FrmMootset::kUnitEdit); }
    void clickSeat(int seat) const
    {
        QTest::mouseClick(&map(), Qt::LeftButton, {}, map().seats().seat(seat).button.center());
    }
    QString spokenLine() const { return screen->panel()->state().line1; }

    MeetingRecord meeting;
    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<MeetingSessions> meetings;
    std::unique_ptr<FrmConmee> hub;
};

TEST_F(FrmMootsetTest, UnitButtonsRefuseUnitsOutsideTheInstallationAndSendTheOthers)
{
    openHub();
    EXPECT_EQ(hub->currentPage(), hub->speakPage());
    EXPECT_TRUE(findWidget<QLabel>(hub.get(), "HubHint")->text().isEmpty());
    unitField()->setText(QStringLiteral("11")); // the bounds are MicrophoneControl's test
    clickButton(hub.get(), FrmMootset::kOpenButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{"Type the number of a unit of this installation."});
    EXPECT_TRUE(sentAfterSteps().isEmpty());
    unitField()->setText(QStringLiteral("10"));
    clickButton(hub.get(), FrmMootset::kOpenButton);
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFC000A}));

    // The count applies to the limited modes only.
    auto* mode = findWidget<QComboBox>(hub.get(), FrmMootset::kModeCombo);
    auto* count = findWidget<QComboBox>(hub.get(), FrmMootset::kCountCombo);
    emit mode->activated(0);
    EXPECT_FALSE(count->isEnabled());
    emit mode->activated(2);
    EXPECT_TRUE(count->isEnabled());
    emit count->activated(3);
    EXPECT_EQ(sentAfterSteps().last(), 0xFE0204u);
}

TEST_F(FrmMootsetTest, SeatsShowTheirUnitsAndOnlySeatsThatCanSpeakArePicked)
{
    openHub();
    EXPECT_EQ(map().seats().count(), kUnits); // the five seats without a unit are not drawn
    hall->act(QStringLiteral("offline 4"));
    link->unit(4).online = 0;
    unitField()->setText(QStringLiteral("6"));
    clickButton(hub.get(), FrmMootset::kForbidButton);
    clock.advance(FrmMootset::kRefreshMs);

    clickSeat(4);
    clickSeat(6);
    EXPECT_EQ(unitField()->text(), QStringLiteral("6")); // neither click changed it
    clickSeat(9);
    EXPECT_EQ(unitField()->text(), QStringLiteral("9"));

    // An untied unit, and a unit that is back, can be picked again.
    unitField()->setText(QStringLiteral("6"));
    clickButton(hub.get(), FrmMootset::kUntieButton);
    link->unit(4).online = 1;
    clock.advance(FrmMootset::kRefreshMs);
    clickSeat(4);
    EXPECT_EQ(unitField()->text(), QStringLiteral("4"));

    // A radio button takes clicks on its circle and caption only.
    auto clickRadio = [&](const char* name) {
        QTest::mouseClick(findWidget<QRadioButton>(hub.get(), name), Qt::LeftButton, {}, QPoint(8, 13));
    };
    const QImage numbers = map().grab().toImage();
    clickRadio(FrmMootset::kNamesRadio);
    const QImage names = map().grab().toImage();
    EXPECT_NE(names, numbers);
    clickRadio(FrmMootset::kNumbersRadio);
    EXPECT_EQ(map().grab().toImage(), numbers);
}

TEST_F(FrmMootsetTest, HallScreenNamesTheNewestSpeakerWhileThePageIsOnShow)
{
    openHub();
    emit findWidget<QComboBox>(hub.get(), FrmMootset::kModeCombo)->activated(0); // speaking mode on the link
    clickButton(hub.get(), FrmMootset::kPromptCheck);
    hall->act(QStringLiteral("mic 7 on"));
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 7 is speaking"));
    screen->resize(1024, 768);
    saveScreenshot(*screen, QStringLiteral("hall-speaker"));

    // Elsewhere in the hub the screen keeps what it shows.
    hub->showSignIn();
    hall->act(QStringLiteral("mic 7 off"));
    hall->act(QStringLiteral("mic 3 on"));
    clock.advance(FrmMootset::kPromptMs * 2);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 7 is speaking"));
    hub->showSpeaking();
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 3 is speaking"));
    hall->act(QStringLiteral("mic 3 off"));
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QString());
}

TEST_F(FrmMootsetTest, CameraWindowOpensFromThePageAndLeavesWithIt)
{
    openHub();
    QPushButton* button = findWidget(hub.get(), FrmMootset::kCameraButton);
    const QString open = button->text();
    clickButton(hub.get(), FrmMootset::kCameraButton);
    EXPECT_TRUE(page().cameraWindow()->isVisible());
    EXPECT_NE(button->text(), open);
    EXPECT_EQ(button->accessibleName(), button->text());
    page().cameraWindow()->close(); // its close box
    EXPECT_FALSE(page().cameraWindow()->isVisible());
    EXPECT_EQ(button->text(), open);

    clickButton(hub.get(), FrmMootset::kCameraButton);
    hub->showVote();
    EXPECT_FALSE(page().cameraWindow()->isVisible());
    EXPECT_EQ(button->text(), open);
}

TEST_F(FrmMootsetTest, WithoutASeatLayoutTheControlsWaitAndTheHubSaysWhy)
{
    useSeatMap("No");
    openHub();
    EXPECT_FALSE(findWidget(hub.get(), FrmMootset::kOpenButton)->isEnabled());
    EXPECT_TRUE(findWidget<QLabel>(hub.get(), "HubHint")->text().contains("seat layout"));
    EXPECT_TRUE(map().seats().isEmpty());
}

} // namespace
