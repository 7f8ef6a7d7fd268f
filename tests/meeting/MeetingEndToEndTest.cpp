// A meeting as the operator runs it, against the simulated controller on a
// real pseudo-terminal with real timers: Hold meeting in the main window, the
// chooser, a sign-in where thirty of forty delegates press their key, then a
// motion vote of 18 yes, 7 no and 2 abstaining, and leaving. The meeting
// database must then hold the attendance and the exact result string.

#include "MeetingTestData.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/FrmMeestart.h"
#include "support/MainWindowTest.h"
#include "support/SimulatorProcess.h"
#include "support/WidgetFinder.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QTest>

namespace {

constexpr int kUnits = 40;

class MeetingEndToEnd : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        installTimers(nullptr); // real time: the bytes cross a real terminal
        storeLinkSettings(kUnits, 1, 1, 1);
        const MeetingRecord meeting =
            MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits, 67);
        MeetingTestData::addMotion(meeting.MeeName, QStringLiteral("Budget"), 0,
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

TEST_F(MeetingEndToEnd, SignInThenAMotionVoteStoreTheAttendanceAndTheExactResult)
{
    createWindow(std::make_unique<Link>(), programTimers());
    link->setPortOverrides({{1, simulator.terminal()}});
    window->startUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 15000));
    // The start-up's own ControlEnd follows the window by 500 ms; a sign-in begun before it
    // would have it land between ControlBegin and SignInStart.
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kControlEnd); }, 3000));

    FrmMeestart::setRunner([](FrmMeestart& chooser) {
        chooser.chooseRow(0);
        clickButton(&chooser, FrmMeestart::kOkButton);
        return chooser.result();
    });
    bool held = false;
    // The hub's modal run: what the operator does between Hold meeting and leaving.
    window->setAreaRunner([&](QDialog& area) {
        auto* hub = qobject_cast<FrmConmee*>(&area);
        if (!hub)
            return int(QDialog::Rejected);
        hub->show();
        SignInSession& session = *hub->signIn();
        auto state = [&session](SignInSession::State s) { return session.state() == s; };
        clickButton(hub, FrmManChe::kStartButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return state(SignInSession::State::Collecting); }, 10000));
        act(QStringLiteral("signin 1-30"));
        auto* present = findWidget<QLabel>(hub, FrmManChe::kPresent);
        EXPECT_TRUE(QTest::qWaitFor([&] { return present->text() == "30"; }, 15000));
        clickButton(hub, FrmManChe::kEndButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return state(SignInSession::State::Idle); }, 20000));
        EXPECT_TRUE(hub->meetingState().signInClosed());
        EXPECT_EQ(findWidget<QLabel>(hub, FrmManChe::kQuorum)->text(), "Quorum reached"); // 75 % of 67 %

        clickButton(hub, FrmConmee::kVoteButton);
        FrmMeeVote& votePage = *hub->votePage();
        votePage.selectMotion(0);
        auto voteState = [&votePage](VoteSession::State s) { return votePage.session().state() == s; };
        // The key monitor and the result display open over the page as modal windows.
        QStringList opened;
        hub->setAreaRunner([&](QDialog& window) { return opened << window.metaObject()->className(), 1; });
        clickButton(hub, FrmMeeVote::kStartButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Collecting); }, 10000));
        clickButton(hub, FrmMeeVote::kMonitorButton);
        act(QStringLiteral("press 1-18 1"));
        act(QStringLiteral("press 19-25 2"));
        act(QStringLiteral("press 26-27 3"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return storedResult().startsWith("1:40:30:18:7:"); }, 15000));
        clickButton(hub, FrmMeeVote::kEndButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return voteState(VoteSession::State::Idle); }, 20000));
        clickButton(hub, FrmMeeVote::kQueryButton);
        EXPECT_EQ(opened, (QStringList{"FrmKeyMonitor", "FrmResult"}));
        prompts.answerNext(true);
        clickButton(hub, FrmConmee::kExitButton);
        EXPECT_EQ(prompts.takeTexts(), QStringList{"Leave this meeting?"});
        held = true;
        return hub->result();
    });
    QTest::mouseClick(window->button(FrmMain::kMeetingButton), Qt::LeftButton);
    ASSERT_TRUE(held);
    // The main window comes back when the hub is left.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000));

    const QStringList marks = MeetingTestData::column("select sign from Employees", "sign",
                                                      Schema::meetingDatabasePath(QStringLiteral("Council")));
    EXPECT_EQ(marks.count("Signed in"), 30);
    EXPECT_EQ(marks.count("Absent"), 10);
    // 18 of 40 due is 45 %, not more than 50 %: not passed.
    EXPECT_EQ(storedResult(),
              "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:" + Texts("FrmMeeVote")("PassVoteNo") + ":");
    EXPECT_TRUE(programEnds.isEmpty());
}
