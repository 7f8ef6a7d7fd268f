#include "meeting/VoteSession.h"

#include "ProcedureFixture.h"
#include "prep/MeetingTable.h"

#include <QRandomGenerator>

namespace {

using Start = VoteSession::StartResult;

class VoteSessionTest : public ProcedureFixture<VoteSession>
{
protected:
    void SetUp() override
    {
        ProcedureFixture::SetUp();
        ASSERT_TRUE(MeetingTable().setPresent(meeting.name, 30)); // as an ended sign-in leaves it
        meetingState.setSignInClosed(true);
        motion = addMotion(QStringLiteral("20260301100000"));
    }
    std::unique_ptr<VoteSession> makeSession() override
    {
        VoteTexts texts = VoteTexts::fromLanguageTables();
        texts.rules.passYes = QStringLiteral("Passed");
        texts.rules.passNo = QStringLiteral("Not passed");
        texts.votedState = QStringLiteral("Voted");
        texts.logFirst = QStringLiteral("Sign in first");
        texts.kindUnknown = QStringLiteral("Unknown kind");
        texts.closingCycleLost = QStringLiteral("Controller lost");
        // Units 1..30 signed in, as the ended sign-in left them.
        for (int n = 1; n <= 30; ++n)
            link->setSignedIn(n, true);
        return std::make_unique<VoteSession>(*link, clock, meetingState, texts);
    }
    // A motion vote "Budget": passes over 50 % of due, the silent count as abstaining.
    Motion addMotion(const QString& key)
    {
        return MeetingTestData::addMotion(meeting.name, QStringLiteral("Budget"), 0, key);
    }
    void startAndCollect(const Motion& m)
    {
        ASSERT_EQ(session->start(m), Start::Started);
        ASSERT_TRUE(reach(State::Collecting, 5000));
    }
    // The stored texts of the motion's row.
    QStringList row(const QString& key)
    {
        const auto rows = DbAccess::selectOnce(
            Schema::meetingDatabasePath(meeting.name),
            "select result, VoteState, PollTimel, VoteAbetValue from Overture where insertdate = ?", {key});
        const DbRow stored = rows.value_or(QList<DbRow>()).value(0);
        return {stored.text("result"), stored.text("VoteState"), stored.text("PollTimel"),
                stored.text("VoteAbetValue")};
    }

    Motion motion;
};

} // namespace

TEST_F(VoteSessionTest, MotionVoteWireOrderTimingAndStoredResultCountingOnlyThoseSignedIn)
{
    connectHall();
    startAndCollect(motion);
    // Units 35 and 36 never signed in: their yes is not counted.
    ASSERT_TRUE(hall->act("press 1-18,35,36 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(3000);
    endAndWait();
    expectWireWalk(0xF75501u, LinkTiming::kVoteStartDelayMs, LinkTiming::kVoteCycleDelayMs,
                   Commands::kVoteEnd, State::Finishing, LinkTiming::kVoteControlEndDelayMs);
    const QString pollTime = wallStart.addMSecs(timeOf(State::Finishing)).toString("yyyy/MM/dd/-HH:mm:ss");
    EXPECT_EQ(row(motion.key).mid(0, 3),
              (QStringList{"1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Not passed:", "Voted", pollTime}));
    EXPECT_EQ(finished, QList<bool>{true});
}

TEST_F(VoteSessionTest, RefusedBeforeASignInEndedOrForAnUnknownKindOrWhileRunning)
{
    connectHall();
    meetingState.setSignInClosed(false);
    motion.threshold = 70;
    EXPECT_EQ(session->start(motion), Start::NoSignIn);
    Motion unknown = motion;
    unknown.kind.reset();
    unknown.unknownKind = "Referendum";
    meetingState.setSignInClosed(true);
    EXPECT_EQ(session->start(unknown), Start::UnknownKind);
    clock.advance(5000);
    EXPECT_EQ(messages, (QStringList{"Sign in first", "Unknown kind"}));
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_EQ(row(motion.key), (QStringList{"", "Not voted", "", "50"}));
    startAndCollect(motion);
    EXPECT_EQ(session->start(motion), Start::Busy);
}

TEST_F(VoteSessionTest, NoVoteStartsOnALineFoundLostWhileIdle)
{
    connectHall();
    // A silent controller is not seen while idle: nothing is polled then.
    hall->setSilent(true);
    clock.advance(60000);
    EXPECT_EQ(link->lineState(), Link::LineState::Up);
    EXPECT_TRUE(bank.sentWords().isEmpty());
    hall->setSilent(false);

    // A port that breaks is: the next start is refused, nothing sent, the row untouched.
    loseLineWhileIdle();
    EXPECT_EQ(session->start(motion), Start::LineLost);
    clock.advance(5000);
    EXPECT_EQ(messages, QStringList{VoteTexts::fromLanguageTables().lineLost});
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_EQ(row(motion.key), (QStringList{"", "Not voted", "", "50"}));

    // Back: the vote runs.
    bringLineBack();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-20 1"));
    clock.advance(2000);
    endAndWait();
    EXPECT_TRUE(row(motion.key).value(0).startsWith("1:40:30:20:0:"))
        << row(motion.key).value(0).toStdString();
}

TEST_F(VoteSessionTest, MotionPreparedInAnotherLanguageIsRecognised)
{
    connectHall();
    const Motion second = addMotion("20260301120000"); // a second motion of the same title
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath(meeting.name),
                                      "update Overture set OveType = '议案表决', VoteBase = '应到人数', "
                                      "VoteAbet = '大于等于' where insertdate = ?",
                                      {second.key}));
    const Motion chinese = MeetingTestData::storedMotion(meeting.name, second.key);
    startAndCollect(chinese);
    ASSERT_TRUE(hall->act("press 1-20 1"));
    clock.advance(2000);
    endAndWait();
    EXPECT_EQ(row(chinese.key).value(0), "1:40:30:20:0:10:10:50.00%:0.00%:25.00%:Passed:");
    EXPECT_EQ(row(motion.key).mid(0, 2), (QStringList{"", "Not voted"})); // written by id
}

