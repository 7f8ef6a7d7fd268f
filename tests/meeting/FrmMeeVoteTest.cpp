#include "meeting/FrmMeeVote.h"

#include "MeetingHubFixture.h"
#include "meeting/AttendanceTable.h"
#include "meeting/MeetingState.h"
#include "meeting/VoteRecord.h"
#include "screen/ScreenPanel.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>

namespace {

using State = VoteSession::State;

// The vote page on its own (no hub), on the hub tests' hall and screen.
class FrmMeeVoteTest : public MeetingHubFixture
{
protected:
    void TearDown() override
    {
        page.reset();
        MeetingHubFixture::TearDown();
    }

    void holdMeeting(const QString& name, int due, int present)
    {
        addMeeting(name, 0, due);
        ASSERT_TRUE(AttendanceTable::setMeetingSignIn(name, present)); // as an ended sign-in leaves it
    }
    MotionRecord& addMotion(const QString& title, int kind)
    {
        const QString key = QStringLiteral("202603011000%1").arg(++motions, 2, 10, QLatin1Char('0'));
        added.append(MeetingTestData::addMotion(meeting.MeeName, title, kind, key));
        return added.last();
    }
    void openPage()
    {
        page.reset();
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        page = std::make_unique<FrmMeeVote>(*link, clock, *screen, meetingState);
        page->openMeeting(meeting);
        page->show();
    }
    void clickRow(int row)
    {
        auto* list = child<QTableWidget>(FrmMeeVote::kMotionList);
        const QRect cell = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    bool reach(State state, int limitMs = 30000)
    {
        return clock.advanceUntil([&] { return page->session().state() == state; }, limitMs);
    }
    void click(const char* name) { clickButton(page.get(), name); }
    template <typename T = QWidget> T* child(const char* name) { return findWidget<T>(page.get(), name); }
    bool enabled(const char* name) { return child(name)->isEnabled(); }
    QString readout() { return child<QLabel>(FrmMeeVote::kReadout)->text(); }

    const ScreenPanelState& preview() { return page->preview()->state(); }
    // The hall screen and the preview were given the same calls.
    void expectSamePanels(const char* when)
    {
        const auto fields = [](const ScreenPanelState& p) {
            return QStringList{QString::number(int(p.kind)),
                               QString::number(int(p.subKind)),
                               p.heading,
                               p.topLine,
                               p.line1,
                               p.line2,
                               p.line3,
                               p.labels.join('|'),
                               p.values.join('|'),
                               QString::number(p.showPercentages),
                               p.windowColour.name(),
                               p.bodyColour.name()};
        };
        EXPECT_EQ(fields(screen->panel()->state()), fields(preview())) << when;
    }
    MotionRecord stored(const QString& key) { return MeetingTestData::storedMotion(meeting.MeeName, key); }

    QList<MotionRecord> added;
    int motions = 0;
    MeetingState meetingState;
    std::unique_ptr<FrmMeeVote> page;
};

} // namespace

TEST_F(FrmMeeVoteTest, MotionVoteFromThePageStoresTheRowAndReachesTheController)
{
    holdMeeting(QStringLiteral("Council"), 40, 30);
    const MotionRecord budget = addMotion(QStringLiteral("Budget"), 0);
    connectHall(40);
    meetingState.setSignInClosed(true);
    openPage();
    clickRow(0);
    // The operator lowers the threshold; a motion vote writes it back when it starts.
    child<QSlider>(FrmMeeVote::kThresholdSlider)->setValue(40);
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    EXPECT_EQ(stored(budget.insertdate).VoteAbetValue, "40");

    // More than 40 % of 40 due is 17 yes; one poll cycle over 40 units, and the next count.
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(2000);
    EXPECT_EQ(readout(), "Passes if 7 more vote yes");
    // The running figures, on both panels.
    EXPECT_EQ(preview().subKind, PanelSubKind::MotionResult);
    EXPECT_EQ(preview().values.mid(0, 4), (QStringList{"1", "40", "30", "10"}));
    expectSamePanels("running");
    // The readout is the console's: the hall sees none of it.
    for (const QString& shown : screen->panel()->state().labels + screen->panel()->state().values)
        EXPECT_FALSE(shown.contains("more vote yes"));

    ASSERT_TRUE(hall->act("press 11-18 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(2000);
    EXPECT_EQ(readout(), "Passed whatever the rest do");

    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Idle));
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    const Texts vote(QStringLiteral("FrmMeeVote"));
    const MotionRecord row = stored(budget.insertdate);
    EXPECT_EQ(row.result, "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:" + vote("PassVoteOk") + ":");
    EXPECT_EQ(child<QTableWidget>(FrmMeeVote::kMotionList)->item(0, 3)->text(), vote("DateYes"));

    // The final figures stay (ViewPass "2"); the operator shows the pass text when the chair asks.
    EXPECT_EQ(preview().values.value(3), "18");
    EXPECT_FALSE(child(FrmMeeVote::kReadout)->isVisible());
    click(FrmMeeVote::kShowPassButton);
    EXPECT_EQ(preview().kind, PanelKind::Blank);
    EXPECT_EQ(preview().topLine, vote("PassVoteOk"));
    expectSamePanels("pass text");

    // The query button hands the stored row to the result display.
    QString queried;
    page->setResultOpener(
        [&](const MotionRecord& m, int kind) { queried = m.result + QString::number(kind); });
    click(FrmMeeVote::kQueryButton);
    EXPECT_EQ(queried, row.result + "0");
}

TEST_F(FrmMeeVoteTest, BeforeASignInEndedNothingStartsAndARowVotedUnderAnotherLanguageCanBeQueried)
{
    holdMeeting(QStringLiteral("Council"), 40, 30);
    addMotion(QStringLiteral("Budget"), 0);
    addMotion(QStringLiteral("Board"), 3);
    connectHall(10);
    openPage();
    clickRow(0);
    EXPECT_FALSE(enabled(FrmMeeVote::kQueryButton));
    click(FrmMeeVote::kStartButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMeeVote")("MsgLogFirst")});
    clock.advance(3000);
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_EQ(preview().kind, PanelKind::Blank);

    VoteRecord record;
    record.setMeeting(meeting.MeeName);
    ASSERT_TRUE(record.writeResult(*record.find(added[1]), "1:2:3:4:5:", QStringLiteral("已表决"), "x"));
    page->reloadMotions();
    clickRow(1);
    EXPECT_TRUE(enabled(FrmMeeVote::kQueryButton));
}

TEST_F(FrmMeeVoteTest, ElectionWithCandidatesFromTheDialogEndsOnItsCountdown)
{
    holdMeeting(QStringLiteral("Council"), 40, 30);
    const MotionRecord board = addMotion(QStringLiteral("Board"), 3);
    connectHall(40);
    meetingState.setSignInClosed(true);
    openPage();
    clickRow(0);
    page->setDialogRunner([](QDialog& dialog) {
        const QStringList names{"Ana", "Bo", "Chen", "Dee", "Eve"};
        for (int i = 0; i < 5; ++i)
            dialog.findChild<QLineEdit*>(QString::number(1043 + i))->setText(names[i]);
        clickButton(&dialog, "IDOK");
        return dialog.result();
    });
    click(FrmMeeVote::kCandidatesButton);
    EXPECT_EQ(stored(board.insertdate).candidate, "Ana:Bo:Chen:Dee:Eve:");

    // Switching the limit on picks 5 seconds.
    child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click();
    click(FrmMeeVote::kStartButton);
    // The key legend ends with the names of keys 1..5.
    EXPECT_EQ(preview().kind, PanelKind::KeyLegend);
    EXPECT_EQ(preview().labels.mid(5), (QStringList{"Ana", "Bo", "Chen", "Dee", "Eve"}));
    expectSamePanels("legend");
    ASSERT_TRUE(reach(State::Collecting, 5000));
    EXPECT_FALSE(child(FrmMeeVote::kReadout)->isVisible()); // no pass rule in an election
    ASSERT_TRUE(hall->act("press 1-4 2"));

    // Nobody presses End: the countdown does.
    ASSERT_TRUE(reach(State::Idle, 20000));
    EXPECT_EQ(preview().values, (QStringList{"0", "4", "0", "0", "0"}));
    expectSamePanels("result");
    EXPECT_EQ(stored(board.insertdate).result, "0:4:0:0:0:");
}
