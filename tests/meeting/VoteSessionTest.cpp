#include "meeting/VoteSession.h"

#include "ProcedureFixture.h"
#include "meeting/AttendanceTable.h"

namespace {

using Start = VoteSession::StartResult;
const QStringList kKinds{"Motion vote",      "Election: 1 of 3",       "Election: several of 3",
                         "Election: 1 of 5", "Election: several of 5", "Scoring",
                         "Evaluation"};

class VoteSessionTest : public ProcedureFixture<VoteSession>
{
protected:
    void SetUp() override
    {
        ProcedureFixture::SetUp();
        ASSERT_TRUE(AttendanceTable::setMeetingSignIn(meeting.MeeName, 30)); // as an ended sign-in leaves it
        meetingState.setSignInClosed(true);
        motion = addMotion(QStringLiteral("Budget"), 0, QStringLiteral("20260301100000"));
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
        return std::make_unique<VoteSession>(*link, clock, meetingState, texts);
    }
    // A motion vote passes over 50 % of due and counts the silent as abstaining.
    MotionRecord addMotion(const QString& title, int kind, const QString& key)
    {
        MotionTable table;
        table.setMeeting(meeting.MeeName);
        MotionRecord& m = table.record;
        m.OveName = title;
        m.OveType = kKinds[kind];
        m.VoteBase = kind == 0 || kind == 6 ? QStringLiteral("Expected delegates") : QString();
        m.VoteAbet = kind == 0 ? QStringLiteral("More than") : QString();
        m.VoteAbetValue = kind == 0 ? QStringLiteral("50") : QStringLiteral("0");
        m.VoteTimelRes = QStringLiteral("2");
        m.VoteTimelValue = QStringLiteral("0");
        m.Unit = kind == 0 ? QStringLiteral("1") : QStringLiteral("2");
        m.mark = kind == 0 ? QString() : QStringLiteral("10:8:6:4:2:");
        m.VoteState = QStringLiteral("Not voted");
        m.insertdate = key;
        EXPECT_TRUE(table.insert());
        return m;
    }
    void startAndCollect(const MotionRecord& m)
    {
        ASSERT_EQ(session->start(m), Start::Started);
        ASSERT_TRUE(reach(State::Collecting, 5000));
    }
    QStringList row(const QString& key)
    {
        const MotionRecord m = MeetingTestData::storedMotion(meeting.MeeName, key);
        return {m.result, m.VoteState, m.PollTimel, m.VoteAbetValue, m.VoteBase};
    }
    QString pollTime(qint64 ms) const { return wallStart.addMSecs(ms).toString("yyyy/MM/dd/-HH:mm:ss"); }

    MotionRecord motion;
};

} // namespace

TEST_F(VoteSessionTest, MotionVoteWireOrderTimingAndStoredResult)
{
    connectHall();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-18 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(3000);
    endAndWait();
    expectWireWalk(0xF75501u, LinkTiming::kVoteStartDelayMs, LinkTiming::kVoteCycleDelayMs,
                   Commands::kVoteEnd, State::Finishing, LinkTiming::kVoteControlEndDelayMs);
    EXPECT_EQ(link->operatingMode, LinkMode::VoteEnd);

    const QString result = "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Not passed:";
    EXPECT_EQ(row(motion.insertdate).mid(0, 3),
              (QStringList{result, "Voted", pollTime(timeOf(State::Finishing))}));
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VoteSessionTest, EachKindArmsItsKeysAndStoresItsLayout)
{
    connectHall();
    const struct
    {
        int kind;
        quint32 voteStart;
        const char* result;
    } cases[] = {
        {0, 0xF75501, "1:40:30:3:1:26:25:7.50%:2.50%:65.00%:Not passed:"},
        {1, 0xF75501, "3:1:1:"},
        {2, 0xF75507, "4:2:1:"},
        {3, 0xF75503, "3:1:1:0:0:"},
        {4, 0xF75505, "4:2:1:0:0:"},
        {5, 0xF75503, "8.80:"},
        {6, 0xF75501, "2:40:30:3:1:1:25:7.50%:2.50%:2.50%:Passed:"},
    };
    for (const auto& c : cases) {
        const QString key = QStringLiteral("2026030111000%1").arg(c.kind);
        const MotionRecord m = addMotion(QStringLiteral("Kind %1").arg(c.kind), c.kind, key);
        bank.clearSent();
        startAndCollect(m);
        // Three key 1, one key 2, one key 3, and one unit with keys 1 and 2.
        ASSERT_TRUE(hall->act("press 1-3 1"));
        ASSERT_TRUE(hall->act("press 4 2"));
        ASSERT_TRUE(hall->act("press 5 3"));
        ASSERT_TRUE(hall->act("press 6 1 2"));
        clock.advance(2000);
        endAndWait();
        EXPECT_EQ(bank.sentWords().value(1), c.voteStart) << c.kind;
        EXPECT_EQ(row(key).value(0), c.result) << c.kind;
    }
}

