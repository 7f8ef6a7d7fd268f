// A vote against unitsim cut off by SIGTERM and by SIGKILL, then the next
// start: the motion never keeps the partial count as its result, the record
// keeps it marked interrupted, and the operator is told which motion and when.

#include "MeetingTestData.h"
#include "app/InterruptedRounds.h"
#include "data/EventLog.h"
#include "meeting/AttendanceTable.h"
#include "meeting/VoteRecord.h"
#include "support/ConsoleTest.h"
#include "support/EventChain.h"
#include "support/SimulatorProcess.h"

#include <QProcess>
#include <csignal>

namespace {

constexpr int kUnits = 40;
const QString kKey = QStringLiteral("20260301100001");
const QString kFinal = QStringLiteral("1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Not passed:");

class InterruptedVoteTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        installTimers(nullptr); // real time: the bytes cross a real terminal
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        ASSERT_TRUE(AttendanceTable::setMeetingSignIn(QStringLiteral("Council"), 30));
        const MotionRecord motion =
            MeetingTestData::addMotion(QStringLiteral("Council"), QStringLiteral("Budget"), 0, kKey);
        // Voted before, to a final result the cut-off re-vote must not replace.
        VoteRecord record;
        record.setMeeting(QStringLiteral("Council"));
        const qint64 id = record.find(motion).value_or(0);
        ASSERT_TRUE(record.writeSettings(id, motion, 0, "20260301100500"));
        ASSERT_TRUE(record.writeResult(id, kFinal, "Voted", "2026/03/01/-10:06:00", true));
        ASSERT_TRUE(simulator.start(UNITSIM_EXECUTABLE, kUnits, 1, QString()));
    }

    // The re-vote runs until twelve units have pressed "no", then gets `signal`.
    void cutOffWith(int signal)
    {
        runner.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        runner.start(VOTE_RUNNER, {m_folder.path(), simulator.terminal(), "Council", kKey});
        ASSERT_TRUE(waitForLine("collecting"));
        ASSERT_TRUE(simulator.act("press 1-12 2"));
        // Twice: the row is written after the count is printed, so by the second the first is stored.
        ASSERT_TRUE(waitForLine("live 1:40:30:0:12:", 2));
        ::kill(pid_t(runner.processId()), signal);
        ASSERT_TRUE(runner.waitForFinished(10000));
    }
    bool waitForLine(const QString& start, int times = 1)
    {
        int seen = 0;
        return runEventsUntil(
            [&] {
                while (seen < times && runner.canReadLine())
                    if (QString::fromUtf8(runner.readLine()).startsWith(start))
                        ++seen;
                return seen == times;
            },
            20000);
    }
    QString stored(const char* column)
    {
        return MeetingTestData::column(QStringLiteral("select %1 from Overture").arg(column), column,
                                       Schema::meetingDatabasePath("Council"))
            .value(0);
    }
    QStringList interrupted()
    {
        return MeetingTestData::column("select detail from EventLog where kind = 'vote-interrupted'",
                                       "detail", Schema::meetingDatabasePath("Council"));
    }
    void expectMended()
    {
        EXPECT_EQ(stored("result"), kFinal);
        EXPECT_EQ(stored("PollTimel"), "2026/03/01/-10:06:00");
        ASSERT_EQ(interrupted().size(), 1);
        EXPECT_TRUE(interrupted()[0].contains(" partial 1:40:30:0:12:")) << interrupted()[0].toStdString();
        EXPECT_EQ(eventChain(Schema::meetingDatabasePath("Council")).status, EventLog::Chain::Status::Whole);
    }

    SimulatorProcess simulator;
    QProcess runner;
};

} // namespace

TEST_F(InterruptedVoteTest, SigtermClosesTheRunningVoteBeforeTheProgramEnds)
{
    cutOffWith(SIGTERM);
    EXPECT_EQ(runner.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(runner.exitCode(), 128 + SIGTERM);
    expectMended();
    // Nothing is left for the next start to mend or tell.
    InterruptedRounds::recover();
    EXPECT_TRUE(prompts.takeTexts().isEmpty());
    EXPECT_EQ(interrupted().size(), 1);
}

TEST_F(InterruptedVoteTest, AfterSigkillTheNextStartMendsTheMotionAndSaysWhich)
{
    cutOffWith(SIGKILL);
    EXPECT_EQ(runner.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(stored("result").startsWith("1:40:30:0:12:")); // the partial count, as the kill left it
    InterruptedRounds::recover();
    const QStringList told = prompts.takeTexts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("The vote on \"Budget\" (meeting \"Council\"), started 20"))
        << told[0].toStdString();
    expectMended();
}
