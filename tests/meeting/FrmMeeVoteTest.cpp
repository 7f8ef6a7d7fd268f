#include "meeting/FrmMeeVote.h"

#include "MeetingHubFixture.h"
#include "meeting/MeetingSession.h"
#include "prep/MeetingTable.h"
#include "screen/ScreenPanel.h"
#include "support/Screenshot.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>

namespace {

using State = VoteSession::State;

// The vote page on its own (no hub), on a meeting of 40 due and 30 signed in.
class FrmMeeVoteTest : public MeetingHubFixture
{
protected:
    void SetUp() override
    {
        MeetingHubFixture::SetUp();
        addMeeting(QStringLiteral("Council"), 0, 40);
        ASSERT_TRUE(MeetingTable().setPresent(meeting.name, 30)); // as an ended sign-in leaves it
    }
    void TearDown() override
    {
        page.reset();
        meetingSession.reset();
        MeetingHubFixture::TearDown();
    }
    Motion addMotion(const QString& title, int kind)
    {
        const QString key = QStringLiteral("202603011000%1").arg(++motions, 2, 10, QLatin1Char('0'));
        return MeetingTestData::addMotion(meeting.name, title, kind, key);
    }
    void openPage()
    {
        connectHall(40);
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        // Units 1..30 signed in, as an ended sign-in leaves them.
        for (int n = 1; n <= 30; ++n)
            link->setSignedIn(n, true);
        meetingSession = std::make_unique<MeetingSession>(*link, clock, meeting);
        meetingSession->state().setSignInClosed(true);
        page = std::make_unique<FrmMeeVote>(*meetingSession, *screen);
        page->openMeeting(meeting);
        page->show();
        auto* list = child<QTableView>(FrmMeeVote::kMotionList);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 1)).center());
    }
    bool reach(State state, int limitMs = 30000)
    {
        return clock.advanceUntil([&] { return page->session().state() == state; }, limitMs);
    }
    void click(const char* name) { clickButton(page.get(), name); }
    template <typename T = QWidget> T* child(const char* name) { return findWidget<T>(page.get(), name); }
    const ScreenPanelState& preview() { return page->preview()->state(); }
    // The hall screen and the preview were given the same calls.
    void expectSamePanels(const char* when)
    {
        const auto fields = [](const ScreenPanelState& p) {
            return std::tie(p.kind, p.subKind, p.heading, p.topLine, p.labels, p.values, p.showPercentages);
        };
        EXPECT_EQ(fields(screen->panel()->state()), fields(preview())) << when;
    }
    Motion stored(const QString& key) { return MeetingTestData::storedMotion(meeting.name, key); }
    // Start from the page's button and wait until the keys count.
    void startVote()
    {
        click(FrmMeeVote::kStartButton);
        ASSERT_TRUE(reach(State::Collecting, 5000));
    }
    // End from the page's button and wait until ControlEnd has left.
    void endVote(int limitMs = 30000)
    {
        click(FrmMeeVote::kEndButton);
        ASSERT_TRUE(reach(State::Idle, limitMs));
        clock.advance(LinkTiming::kFastPaceMs);
    }
    QStringList events(const char* kind)
    {
        return column(QStringLiteral("select detail from EventLog where kind = '%1'").arg(kind), "detail");
    }

    int motions = 0;
    std::unique_ptr<MeetingSession> meetingSession;
    std::unique_ptr<FrmMeeVote> page;
};

} // namespace

TEST_F(FrmMeeVoteTest, MotionVoteFromThePageStoresTheRowAndReachesTheController)
{
    const Motion budget = addMotion(QStringLiteral("Budget"), 0);
    openPage();
    // The operator lowers the threshold; a motion vote writes it back when it starts.
    child<QSlider>(FrmMeeVote::kThresholdSlider)->setValue(40);
    startVote();
    EXPECT_EQ(stored(budget.key).threshold, 40);

    // More than 40 % of 40 due is 17 yes.
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(2000);
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kReadout)->text(), "Passes if 7 more vote yes");
    EXPECT_EQ(preview().values.mid(0, 4), (QStringList{"1", "40", "30", "10"}));
    expectSamePanels("running");
    ASSERT_TRUE(hall->act("press 11-18 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(2000);

    endVote();
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    EXPECT_EQ(stored(budget.key).result,
              "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:" + Texts("FrmMeeVote")("PassVoteOk") + ":");
}

// An election of two of five candidates, ended by its countdown, in English and in Portuguese;
// candidates are stored by the motion's key, not its title.
class ElectionOfTwo : public FrmMeeVoteTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ElectionOfTwo, MarksTheTwoMostVoted)
{
    const QString code = QString::fromLatin1(GetParam());
    useLanguage(code);
    const Motion board = addMotion(QStringLiteral("Board"), 3);
    const Motion sameTitle = addMotion(QStringLiteral("Board"), 3);
    MotionTable table;
    table.setMeeting(meeting.name);
    ASSERT_TRUE(table.setSeats(board.key, 2));
    openPage();
    const QStringList names{"Ana", "Bo", "Chen", "Dee", "Eve"};
    page->setDialogRunner([names](QDialog& dialog) {
        for (int i = 0; i < 5; ++i)
            dialog.findChild<QLineEdit*>(QString::number(1043 + i))->setText(names[i]);
        clickButton(&dialog, "IDOK");
        return dialog.result();
    });
    click(FrmMeeVote::kCandidatesButton);
    EXPECT_EQ(stored(board.key).candidates, names);
    EXPECT_TRUE(stored(sameTitle.key).candidates.isEmpty());

