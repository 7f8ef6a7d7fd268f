// The registers' queries and field splitting on real meeting databases, with
// language switches between meeting and register.

#include "ReportTestData.h"
#include "data/EventLog.h"
#include "meeting/SignInCount.h"
#include "reports/SignInRegister.h"
#include "reports/VoteRegister.h"
#include "support/ConsoleTest.h"

using namespace ReportTestData;

namespace {

const QString kMeeting = QStringLiteral("Plenary");
// A motion vote's result: Unit:due:present:yes:no:abstain:unpressed:p1:p2:p3:pass:
const QString kPassed = QStringLiteral("1:5:4:3:1:0:0:60.00%:20.00%:0.00%:Passed:");

class RegisterTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(kMeeting, 5, 5);
    }
    QList<QStringList> voteRows(int category, bool votedOnly)
    {
        return VoteRegister::rows(category, VoteRegister::load(kMeeting).motions, votedOnly,
                                  VoteTexts::fromLanguageTables());
    }
};

TEST(VoteRegisterFields, SplitKeepsElevenFieldsAndDropsTheTextAfterTheLastColon)
{
    const QString thirteen = QStringLiteral("a:b:c:d:e:f:g:h:i:j:k:l:m:");
    EXPECT_EQ(VoteRegister::splitFields(thirteen, 11), thirteen.split(':').mid(0, 11));
    // Without the trailing ':' the last field is lost; empty fields stay, missing ones read empty.
    EXPECT_EQ(VoteRegister::splitFields(QStringLiteral("3::1"), 4),
              (QStringList{QStringLiteral("3"), QString(), QString(), QString()}));
    EXPECT_EQ(VoteRegister::splitFields(QString(), 2), (QStringList{QString(), QString()}));
}

TEST(VoteRegisterFields, StoredTimeReadsAsADateAndATimeAndOtherTextStaysAsItIs)
{
    EXPECT_EQ(VoteRegister::shownTime(QStringLiteral("2026/12/08/-02:47:16")), "2026-12-08 02:47:16");
    for (const char* other : {"", "2026/12/08", "yesterday", "2026/12/08/-02:47"})
        EXPECT_EQ(VoteRegister::shownTime(QString::fromLatin1(other)), QString::fromLatin1(other));
}

TEST_F(RegisterTest, MotionVoteRowsTakeTheirColumnsFromTheResultAndIgnoreFieldsBeyondEleven)
{
    const MotionRecord motion =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1"));
    vote(kMeeting, motion, kPassed.chopped(1) + QStringLiteral(":extra:more:"));
    const QList<QStringList> rows = voteRows(1, false);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0],
              (QStringList{"1", "Budget", "5", "4", "3", "1", "0", "0", "Passed", "2026-03-01 10:01:00"}));
    EXPECT_EQ(rows[0].size(),
              VoteRegister::emptyTable(1, Texts("FrmVoteput"), Texts("FrmMeeVote")).columnCount());
}

TEST_F(RegisterTest, VotedMotionsAreFoundWhateverLanguageTheyWereVotedIn)
{
    useLanguage(QStringLiteral("0")); // prepared and voted in Chinese
    const MotionRecord voted =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("预算"), 0, QStringLiteral("k1"));
    MeetingTestData::addMotion(kMeeting, QStringLiteral("章程"), 0, QStringLiteral("k2"));
    vote(kMeeting, voted, kPassed);
    useLanguage(QStringLiteral("1")); // the register in English
    const QList<QStringList> votedRows = voteRows(1, true);
    ASSERT_EQ(votedRows.size(), 1);
    EXPECT_EQ(votedRows[0][1], QStringLiteral("预算"));
    EXPECT_EQ(voteRows(1, false).size(), 2);
}

TEST_F(RegisterTest, CategoriesListTheirOwnKindsAndEvaluationsListOnlyVotedOnes)
{
    MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1"));
    MotionRecord election =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Chair"), 1, QStringLiteral("k2"));
    const MotionRecord evaluated =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Service"), 6, QStringLiteral("k3"));
    MeetingTestData::addMotion(kMeeting, QStringLiteral("Catering"), 6, QStringLiteral("k4"));
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::meetingDatabasePath(kMeeting),
                              QStringLiteral("update Overture set candidate = ? where insertdate = ?"),
                              {QStringLiteral("Ana:Bo:Chen:"), QStringLiteral("k2")}));
    vote(kMeeting, MeetingTestData::storedMotion(kMeeting, QStringLiteral("k2")), QStringLiteral("2:1:1:"));
    vote(kMeeting, evaluated, QStringLiteral("1:5:4:2:1:1:0:40.00%:20.00%:20.00%:Passed:"));

    const QList<QStringList> elections = voteRows(2, false);
    ASSERT_EQ(elections.size(), 1); // the motion vote and the evaluations are not elections
    EXPECT_EQ(elections[0].mid(1, 7), (QStringList{"Chair", "Ana", "2", "Bo", "1", "Chen", "1"}));
    EXPECT_EQ(elections[0].size(), 13);

    const QList<QStringList> all = voteRows(4, false);
    EXPECT_EQ(all, voteRows(4, true));
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].mid(1, 7), (QStringList{"Service", "5", "4", "2", "1", "1", "0"}));
}

