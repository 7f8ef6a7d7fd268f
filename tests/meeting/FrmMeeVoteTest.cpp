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
    // A timed motion vote in `code`'s language: the hall screen's top line while
    // the keys count and after the vote, as the hall reads them.
    std::pair<QString, QString> timedVoteOnTheHallScreen(const char* code)
    {
        useLanguage(QString::fromLatin1(code));
        addMotion(QStringLiteral("Budget"), 0);
        openPage();
        child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click(); // 5 seconds
        click(FrmMeeVote::kStartButton);
        EXPECT_TRUE(reach(State::Collecting, 5000));
        EXPECT_TRUE(hall->act("press 1-20 1"));
        EXPECT_TRUE(hall->act("press 21-25 2"));
        clock.advance(2000);
        const QString counting = screen->panel()->state().topLine;
        screen->resize(1024, 768);
        saveScreenshot(*screen, QStringLiteral("hall-vote-%1").arg(QLatin1String(code)));
        EXPECT_TRUE(reach(State::Idle, 20000));
        saveScreenshot(*screen, QStringLiteral("hall-vote-after-%1").arg(QLatin1String(code)));
        saveScreenshot(*page->preview(), QStringLiteral("preview-vote-after-%1").arg(QLatin1String(code)));
        expectSamePanels("result");
        // The list speaks the language in use too.
        EXPECT_EQ(child<QTableView>(FrmMeeVote::kMotionList)->model()->index(0, 3).data().toString(),
                  Texts("FrmMeeVote")("DateYes"));
        return {counting, screen->panel()->state().topLine};
    }

    // An election of two of five candidates, ended by its countdown, in `code`'s language;
    // candidates are stored by the motion's key, not its title.
    void electionOfTwoOnTheHallScreen(const char* code)
    {
        useLanguage(QString::fromLatin1(code));
        const Motion board = addMotion(QStringLiteral("Board"), 3);
        const Motion sameTitle = addMotion(QStringLiteral("Board"), 3);
        MotionTable table;
        table.setMeeting(meeting.name);
        ASSERT_TRUE(table.setSeats(board.key, 2));
        openPage();
        page->setDialogRunner([](QDialog& dialog) {
            const QStringList names{"Ana", "Bo", "Chen", "Dee", "Eve"};
            for (int i = 0; i < 5; ++i)
                dialog.findChild<QLineEdit*>(QString::number(1043 + i))->setText(names[i]);
            clickButton(&dialog, "IDOK");
            return dialog.result();
        });
        click(FrmMeeVote::kCandidatesButton);
        EXPECT_EQ(stored(board.key).candidates, (QStringList{"Ana", "Bo", "Chen", "Dee", "Eve"}));
        EXPECT_TRUE(stored(sameTitle.key).candidates.isEmpty());

        child<QCheckBox>(FrmMeeVote::kTimeLimitCheck)->click(); // 5 seconds
        click(FrmMeeVote::kStartButton);
        ASSERT_TRUE(reach(State::Collecting, 5000));
        ASSERT_TRUE(hall->act("press 1-4 2"));
        ASSERT_TRUE(hall->act("press 5-7 4"));
        ASSERT_TRUE(hall->act("press 8-9 1"));
        clock.advance(2000);
        screen->resize(1024, 768);
        saveScreenshot(*screen, QStringLiteral("hall-election-%1").arg(QLatin1String(code)));
        ASSERT_TRUE(reach(State::Idle, 20000)); // nobody presses End
        saveScreenshot(*screen, QStringLiteral("hall-election-after-%1").arg(QLatin1String(code)));
        const QString mark = QStringLiteral(" (%1)").arg(Texts("Public")("MsgElected"));
        EXPECT_EQ(preview().values, (QStringList{"2", "4", "0", "3", "0"}));
        EXPECT_EQ(preview().labels, (QStringList{"Ana", "Bo" + mark, "Chen", "Dee" + mark, "Eve"}));
        expectSamePanels("result");
        EXPECT_EQ(stored(board.key).result, "2:4:0:3:0:");
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
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
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

    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Idle));
    clock.advance(LinkTiming::kFastPaceMs);
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    EXPECT_EQ(stored(budget.key).result,
              "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:" + Texts("FrmMeeVote")("PassVoteOk") + ":");
}

TEST_F(FrmMeeVoteTest, ElectionOfTwoMarksTheTwoMostVotedInEnglish)
{
    electionOfTwoOnTheHallScreen("1");
}

TEST_F(FrmMeeVoteTest, ElectionOfTwoMarksTheTwoMostVotedInPortuguese)
{
    electionOfTwoOnTheHallScreen("2");
}