    child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click(); // 5 seconds
    startVote();
    ASSERT_TRUE(hall->act("press 1-4 2"));
    ASSERT_TRUE(hall->act("press 5-7 4"));
    ASSERT_TRUE(hall->act("press 8-9 1"));
    clock.advance(2000);
    screen->resize(1024, 768);
    saveScreenshot(*screen, "hall-election-" + code);
    ASSERT_TRUE(reach(State::Idle, 20000)); // nobody presses End
    saveScreenshot(*screen, "hall-election-after-" + code);
    const QString mark = QStringLiteral(" (%1)").arg(Texts("Public")("MsgElected"));
    EXPECT_EQ(preview().values, (QStringList{"2", "4", "0", "3", "0"}));
    EXPECT_EQ(preview().labels, (QStringList{"Ana", "Bo" + mark, "Chen", "Dee" + mark, "Eve"}));
    expectSamePanels("result");
    EXPECT_EQ(stored(board.key).result, "2:4:0:3:0:");
}

INSTANTIATE_TEST_SUITE_P(Languages, ElectionOfTwo, ::testing::Values("1", "2"));

TEST_F(FrmMeeVoteTest, VotingAgainAsksKeepsTheEarlierResultAndTheHallSaysWhatIsDecided)
{
    addMotion(QStringLiteral("Budget"), 0);
    openPage();
    const ScreenPanelState& onHall = screen->panel()->state();
    startVote();
    ASSERT_TRUE(hall->act("press 1-25 1"));
    clock.advance(2000);
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kReadout)->text(), "Passed whatever the rest do");
    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Closing, 1000));
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kReadout)->text(), "Reading the last answers…");
    ASSERT_TRUE(reach(State::Idle));
    EXPECT_EQ(onHall.heading, "Budget");
    click(FrmMeeVote::kShowPassButton);
    EXPECT_EQ(onHall.topLine, Texts("FrmMeeVote")("PassVoteOk"));
    expectSamePanels("pass text");

    // Start again on the voted motion: asked first; no changes nothing.
    prompts.answerNext(false);
    clock.advance(LinkTiming::kFastPaceMs);
    bank.clearSent();
    click(FrmMeeVote::kStartButton);
    const QStringList asked = prompts.takeTexts();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith("This motion was already voted on 2")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].endsWith("Vote again? The earlier result is kept in the record."));
    clock.advance(2000);
    EXPECT_FALSE(bank.sentWords().contains(Commands::kControlBegin));
    EXPECT_EQ(page->session().state(), State::Idle);

    // Yes: the new vote starts from nothing, not from the last one's figures.
    prompts.answerNext(true);
    startVote();
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kReadout)->text(), "Passes if 21 more vote yes");
    ASSERT_TRUE(hall->act("press 1-5 2"));
    clock.advance(2000);
    endVote();
    const QStringList ended = events("vote-end");
    ASSERT_EQ(ended.size(), 2);
    EXPECT_TRUE(ended[0].contains(":25:0:")) << ended[0].toStdString();
    EXPECT_TRUE(ended[1].contains(":0:5:")) << ended[1].toStdString();
}

namespace {

// A timed motion vote: the hall screen's top line while the keys count and after the vote speaks
// the language in use (Chinese keeps the designed texts), and so does the motion list.
struct HallLanguage
{
    const char* code;
    QString counting;
    QString result;
};

// Names the case by its language, so the test's name is the same in every run.
void PrintTo(const HallLanguage& language, std::ostream* out)
{
    *out << language.code;
}

class HallScreenLanguage : public FrmMeeVoteTest, public ::testing::WithParamInterface<HallLanguage>
{
};

} // namespace