TEST_F(RegisterTest, SignInListsSplitDueIntoPresentAndAbsentWithFirstSignInTimes)
{
    signIn(kMeeting, 5, {4, 2});
    const Texts texts(QStringLiteral("FrmRegque"));
    const auto marks = SignInRegister::Marks::ofEveryTable();
    const auto present = SignInRegister::load(kMeeting, SignInRegister::List::Present, marks, texts);
    ASSERT_EQ(present.outcome, SignInRegister::Outcome::Done);
    ASSERT_TRUE(present.hasTimes);
    ASSERT_EQ(present.table.rows.size(), 2);
    EXPECT_EQ(present.table.rows[0].value(0), QStringLiteral("2")); // in the delegate table's order
    EXPECT_EQ(present.table.rows[0].value(10), QStringLiteral("09:01:00"));
    EXPECT_EQ(present.table.rows[1].value(10), QStringLiteral("09:00:00"));
    EXPECT_EQ(present.table.headings.size(), 11);
    EXPECT_EQ(present.arrivals.size(), 2);
    EXPECT_EQ(present.arrivals.last().second, 2);

    const auto absent = SignInRegister::load(kMeeting, SignInRegister::List::Absent, marks, texts);
    EXPECT_EQ(absent.table.rows.size(), 3);
    EXPECT_EQ(SignInRegister::load(kMeeting, SignInRegister::List::Due, marks, texts).table.rows.size(), 5);
}

TEST(SignInRegisterQuorum, TheQuorumLineIsTheFewestUnitsThatReachTheRatio)
{
    for (const auto& [due, limit] : {std::pair{40, 50}, {7, 50}, {3, 67}, {10, 100}}) {
        const int units = SignInRegister::quorumUnits(QString::number(due), "1", QString::number(limit));
        const auto reached = [&](int present) {
            return SignInCount::figures(present, QString::number(due), "1", QString::number(limit)).quorum ==
                   SignInCount::Quorum::Reached;
        };
        EXPECT_TRUE(reached(units)) << due << " " << limit;
        EXPECT_FALSE(reached(units - 1)) << due << " " << limit;
    }
    EXPECT_EQ(SignInRegister::quorumUnits("40", "2", "50"), 0);
    EXPECT_EQ(SignInRegister::quorumUnits("0", "1", "50"), 0);
}

class EventChainTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        signIn(kMeeting, 5, {1, 2, 3});
        vote(kMeeting,
             MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1")),
             kPassed);
    }
    EventLog::Check check() { return EventLog::verify(Schema::meetingDatabasePath(kMeeting)); }
    void execute(const QString& sql)
    {
        ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath(kMeeting), sql));
    }
};

TEST_F(EventChainTest, SignInAndVoteLeaveAnIntactChainOfTheirEvents)
{
    // Start, three arrivals, end; vote start and end.
    EXPECT_EQ(check().outcome, EventLog::Check::Outcome::Intact);
    EXPECT_EQ(check().rows, 7);
    const QStringList kinds = MeetingTestData::column(QStringLiteral("select kind from EventLog order by id"),
                                                      "kind", Schema::meetingDatabasePath(kMeeting));
    EXPECT_EQ(kinds.first(), EventLog::kSignInStarted);
    EXPECT_EQ(kinds.last(), EventLog::kVoteEnded);
    EXPECT_EQ(MeetingTestData::column(QStringLiteral("select detail from EventLog where id = 7"), "detail",
                                      Schema::meetingDatabasePath(kMeeting)),
              QStringList{QStringLiteral("motion 1 result ") + kPassed});
    EXPECT_EQ(EventLog::describe(check()), QStringLiteral("record intact (7 events)"));
}

TEST_F(EventChainTest, AnEditedOrDeletedRowIsTheFirstBreak)
{
    execute(QStringLiteral("update EventLog set detail = 'due 5 present 5 quorum 1' where id = 5"));
    EXPECT_EQ(check().outcome, EventLog::Check::Outcome::Broken);
    EXPECT_EQ(check().brokenRow, 5);
    EXPECT_EQ(EventLog::describe(check()), QStringLiteral("record broken at row 5"));
    execute(QStringLiteral("delete from EventLog where id = 3")); // a gap earlier on is now the first
    EXPECT_EQ(check().brokenRow, 4);
}

} // namespace