TEST_F(FrmMeeVoteTest, VotingAgainAsksKeepsTheEarlierResultAndTheHallSaysWhatIsDecided)
{
    const Motion budget = addMotion(QStringLiteral("Budget"), 0);
    openPage();
    const ScreenPanelState& onHall = screen->panel()->state();
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
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
    click(FrmMeeVote::kStartButton);
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    EXPECT_EQ(child<QLabel>(FrmMeeVote::kReadout)->text(), "Passes if 21 more vote yes");
    ASSERT_TRUE(hall->act("press 1-5 2"));
    clock.advance(2000);
    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Idle));
    const QStringList ended = MeetingTestData::column("select detail from EventLog where kind = 'vote-end'",
                                                      "detail", Schema::meetingDatabasePath(meeting.name));
    ASSERT_EQ(ended.size(), 2);
    EXPECT_TRUE(ended[0].contains(":25:0:")) << ended[0].toStdString();
    EXPECT_TRUE(ended[1].contains(":0:5:")) << ended[1].toStdString();
}

TEST_F(FrmMeeVoteTest, HallScreenSpeaksPortugueseDuringAndAfterAVote)
{
    const auto [counting, result] = timedVoteOnTheHallScreen("2");
    EXPECT_TRUE(counting.startsWith(QStringLiteral("Tempo restante: 00:0"))) << counting.toStdString();
    EXPECT_EQ(result, QStringLiteral("Resultado da votação"));
    EXPECT_EQ(screen->panel()->state().personsWord, QStringLiteral("pessoas"));
}

TEST_F(FrmMeeVoteTest, HallScreenSpeaksEnglishDuringAndAfterAVote)
{
    const auto [counting, result] = timedVoteOnTheHallScreen("1");
    EXPECT_TRUE(counting.startsWith(QStringLiteral("Time left: 00:0"))) << counting.toStdString();
    EXPECT_EQ(result, QStringLiteral("Vote result"));
}

TEST_F(FrmMeeVoteTest, HallScreenKeepsTheDesignedChineseTextsUnderChinese)
{
    const auto [counting, result] = timedVoteOnTheHallScreen("0");
    EXPECT_TRUE(counting.startsWith(QStringLiteral("倒计时:00:0"))) << counting.toStdString();
    EXPECT_EQ(result, QStringLiteral("投票结果"));
}

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

    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    ASSERT_TRUE(hall->act("press 1-18 1"));
    clock.advance(2000);
    std::optional<MeetingTestData::FullDisk> full(std::in_place);
    {
        MeetingTestData::AnsweringPrompter operatorAnswers(prompts, [&](int question) {
            if (question == 1)
                full.reset();
            return true;
        });
        click(FrmMeeVote::kEndButton);
        ASSERT_TRUE(reach(State::Idle));
        clock.advance(LinkTiming::kFastPaceMs);
        ASSERT_EQ(operatorAnswers.texts.size(), 2);
        for (const QString& text : operatorAnswers.texts)
            EXPECT_TRUE(text.startsWith("The result was NOT stored: ")) << text.toStdString();
    }
    EXPECT_FALSE(page->session().isHeld());
    EXPECT_TRUE(stored(budget.key).result.startsWith("1:40:30:18:0:12:12:"));
    EXPECT_EQ(MeetingTestData::column("select count(*) as n from EventLog where kind = 'vote-end'", "n",
                                      Schema::meetingDatabasePath(meeting.name)),
              QStringList{"1"});
}

TEST_F(FrmMeeVoteTest, AVoteNoUnitAnsweredIsNotStoredOverTheEarlierResultUnlessAsked)
{
    const Motion budget = addMotion(QStringLiteral("Budget"), 0);
    openPage();
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    ASSERT_TRUE(hall->act("press 1-18 1"));
    clock.advance(2000);
    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Idle));
    clock.advance(LinkTiming::kFastPaceMs);
    const Motion voted = stored(budget.key);

    // The controller is gone for the whole re-vote: nothing it counts replaces the result.
    hall->setSilent(true);
    prompts.answerNext(true); // vote again
    click(FrmMeeVote::kStartButton);
    ASSERT_TRUE(reach(State::Collecting, 5000));
    clock.advance(2000);
    EXPECT_EQ(stored(budget.key).result, voted.result); // no live count from a dead line
    click(FrmMeeVote::kEndButton);
    ASSERT_TRUE(reach(State::Idle, 60000));
    clock.advance(LinkTiming::kFastPaceMs);
    const QStringList told = prompts.takeTexts();
    EXPECT_EQ(told.value(told.size() - 1), Texts("FrmMeeVote")("MsgNoAnswer")); // answered No, the default
    // The hall shows no verdict from the dead line, and no figures.
    const ScreenPanelState& onHall = screen->panel()->state();
    EXPECT_EQ(onHall.topLine, Texts("FrmScrText")("ScrNoResult"));
    EXPECT_EQ(onHall.kind, PanelKind::Blank);
    EXPECT_EQ(stored(budget.key).result, voted.result);
    EXPECT_EQ(stored(budget.key).votedAt, voted.votedAt);
    EXPECT_EQ(MeetingTestData::column("select count(*) as n from EventLog where kind = 'vote-interrupted'",
                                      "n", Schema::meetingDatabasePath(meeting.name)),
              QStringList{"1"});
}
