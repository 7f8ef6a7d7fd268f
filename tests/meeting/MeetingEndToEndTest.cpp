// A meeting as the operator runs it, against the simulated controller on a
// real pseudo-terminal with real timers: Hold meeting in the main window, the
// chooser, a sign-in where thirty of forty delegates press their key, leaving
// the hub and coming back, a motion vote of 18 yes, 7 no and 2 abstaining in
// which two units that never signed in press yes too, the same motion voted
// again after the question, and leaving. The registers, the hall screen's
// figures and the record's check must all tell the same story.

#include "MeetingTestData.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "reports/SignInRegister.h"
#include "reports/VoteRegister.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "support/MainWindowTest.h"
#include "support/SimulatorProcess.h"
#include "support/WidgetFinder.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {

constexpr int kUnits = 40;

class MeetingEndToEnd : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services.timers = nullptr; // real time: the bytes cross a real terminal
        storeLinkSettings(kUnits, 1, 1, 1);
        const Meeting meeting = MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits, 67);
        MeetingTestData::addMotion(meeting.name, QStringLiteral("Budget"), 0,
                                   QStringLiteral("20260301100001"));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, m_folder.filePath("unitsim.log")));
    }

    static QString storedResult()
    {
        return MeetingTestData::storedMotion(QStringLiteral("Council"), QStringLiteral("20260301100001"))
            .result;
    }
    void act(const QString& line) { ASSERT_TRUE(simulator.act(line)) << line.toStdString(); }

    SimulatorProcess simulator;
};

} // namespace

TEST_F(MeetingEndToEnd, SignInOutlivesTheHubOnlySignedInVotesCountAndVotingAgainKeepsBothRounds)
{
    createWindow(std::make_unique<Link>());
    link->setPortOverrides({{1, simulator.terminal()}});
    window->startUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 15000));
    // The start-up's own ControlEnd follows the window by 500 ms; a sign-in begun before it
    // would have it land between ControlBegin and SignInStart.
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kControlEnd); }, 3000));

    chooseFirstMeeting();
    const auto leave = [this](FrmConmee* hub) {
        prompts.answerNext(true);
        clickButton(hub, FrmConmee::kExitButton);
        EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
        return hub->result();
    };
    int visits = 0;
    // The hub's modal runs: first the sign-in, then (the hub left and opened again) the votes.
    window->setAreaRunner([&](QDialog& area) {
        auto* hub = qobject_cast<FrmConmee*>(&area);
        if (!hub)
            return int(QDialog::Rejected);
        hub->show();
        if (++visits == 1) {
            SignInSession& session = *hub->signIn();
            auto state = [&session](SignInSession::State s) { return session.state() == s; };
            clickButton(hub, FrmManChe::kStartButton);
            EXPECT_TRUE(QTest::qWaitFor([&] { return state(SignInSession::State::Collecting); }, 10000));
            act(QStringLiteral("signin 1-30"));
            auto* present = findWidget<QLabel>(hub, FrmManChe::kPresent);
            EXPECT_TRUE(QTest::qWaitFor([&] { return present->text() == "30"; }, 15000));
            clickButton(hub, FrmManChe::kEndButton);
            EXPECT_TRUE(QTest::qWaitFor([&] { return state(SignInSession::State::Idle); }, 20000));
            return leave(hub);
        }
        // Back in the hub: the ended sign-in still stands.
        EXPECT_TRUE(hub->meetingState().signInClosed());
        EXPECT_EQ(findWidget<QLabel>(hub, FrmManChe::kPresent)->text(), "30");
        EXPECT_EQ(findWidget<QLabel>(hub, FrmManChe::kQuorum)->text(), "Quorum reached"); // 75 % of 67 %

        clickButton(hub, FrmConmee::kVoteButton);
        FrmMeeVote& votePage = *hub->votePage();
        votePage.selectMotion(0);
        auto voteState = [&votePage](VoteSession::State s) { return votePage.session().state() == s; };
        const ScreenPanelState& hall = window->secondaryScreen()->panel()->state();
        clickButton(hub, FrmMeeVote::kStartButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Collecting); }, 10000));
        act(QStringLiteral("press 1-18,35,36 1")); // 35 and 36 never signed in
        act(QStringLiteral("press 19-25 2"));
        act(QStringLiteral("press 26-27 3"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return storedResult().startsWith("1:40:30:18:7:"); }, 15000));
        EXPECT_EQ(hall.values.mid(0, 4), (QStringList{"1", "40", "30", "18"}));
        clickButton(hub, FrmMeeVote::kEndButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Idle); }, 20000));
        EXPECT_EQ(hall.heading, "Budget");
        EXPECT_EQ(hall.values.mid(0, 7), (QStringList{"1", "40", "30", "18", "7", "5", "3"}));

        // The same motion again: asked first, then a new round from nothing.
        prompts.answerNext(true);
        clickButton(hub, FrmMeeVote::kStartButton);
        const QStringList asked = prompts.takeTexts();
        EXPECT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked.value(0).startsWith("This motion was already voted on "));
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Collecting); }, 10000));
        act(QStringLiteral("press 1-25 1"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return storedResult().startsWith("1:40:30:25:0:"); }, 15000));
        clickButton(hub, FrmMeeVote::kEndButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Idle); }, 20000));
        EXPECT_EQ(hall.values.mid(0, 4), (QStringList{"1", "40", "30", "25"}));
        return leave(hub);
    });
    QTest::mouseClick(window->button(FrmMain::kMeetingButton), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000));
    QTest::mouseClick(window->button(FrmMain::kMeetingButton), Qt::LeftButton);
    ASSERT_EQ(visits, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000));
    // The hall no longer shows the result once the meeting is left.
    EXPECT_FALSE(window->secondaryScreen()->panel()->isVisibleTo(window->secondaryScreen()));

    // 25 of 40 due is 62.5 %, more than 50 %: passed.
    EXPECT_EQ(storedResult(),
              "1:40:30:25:0:5:5:62.50%:0.00%:12.50%:" + Texts("FrmMeeVote")("PassVoteOk") + ":");
    const VoteRegister::Motions motions =
        VoteRegister::load(QStringLiteral("Council"), MotionWords::fromLanguageTables());
    const QList<QStringList> votes =
        VoteRegister::rows(1, motions.motions, false, VoteTexts::fromLanguageTables(), motions.rounds);
    ASSERT_EQ(votes.size(), 1);
    EXPECT_EQ(votes[0].mid(1, 4), (QStringList{"Budget (2 rounds)", "40", "30", "25"}));
    const SignInRegister::Attendance present =
        SignInRegister::load(QStringLiteral("Council"), SignInRegister::List::Present,
                             SignInRegister::Marks::ofEveryTable(), Texts("FrmRegque"));
    EXPECT_EQ(present.table.rows.size(), 30);

    QProcess verify;
    verify.start(QStringLiteral(SYSTEM_EXECUTABLE),
                 {QStringLiteral("--root"), m_folder.path(), QStringLiteral("--verify-meeting"),
                  QStringLiteral("Council")});
    ASSERT_TRUE(verify.waitForFinished(30000));
    EXPECT_EQ(verify.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(verify.readAllStandardOutput()).startsWith("Council: Record intact"));
    EXPECT_TRUE(programEnds.isEmpty());
}
