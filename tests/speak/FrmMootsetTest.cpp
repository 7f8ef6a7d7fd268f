// The speaking page in the meeting hub: the seat map follows the unit table,
// seats that cannot speak cannot be picked, and the hall screen names the
// newest speaker while the page is on show, with the speaker's time left on
// the hall screen and as a ring around the seat.

#include "speak/FrmMootset.h"
#include "SpeakingFixture.h"
#include "core/ProgramFolder.h"
#include "data/SettingsTable.h"
#include "link/LinkTiming.h"
#include "meeting/FrmConmee.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "speak/FrmVidAdj.h"
#include "speak/SeatLayout.h"
#include "speak/SeatMap.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"
#include "ui/ProgramEnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolTip>
#include <cmath>

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
        hub = std::make_unique<FrmConmee>(*link, services, *screen, *meetings, QStringLiteral("0"));
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

    Meeting meeting;
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

    // An offline or locked unit: one line says why, no box and no word.
    auto* refusal = findWidget<QLabel>(hub.get(), FrmMootset::kRefusal);
    link->setOnline(4, false);
    link->setForbidden(5, true);
    for (const char* unit : {"4", "5"}) {
        unitField()->setText(QString::fromLatin1(unit));
        clickButton(hub.get(), FrmMootset::kOpenButton);
        EXPECT_TRUE(sentAfterSteps().isEmpty()) << unit;
        EXPECT_TRUE(refusal->isVisible()) << unit;
    }
    EXPECT_EQ(refusal->text(), "Unit 5 is locked: free it before opening its microphone.");
    EXPECT_TRUE(prompts.takeTexts().isEmpty());

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
    link->setOnline(4, false);
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
    link->setOnline(4, true);
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
    // The seat may elide a name; its tooltip has it whole.
    const QPoint seat7 = map().seats().seat(7).button.center();
    QHelpEvent hover(QEvent::ToolTip, seat7, map().mapToGlobal(seat7));
    QCoreApplication::sendEvent(&map(), &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Delegate 7"));
    clickRadio(FrmMootset::kNumbersRadio);
    EXPECT_EQ(map().grab().toImage(), numbers);
}

TEST_F(FrmMootsetTest, UnitsLostDuringTheMeetingShowAsNotOnlineUntilHeardAgain)
{
    openHub();
    emit findWidget<QComboBox>(hub.get(), FrmMootset::kModeCombo)->activated(0);
    ASSERT_TRUE(hall->act(QStringLiteral("mic 3,5 on")));
    clock.advance(FrmMootset::kRefreshMs);
    ASSERT_EQ(map().stateOf(3), SeatState::MicOpen);
    // The units are polled by the meeting's sign-in and vote cycles; a whole cycle unheard is offline.
    const int cycleMs = (kUnits + 1) * LinkTiming::kFastPaceMs;
    link->request(LinkMode::VotePoll);
    ASSERT_TRUE(hall->act(QStringLiteral("offline 3,5")));
    clock.advance(2 * cycleMs + FrmMootset::kRefreshMs);
    EXPECT_EQ(map().stateOf(3), SeatState::Absent);
    EXPECT_EQ(map().stateOf(5), SeatState::Absent);
    EXPECT_EQ(map().stateOf(4), SeatState::MicClosed);
    ASSERT_TRUE(hall->act(QStringLiteral("online 3,5")));
    clock.advance(cycleMs + FrmMootset::kRefreshMs);
    EXPECT_EQ(map().stateOf(3), SeatState::MicOpen);
    EXPECT_EQ(map().stateOf(5), SeatState::MicOpen);
}

TEST_F(FrmMootsetTest, HallScreenNamesTheNewestSpeakerWhileThePageIsOnShowAndThePromptSwitchIsKept)
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

    // The prompt stays as the operator left it for the next hub, on and off.
    hub.reset();
    openHub();
    EXPECT_TRUE(findWidget<QCheckBox>(hub.get(), FrmMootset::kPromptCheck)->isChecked());
    hall->act(QStringLiteral("mic 7 on"));
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 7 is speaking"));
    clickButton(hub.get(), FrmMootset::kPromptCheck);
    hub.reset();
    openHub();
    EXPECT_FALSE(findWidget<QCheckBox>(hub.get(), FrmMootset::kPromptCheck)->isChecked());
    hall->act(QStringLiteral("mic 7 off"));
    hall->act(QStringLiteral("mic 3 on"));
    clock.advance(FrmMootset::kPromptMs * 2);
    EXPECT_NE(spokenLine(), QStringLiteral("Delegate 3 is speaking"));
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

TEST_F(FrmMootsetTest, WithoutASeatLayoutTheControlsWaitAndTheHubSaysWhyButAnyOtherValueKeepsThem)
{
    // Only "No" disables; an empty or unknown value draws no map but keeps the controls.
    for (const char* value : {"No", ""}) {
        const bool off = QLatin1String(value) == QLatin1String("No");
        hub.reset();
        useSeatMap(value);
        openHub();
        EXPECT_TRUE(map().seats().isEmpty()) << value;
        EXPECT_EQ(findWidget(hub.get(), FrmMootset::kOpenButton)->isEnabled(), !off) << value;
        const QString hint = findWidget<QLabel>(hub.get(), "HubHint")->text();
        EXPECT_TRUE(off ? hint.contains("seat layout") : hint.isEmpty()) << value;
    }
    unitField()->setText(QStringLiteral("3"));
    clickButton(hub.get(), FrmMootset::kOpenButton);
    EXPECT_EQ(sentAfterSteps(), (QList<quint32>{0xFC0003}));
}