TEST_F(VoteSessionTest, KeysOfThePreviousVoteNeverReachTheNextOne)
{
    connectHall();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-5 1"));
    clock.advance(3000);
    endAndWait();
    // Units 1-5 go silent before the second vote: their yes of the first must not count again.
    ASSERT_TRUE(hall->act("offline 1-5"));
    const Motion second = addMotion("20260301110000");
    startAndCollect(second);
    ASSERT_TRUE(hall->act("press 6-10 2"));
    clock.advance(3000);
    EXPECT_EQ(session->counts().keys[0], 0); // the live figures too
    endAndWait();
    EXPECT_TRUE(row(second.key).value(0).startsWith("1:40:30:0:5:25:25:"))
        << row(second.key).value(0).toStdString();
    EXPECT_TRUE(row(motion.key).value(0).startsWith("1:40:30:5:0:"));
}

TEST_F(VoteSessionTest, KeysReportedDuringALineFaultAreNotStored)
{
    connectHall();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(3000);
    // Bytes that are no frames, 600 a second: most of what arrives.
    QRandomGenerator random(7);
    const std::unique_ptr<Timer> flood = clock.createTimer([&] {
        QByteArray bytes(60, '\0');
        for (char& c : bytes)
            c = char(random.bounded(256));
        bank.receive(bytes);
    });
    flood->start(100);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->lineFault(); }, 5000));
    ASSERT_TRUE(hall->act("press 11-20 1"));
    clock.advance(1000);
    endAndWait();
    EXPECT_TRUE(row(motion.key).value(0).startsWith("1:40:30:10:0:20:20:"))
        << row(motion.key).value(0).toStdString();
}

TEST_F(VoteSessionTest, ClosingCycleThatNeverEndsIsCutOffWithOneMessage)
{
    connectHall();
    startAndCollect(motion);
    expectClosingCutOff("press 1-12 1", State::Finishing);
    EXPECT_TRUE(row(motion.key).value(0).startsWith("1:40:30:12:0:18:18:30.00%:"));
}

TEST_F(VoteSessionTest, EachKindArmsItsKeysAndTheCountdownEndsOnTheTickOfZero)
{
    connectHall();
    const quint32 words[] = {0xF75501u, 0xF75501u, 0xF75507u, 0xF75503u, 0xF75505u, 0xF75503u, 0xF75501u};
    for (int kind = 0; kind < 7; ++kind) {
        Motion m = motion;
        m.kind = voteKind(kind);
        bank.clearSent();
        startAndCollect(m);
        EXPECT_EQ(bank.sentWords().value(1), words[kind]) << kind;
        endAndWait();
    }
    QStringList shown;
    QObject::connect(session.get(), &VoteSession::countdownChanged, [&](const QString& t) { shown << t; });
    motion.timeLimit = true;
    motion.limitSeconds = 65;
    states.clear();
    startAndCollect(motion);
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Closing; }, 70000, 100));
    EXPECT_EQ(shown.mid(0, 2), (QStringList{"倒计时:01:05", "倒计时:01:04"}));
    EXPECT_EQ(shown.last(), "倒计时:00:00");
    EXPECT_EQ(timeOf(State::Closing) - timeOf(State::Collecting), 65000);
}
