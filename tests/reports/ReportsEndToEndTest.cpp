// A meeting held against the simulated controller on a real pseudo-terminal
// (a sign-in of 9 of 12 delegates, two motion votes), then read back through
// the post-meeting hub: the registers show exactly what was stored, and the
// event record of the whole meeting is intact.

#include "ReportTestData.h"
#include "link/Link.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "reports/FrmMdisposal.h"
#include "reports/FrmRegque.h"
#include "reports/FrmVoteput.h"
#include "reports/VoteRegister.h"
#include "screen/FrmScr.h"
#include "support/ConsoleTest.h"
#include "support/SimulatorProcess.h"
#include "support/WidgetFinder.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

constexpr int kUnits = 12;
const QString kMeeting = QStringLiteral("Council");

class ReportsEndToEnd : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        services.timers = nullptr; // real time: the bytes cross a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        meeting = MeetingTestData::addMeeting(kMeeting, kUnits, kUnits, 50);
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("20260301100001"));
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Statutes"), 0, QStringLiteral("20260301100002"));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, m_folder.filePath("unitsim.log")));
        link = std::make_unique<Link>();
        link->setPortOverrides({{1, simulator.terminal()}});
        link->start(1, 1, kUnits, 1);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return simulator.received().endsWith(Commands::kControlEnd); }, 15000));
    }
    void TearDown() override
    {
        link.reset();
        ConsoleTest::TearDown();
    }
    void act(const QString& line) { ASSERT_TRUE(simulator.act(line)) << line.toStdString(); }

    // One motion vote from the voting page: `presses` are the simulator's lines.
    void holdVote(FrmConmee& hub, int motion, const QStringList& presses, const QString& expectedStart)
    {
        FrmMeeVote& page = *hub.votePage();
        page.selectMotion(motion);
        const auto idle = [&page] { return page.session().state() == VoteSession::State::Idle; };
        clickButton(&hub, FrmMeeVote::kStartButton);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return page.session().state() == VoteSession::State::Collecting; }, 10000));
        for (const QString& press : presses)
            act(press);
        const QString key = QStringLiteral("2026030110000%1").arg(motion + 1);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return MeetingTestData::storedMotion(kMeeting, key).result.startsWith(expectedStart); },
            15000));
        clickButton(&hub, FrmMeeVote::kEndButton);
        ASSERT_TRUE(QTest::qWaitFor(idle, 20000));
    }

    SimulatorProcess simulator;
    std::unique_ptr<Link> link;
    Meeting meeting;
};

TEST_F(ReportsEndToEnd, TheRegistersShowWhatTheMeetingStored)
{
    {
        FrmScr screen;
        MeetingSessions meetings(*link, programTimers());
        FrmConmee hub(*link, services, screen, meetings, QStringLiteral("1"));
        hub.openMeeting(meeting);
        hub.show();
        SignInSession& session = *hub.signIn();
        clickButton(&hub, FrmManChe::kStartButton);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return session.state() == SignInSession::State::Collecting; }, 10000));
        act(QStringLiteral("signin 1-9"));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return findWidget<QLabel>(&hub, FrmManChe::kPresent)->text() == "9"; }, 15000));
        clickButton(&hub, FrmManChe::kEndButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.state() == SignInSession::State::Idle; }, 20000));

        clickButton(&hub, FrmConmee::kVoteButton);
        holdVote(hub, 0, {QStringLiteral("press 1-6 1"), QStringLiteral("press 7-8 2")}, "1:12:9:6:2:");
        holdVote(hub, 1, {QStringLiteral("press 1-3 1"), QStringLiteral("press 4-9 2")}, "1:12:9:3:6:");
    }

    MeetingTable meetingTable;
    MeetingListModel meetingList(meetingTable);
    FrmMdisposal hub(meetingList);
    hub.show();
    ASSERT_TRUE(hub.chooseMeeting(kMeeting));
    clickButton(&hub, FrmMdisposal::kSignInButton);
    EXPECT_EQ(findWidget<QLineEdit>(&hub, FrmRegque::kPresentCount)->text(), QStringLiteral("9"));
    clickButton(&hub, FrmRegque::kPresentButton);
    auto* signIns = findWidget<QTableWidget>(&hub, FrmRegque::kList);
    ASSERT_EQ(signIns->rowCount(), 9);
    EXPECT_EQ(signIns->columnCount(), 11); // with the sign-in time
    EXPECT_FALSE(signIns->item(8, 10)->text().isEmpty());
    clickButton(&hub, FrmRegque::kAbsentButton);
    EXPECT_EQ(signIns->rowCount(), 3);

    clickButton(&hub, FrmMdisposal::kVoteButton);
    FrmVoteput& votes = *hub.voteRegister();
    votes.chooseCategory(1);
    clickButton(&hub, FrmVoteput::kShowVotedButton);
    ASSERT_EQ(votes.table().rows.size(), 2);
    for (int row = 0; row < 2; ++row) {
        const Motion stored =
            MeetingTestData::storedMotion(kMeeting, QStringLiteral("2026030110000%1").arg(row + 1));
        const QStringList fields = stored.result.split(':');
        EXPECT_EQ(
            votes.table().rows[row],
            (QStringList{QString::number(row + 1), stored.title, fields[1], fields[2], fields[3], fields[4],
                         fields[5], fields[6], fields[10], VoteRegister::shownTime(stored.votedAt)}));
    }
    EXPECT_EQ(votes.table().rows[0].mid(4, 2), (QStringList{"6", "2"}));
    // Start, nine arrivals, end; two votes of two events each.
    EXPECT_EQ(findWidget<QLabel>(&hub, FrmVoteput::kRecordLine)->text(),
              Texts("Public")("RecordIntact").arg(15));
}

} // namespace