// The colour on a seat's ring just after the top, where every ring that has time left starts.
QColor ringTop(SeatMap& map, int seat)
{
    const QRectF ring = QRectF(map.seats().seat(seat).button).adjusted(2.5, 2.5, -2.5, -2.5);
    const double radius = ring.width() / 2;
    const QPointF at(ring.center().x() + 6, ring.center().y() - std::sqrt(radius * radius - 36));
    return map.grab().toImage().pixelColor(at.toPoint());
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 60;
}

TEST_F(FrmMootsetTest, TypedSpeakingTimeIsStoredAndTheSpeakerSeesItRunOutOnScreenAndSeat)
{
    openHub();
    auto* time = findWidget<QComboBox>(hub.get(), FrmMootset::kTimeCombo);
    QLineEdit* typed = time->lineEdit();
    const auto type = [&](const QString& text) {
        typed->clear();
        QTest::keyClicks(typed, text);
        QTest::keyClick(typed, Qt::Key_Return);
    };
    const auto storedLimit = [] {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        settings.load();
        return settings.typed().speakingSeconds;
    };
    // Text and a minus sign never reach the field; 0 is never a time.
    for (const char* refused : {"abc", "-2", "0", "0:00"}) {
        type(QString::fromLatin1(refused));
        EXPECT_FALSE(typed->hasAcceptableInput()) << refused;
        EXPECT_EQ(storedLimit(), 0) << refused;
    }
    EXPECT_EQ(typed->text(), QStringLiteral("0:0")); // "0:00" is never a time, so it cannot be typed whole
    type(QStringLiteral("1:00"));
    EXPECT_EQ(storedLimit(), 60);
    EXPECT_EQ(page().speakingLog().limit(), 60);
    clickButton(hub.get(), FrmMootset::kCloseAtTimeUpCheck);
    EXPECT_TRUE(page().speakingLog().closesAtTimeUp());
    clickButton(hub.get(), FrmMootset::kCloseAtTimeUpCheck); // off again: the rings run out to red

    emit findWidget<QComboBox>(hub.get(), FrmMootset::kModeCombo)->activated(0);
    clickButton(hub.get(), FrmMootset::kPromptCheck);
    hall->act(QStringLiteral("mic 7 on"));
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 7 is speaking \u00b7 1:00"));
    EXPECT_TRUE(near(ringTop(map(), 7), SeatPainter::ringColour(TimeRing::Phase::Running)));
    clock.advance(31'000);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 7 is speaking \u00b7 0:29"));
    EXPECT_TRUE(near(ringTop(map(), 7), SeatPainter::ringColour(TimeRing::Phase::Warning)));
    hall->act(QStringLiteral("mic 3 on"));
    clock.advance(30'000);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 3 is speaking \u00b7 0:30"));
    hall->act(QStringLiteral("mic 5 on"));
    clock.advance(FrmMootset::kPromptMs);
    EXPECT_EQ(spokenLine(), QStringLiteral("Delegate 5 is speaking \u00b7 1:00"));
    EXPECT_TRUE(near(ringTop(map(), 7), SeatPainter::ringColour(TimeRing::Phase::Over)));
    EXPECT_TRUE(near(ringTop(map(), 3), SeatPainter::ringColour(TimeRing::Phase::Warning)));
    EXPECT_TRUE(near(ringTop(map(), 5), SeatPainter::ringColour(TimeRing::Phase::Running)));
    EXPECT_FALSE(near(ringTop(map(), 4), SeatPainter::ringColour(TimeRing::Phase::Running)));
    saveScreenshot(map(), QStringLiteral("seat-map-time-rings"));
    EXPECT_EQ(page().speakingLog().openUnits(), (QList<int>{7, 3, 5}));
}

TEST_F(FrmMootsetTest, OpenSpeechesAreClosedInTheLogWhenTheProgramEndsOrTheHubIsLeft)
{
    openHub();
    hall->act(QStringLiteral("mic 4 on"));
    clock.advance(5000);
    ProgramEnd::now(0);
    EXPECT_EQ(programEnds, QList<int>{0});
    hall->act(QStringLiteral("mic 6 on"));
    clock.advance(2000);
    hub.reset();
    QStringList rows;
    const auto speeches = SpeechTable::all(Schema::meetingDatabasePath(meeting.name));
    ASSERT_TRUE(speeches);
    for (const SpeechTable::Speech& s : *speeches)
        rows << QStringLiteral("%1 %2s %3")
                    .arg(s.unit)
                    .arg(s.seconds)
                    .arg(SpeechTable::storedWord(s.closedBy));
    EXPECT_EQ(rows, (QStringList{"4 5s end", "6 2s end"}));
}

} // namespace