TEST_F(VoteSessionTest, RowRewrittenEveryHalfSecondWhileRunningAndOnceAtTheEnd)
{
    connectHall();
    QList<bool> shown;
    QObject::connect(session.get(), &VoteSession::resultChanged,
                     [&](const VoteCount::Outcome&, bool final) { shown << final; });
    motion.VoteAbetValue = "20"; // the operator's setting, written back at start
    startAndCollect(motion);
    const qint64 collecting = timeOf(State::Collecting);
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(2 * kUnits * kPace); // two poll cycles
    const qint64 seen = clock.now() - (clock.now() - collecting) % LinkTiming::kVoteCountRefreshMs;
    EXPECT_EQ(row(motion.insertdate), (QStringList{"1:40:30:10:0:20:20:25.00%:0.00%:50.00%:Passed:", "Voted",
                                                   pollTime(seen), "20", "Expected delegates"}));
    EXPECT_EQ(shown.size(), (clock.now() - collecting) / LinkTiming::kVoteCountRefreshMs);
    const qsizetype running = shown.size();
    endAndWait();
    EXPECT_EQ(shown.mid(running), QList<bool>{true});
    EXPECT_EQ(row(motion.insertdate).value(2), pollTime(timeOf(State::Finishing)));
}

TEST_F(VoteSessionTest, CountdownOfSixtyFiveSecondsEndsOneSecondAfterZero)
{
    connectHall();
    QList<QPair<QString, qint64>> shown;
    QObject::connect(session.get(), &VoteSession::countdownChanged, [&](const QString& text) {
        shown.append({text, clock.now()});
    });
    motion.VoteTimelRes = "1";
    motion.VoteTimelValue = "65";
    ASSERT_EQ(session->start(motion), Start::Started);
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Closing; }, 80000, 500));
    const qint64 collecting = timeOf(State::Collecting);
    ASSERT_EQ(shown.size(), 66);
    EXPECT_EQ(shown[1], qMakePair(QStringLiteral("倒计时:01:04"), collecting + 1000));
    EXPECT_EQ(shown.last(), qMakePair(QStringLiteral("倒计时:00:00"), collecting + 65000));
    EXPECT_EQ(timeOf(State::Closing), collecting + 66000);
}

TEST_F(VoteSessionTest, RefusedBeforeASignInEndedOrForAnUnknownKindOrWhileRunning)
{
    connectHall();
    meetingState.setSignInClosed(false);
    motion.VoteAbetValue = "70";
    EXPECT_EQ(session->start(motion), Start::NoSignIn);
    MotionRecord unknown = motion;
    unknown.OveType = "Referendum";
    meetingState.setSignInClosed(true);
    EXPECT_EQ(session->start(unknown), Start::UnknownKind);
    clock.advance(5000);
    EXPECT_EQ(messages, (QStringList{"Sign in first", "Unknown kind"}));
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_EQ(row(motion.insertdate).mid(0, 4), (QStringList{"", "Not voted", "", "50"}));

    startAndCollect(motion);
    EXPECT_EQ(session->start(motion), Start::Busy);
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(VoteSessionTest, MotionPreparedInAnotherLanguageIsRecognised)
{
    connectHall();
    MotionRecord chinese = addMotion("Budget", 0, "20260301120000"); // a second motion of the same title
    chinese.OveType = "议案表决";
    chinese.VoteBase = "应到人数";
    chinese.VoteAbet = "大于等于";
    startAndCollect(chinese);
    ASSERT_TRUE(hall->act("press 1-20 1"));
    clock.advance(2000);
    endAndWait();
    EXPECT_EQ(row(chinese.insertdate).value(0), "1:40:30:20:0:10:10:50.00%:0.00%:25.00%:Passed:");
    // Only that row: motions are written by id, not by title.
    EXPECT_EQ(row(motion.insertdate).mid(0, 2), (QStringList{"", "Not voted"}));
}

TEST_F(VoteSessionTest, ClosingCycleThatNeverEndsIsCutOffWithOneMessage)
{
    connectHall();
    startAndCollect(motion);
    expectClosingCutOff("press 1-12 1", LinkTiming::kClosingMarginMs, State::Finishing);
    EXPECT_TRUE(row(motion.insertdate).value(0).startsWith("1:40:30:12:0:18:18:30.00%:"));
}

TEST_F(VoteSessionTest, LockedDatabaseIsReportedOnceAndTheFinalRowStillWritten)
{
    connectHall();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-3 1"));
    {
        DbAccess holder;
        holder.Connect(Schema::meetingDatabasePath(meeting.MeeName));
        clock.advance(3000);
    }
    EXPECT_EQ(prompts.take().size(), 1);
    endAndWait();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(row(motion.insertdate).value(0).startsWith("1:40:30:3:0:"));
}

TEST_F(VoteSessionTest, NoControllerAtAllStillEndsAndStores)
{
    connectHall(false);
    startAndCollect(motion);
    endAndWait();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(row(motion.insertdate).value(0), "1:40:30:0:0:30:30:0.00%:0.00%:75.00%:Not passed:");
}