TEST_P(HallScreenLanguage, SpeaksTheLanguageInUseDuringAndAfterAVote)
{
    const QString code = QString::fromLatin1(GetParam().code);
    useLanguage(code);
    addMotion(QStringLiteral("Budget"), 0);
    openPage();
    child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click(); // 5 seconds
    startVote();
    ASSERT_TRUE(hall->act("press 1-20 1"));
    ASSERT_TRUE(hall->act("press 21-25 2"));
    clock.advance(2000);
    const QString counting = screen->panel()->state().topLine;
    EXPECT_TRUE(counting.startsWith(GetParam().counting)) << counting.toStdString();
    screen->resize(1024, 768);
    saveScreenshot(*screen, "hall-vote-" + code);
    ASSERT_TRUE(reach(State::Idle, 20000));
    saveScreenshot(*screen, "hall-vote-after-" + code);
    saveScreenshot(*page->preview(), "preview-vote-after-" + code);
    expectSamePanels("result");
    EXPECT_EQ(screen->panel()->state().topLine, GetParam().result);
    EXPECT_EQ(child<QTableView>(FrmMeeVote::kMotionList)->model()->index(0, 3).data().toString(),
              Texts("FrmMeeVote")("DateYes"));
}

INSTANTIATE_TEST_SUITE_P(Languages, HallScreenLanguage,
                         ::testing::Values(HallLanguage{"1", "Time left: 00:0", "Vote result"},
                                           HallLanguage{"2", "Tempo restante: 00:0", "Resultado da votação"},
                                           HallLanguage{"0", "倒计时:00:0", "投票结果"}));

TEST_F(FrmMeeVoteTest, FullDiskRefusesTheStartAndHoldsAnEndedVoteUntilTryAgainStoresIt)
{
    const Motion budget = addMotion(QStringLiteral("Budget"), 0);
    openPage();
    {
        MeetingTestData::FullDisk full;
        click(FrmMeeVote::kStartButton);
        clock.advance(3000);
    }
    EXPECT_EQ(page->session().state(), State::Idle);
    const QStringList refused = prompts.takeTexts();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].startsWith("The vote was not started: the meeting database cannot be written ("))
        << refused[0].toStdString();
    EXPECT_TRUE(bank.sentWords().isEmpty());

    startVote();
    ASSERT_TRUE(hall->act("press 1-18 1"));
    clock.advance(2000);
    std::optional<MeetingTestData::FullDisk> full(std::in_place);
    {
        MeetingTestData::AnsweringPrompter operatorAnswers(prompts, [&](int question) {
            if (question == 1)
                full.reset();
            return true;
        });
        endVote();
        ASSERT_EQ(operatorAnswers.texts.size(), 2);
        for (const QString& text : operatorAnswers.texts)
            EXPECT_TRUE(text.startsWith("The result was NOT stored: ")) << text.toStdString();
    }
    EXPECT_FALSE(page->session().isHeld());
    EXPECT_TRUE(stored(budget.key).result.startsWith("1:40:30:18:0:12:12:"));
    EXPECT_EQ(events("vote-end").size(), 1);
}

TEST_F(FrmMeeVoteTest, AVoteNoUnitAnsweredIsNotStoredOverTheEarlierResultUnlessAsked)
{
    const Motion budget = addMotion(QStringLiteral("Budget"), 0);
    openPage();
    startVote();
    ASSERT_TRUE(hall->act("press 1-18 1"));
    clock.advance(2000);
    endVote();
    const Motion voted = stored(budget.key);

    // The controller is gone for the whole re-vote: nothing it counts replaces the result.
    hall->setSilent(true);
    prompts.answerNext(true); // vote again
    startVote();
    clock.advance(2000);
    EXPECT_EQ(stored(budget.key).result, voted.result); // no live count from a dead line
    endVote(60000);
    const QStringList told = prompts.takeTexts();
    EXPECT_EQ(told.value(told.size() - 1), Texts("FrmMeeVote")("MsgNoAnswer")); // answered No, the default
    // The hall shows no verdict from the dead line, and no figures.
    const ScreenPanelState& onHall = screen->panel()->state();
    EXPECT_EQ(onHall.topLine, Texts("FrmScrText")("ScrNoResult"));
    EXPECT_EQ(onHall.kind, PanelKind::Blank);
    EXPECT_EQ(stored(budget.key).result, voted.result);
    EXPECT_EQ(stored(budget.key).votedAt, voted.votedAt);
    EXPECT_EQ(events("vote-interrupted").size(), 1);
}
