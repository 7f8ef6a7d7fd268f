// Rounds cut off before their end: a vote's partial count never stays as the
// motion's result, and a journaled sign-in is stored marked interrupted or dropped.

#include "meeting/RoundRecovery.h"

#include "MeetingTestData.h"
#include "data/EventLog.h"
#include "meeting/VoteRecord.h"
#include "support/ConsoleTest.h"
#include "support/EventChain.h"

namespace {

class RoundRecoveryTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(kMeeting, 10, 10);
        path = Schema::meetingDatabasePath(kMeeting);
        record.setMeeting(kMeeting);
    }
    qint64 addMotion(const QString& title, const QString& key)
    {
        const Motion motion = MeetingTestData::addMotion(kMeeting, title, 0, key);
        return record.find(motion).value_or(0);
    }
    // A vote as VoteSession writes it: the start, live counts, and the end when it gets there.
    void vote(qint64 id, const QStringList& counts, bool ended, const QString& pollTime)
    {
        Motion motion;
        motion.title = QStringLiteral("m");
        motion.kind = VoteKind::MotionVote;
        ASSERT_TRUE(record.writeSettings(id, motion, QStringLiteral("20260301100000")));
        const QDateTime at = QDateTime::fromString(pollTime, QStringLiteral("yyyy/MM/dd/-HH:mm:ss"));
        for (qsizetype i = 0; i < counts.size(); ++i)
            ASSERT_TRUE(record.writeResult(id, counts[i], "Voted", at, ended && i == counts.size() - 1));
    }
    QStringList column(const QString& sql, const char* name)
    {
        return MeetingTestData::column(sql, name, path);
    }
    QList<RoundRecovery::InterruptedVote> close()
    {
        return RoundRecovery::closeInterruptedVotes(path, "Not voted", "20260301120000");
    }

    static inline const QString kMeeting = QStringLiteral("Council");
    QString path;
    VoteRecord record{MotionWords()}; // the results only: no texts needed
};

} // namespace

TEST_F(RoundRecoveryTest, CutOffVoteGetsItsLastFinalResultBackAndThePartialCountIsKeptInTheRecord)
{
    const qint64 budget = addMotion("Budget", "20260301100001");
    const qint64 statute = addMotion("Statute", "20260301100002");
    vote(budget, {"1:10:9:5:", "1:10:9:6:2:"}, true, "2026/03/01/-10:05:00");
    vote(statute, {"1:10:9:1:"}, true, "2026/03/01/-10:06:00");
    // The re-vote on the budget is cut off with a partial count in its row.
    vote(budget, {"1:10:9:0:3:"}, false, "2026/03/01/-11:00:00");

    const QList<RoundRecovery::InterruptedVote> closed = close();
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0].motionId, budget);
    EXPECT_EQ(closed[0].motion, "m");
    EXPECT_EQ(closed[0].partial, "1:10:9:0:3:");
    EXPECT_EQ(
        column("select result || '|' || VoteState || '|' || PollTimel as r from Overture order by id", "r"),
        (QStringList{"1:10:9:6:2:|Voted|2026/03/01/-10:05:00", "1:10:9:1:|Voted|2026/03/01/-10:06:00"}));
    EXPECT_EQ(column("select detail from EventLog where kind = 'vote-interrupted'", "detail"),
              QStringList{QStringLiteral("motion %1 partial 1:10:9:0:3:").arg(budget)});
    EXPECT_EQ(eventChain(path).status, EventLog::Chain::Status::Whole);
    EXPECT_TRUE(close().isEmpty()); // closed once
}

TEST_F(RoundRecoveryTest, CutOffFirstVoteLeavesTheMotionNotVoted)
{
    const qint64 budget = addMotion("Budget", "20260301100001");
    vote(budget, {"1:10:9:4:"}, false, "2026/03/01/-11:00:00");
    ASSERT_EQ(close().size(), 1);
    EXPECT_EQ(column("select result || '|' || VoteState || '|' || PollTimel as r from Overture", "r"),
              QStringList{"|Not voted|"});
}

TEST_F(RoundRecoveryTest, JournaledSignInIsStoredMarkedInterruptedOrDiscarded)
{
    SignInJournal journal;
    journal.setPath(path);
    ASSERT_TRUE(journal.open("20260301090000", false));
    ASSERT_TRUE(journal.note({{3, "20260301090010", "key"}, {5, "20260301090011", "key"}}));
    ASSERT_TRUE(journal.note({{7, "20260301090020", "key"}}));
    const std::optional<SignInJournal::Round> round = SignInJournal::find(path);
    ASSERT_TRUE(round);
    EXPECT_EQ(round->startAt, "20260301090000");
    EXPECT_FALSE(round->supplementary);
    EXPECT_EQ(round->arrivals.size(), 3);

    // Stored: the units seen are present, every other absent, the round marked interrupted.
    EXPECT_EQ(RoundRecovery::storeInterruptedSignIn(kMeeting, *round, {"In", "Out"}, "20260301093000"), 3);
    EXPECT_EQ(column("select CellNo from Employees where sign = 'In' order by id", "CellNo"),
              (QStringList{"3", "5", "7"}));
    EXPECT_EQ(column("select sign from Employees where sign = 'Out'", "sign").size(), 7);
    EXPECT_EQ(column("select kind || ' ' || present as r from SignInRound", "r"),
              QStringList{"interrupted 3"});
    EXPECT_EQ(column("select how from SignInTime", "how"), QStringList(3, "key"));
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "3");
    EXPECT_FALSE(SignInJournal::find(path));

    // A supplementary one keeps those present before; a discarded one changes nothing but the record.
    ASSERT_TRUE(journal.open("20260301100000", true));
    ASSERT_TRUE(journal.note({{8, "20260301100010", "supplementary"}}));
    EXPECT_EQ(RoundRecovery::storeInterruptedSignIn(kMeeting, *SignInJournal::find(path), {"In", "Out"},
                                                    "20260301103000"),
              4);
    ASSERT_TRUE(journal.open("20260301110000", false));
    ASSERT_TRUE(journal.note({{1, "20260301110010", "key"}}));
    EXPECT_TRUE(
        RoundRecovery::discardInterruptedSignIn(kMeeting, *SignInJournal::find(path), "20260301113000"));
    EXPECT_FALSE(SignInJournal::find(path));
    EXPECT_EQ(column("select CellNo from Employees where sign = 'In' order by id", "CellNo"),
              (QStringList{"3", "5", "7", "8"}));
    EXPECT_EQ(column("select detail from EventLog where kind = 'signin-interrupted'", "detail"),
              (QStringList{"stored: due 10 present 3", "stored: due 10 present 4",
                           "discarded: started 20260301110000, 1 units seen"}));
    EXPECT_EQ(eventChain(path).status, EventLog::Chain::Status::Whole);
}
