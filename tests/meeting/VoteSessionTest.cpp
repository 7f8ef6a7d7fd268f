#include "meeting/VoteSession.h"

#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/AttendanceTable.h"
#include "meeting/MeetingState.h"
#include "support/ConsoleTest.h"
#include "support/SimulatedHall.h"

namespace {

using State = VoteSession::State;
using Start = VoteSession::StartResult;
constexpr int kPace = LinkTiming::kFastPaceMs;
constexpr int kUnits = 40;
const QStringList kKinds{"Motion vote",      "Election: 1 of 3",       "Election: several of 3",
                         "Election: 1 of 5", "Election: several of 5", "Scoring",
                         "Evaluation"};

class VoteSessionTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Council")), Schema::CreateResult::Created);
        meeting.MeeName = QStringLiteral("Council");
        meeting.DueNum = QStringLiteral("40");
        meeting.insertdate = QStringLiteral("20260301090000");
        MeetingTable table;
        table.record = meeting;
        ASSERT_TRUE(table.insert());
        ASSERT_TRUE(AttendanceTable::setMeetingSignIn(meeting.MeeName, 30)); // as an ended sign-in leaves it
        motion = addMotion(QStringLiteral("Budget"), 0, QStringLiteral("20260301100000"));
        hall = std::make_unique<SimulatedHall>(bank, kUnits, 1);
        link = std::make_unique<Link>(bank.factory());
        meetingState.setSignInClosed(true);
    }
    void TearDown() override
    {
        session.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

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
    void connectHall()
    {
        link->start(1, 1, kUnits, 1);
        ASSERT_TRUE(
            clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); }, 20000));
        bank.clearSent();
        makeSession();
    }
    void makeSession()
    {
        VoteTexts texts = VoteTexts::fromLanguageTables();
        texts.rules.passYes = QStringLiteral("Passed");
        texts.rules.passNo = QStringLiteral("Not passed");
        texts.votedState = QStringLiteral("Voted");
        texts.logFirst = QStringLiteral("Sign in first");
        texts.kindUnknown = QStringLiteral("Unknown kind");
        texts.closingCycleLost = QStringLiteral("Controller lost");
        session = std::make_unique<VoteSession>(*link, clock, meetingState, texts);
        session->setMeeting(meeting);
        session->setWallClock(
            [this] { return QDateTime(QDate(2026, 3, 1), QTime(10, 0)).addMSecs(clock.now()); });
        QObject::connect(session.get(), &VoteSession::stateChanged, [this](State s) {
            states.append({s, clock.now()});
        });
        QObject::connect(session.get(), &VoteSession::message, [this](const QString& t) { messages << t; });
        QObject::connect(session.get(), &VoteSession::finished, [this](bool stored) { finished << stored; });
    }
    void startAndCollect(const MotionRecord& m)
    {
        ASSERT_EQ(session->start(m), Start::Started);
        ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Collecting; }, 5000));
    }
    void endAndWait()
    {
        ASSERT_TRUE(session->end());
        ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Idle; }, 30000));
        clock.advance(kPace); // ControlEnd leaves at the next step
    }
    qint64 timeOf(State s) const
    {
        for (const auto& [state, time] : states)
            if (state == s)
                return time;
        return -1;
    }
    QStringList row(const QString& key)
    {
        MotionTable table;
        table.setMeeting(meeting.MeeName);
        const auto all = table.all();
        for (const MotionRecord& m : all.value_or(QList<MotionRecord>()))
            if (m.insertdate == key)
                return {m.result, m.VoteState, m.PollTimel, m.VoteAbetValue, m.VoteBase};
        return {};
    }
    // "2026/03/01/-10:00:ss" for a virtual time.
    static QString pollTime(qint64 ms)
    {
        return QDateTime(QDate(2026, 3, 1), QTime(10, 0)).addMSecs(ms).toString("yyyy/MM/dd/-HH:mm:ss");
    }

    MeetingRecord meeting;
    MotionRecord motion;
    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
    MeetingState meetingState;
    std::unique_ptr<VoteSession> session;
    QList<QPair<State, qint64>> states;
    QStringList messages;
    QList<bool> finished;
};

} // namespace

// Readable failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

TEST_F(VoteSessionTest, MotionVoteWireOrderTimingAndStoredResult)
{
    connectHall();
    startAndCollect(motion);
    ASSERT_TRUE(hall->act("press 1-18 1"));
    ASSERT_TRUE(hall->act("press 19-25 2"));
    ASSERT_TRUE(hall->act("press 26-27 3"));
    clock.advance(3000);
    endAndWait();

    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    const QList<quint32> words = bank.sentWords();
    ASSERT_GE(words.size(), 4);
    EXPECT_EQ(words[0], Commands::kControlBegin);
    EXPECT_EQ(words[1], 0xF75501u);
    EXPECT_NEAR(sent[1].time - sent[0].time, LinkTiming::kVoteStartDelayMs, kPace);
    EXPECT_EQ(words[2], Commands::pollWord(1));
    EXPECT_NEAR(sent[2].time - sent[1].time, LinkTiming::kVoteCycleDelayMs, kPace);

    // VoteEnd, 500 ms, one cycle over every unit, the final row, 500 ms, ControlEnd.
    const qsizetype endAt = words.indexOf(Commands::kVoteEnd);
    ASSERT_GT(endAt, 2);
    QList<quint32> closing = words.mid(endAt + 1);
    ASSERT_EQ(closing.size(), kUnits + 1);
    EXPECT_EQ(closing.takeLast(), Commands::kControlEnd);
    for (int n = 1; n <= kUnits; ++n)
        EXPECT_EQ(closing[n - 1], Commands::pollWord(n));
    EXPECT_NEAR(sent[endAt + 1].time - sent[endAt].time, LinkTiming::kClosingCycleDelayMs, kPace);
    const qint64 finishing = timeOf(State::Finishing);
    EXPECT_EQ(finishing, sent[endAt + kUnits].time + kPace);
    EXPECT_NEAR(sent.last().time - finishing, LinkTiming::kVoteControlEndDelayMs, kPace);
    EXPECT_EQ(link->operatingMode, LinkMode::VoteEnd);

    const QString result = "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Not passed:";
    EXPECT_EQ(row(motion.insertdate).mid(0, 3), (QStringList{result, "Voted", pollTime(finishing)}));
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
    QList<QPair<QString, bool>> shown;
    QObject::connect(session.get(), &VoteSession::resultChanged,
                     [&](const VoteCount::Outcome& o, bool final) {
                         shown.append({o.result, final});
                     });
    motion.VoteAbetValue = "20"; // the operator's setting, written back at start
    startAndCollect(motion);
    EXPECT_EQ(row(motion.insertdate).value(3), "20");
    const qint64 collecting = timeOf(State::Collecting);
    ASSERT_TRUE(hall->act("press 1-10 1"));
    clock.advance(2 * kUnits * kPace); // two poll cycles
    const qint64 seen = clock.now() - (clock.now() - collecting) % LinkTiming::kVoteCountRefreshMs;
    EXPECT_EQ(row(motion.insertdate), (QStringList{"1:40:30:10:0:20:20:25.00%:0.00%:50.00%:Passed:", "Voted",
                                                   pollTime(seen), "20", "Expected delegates"}));
    EXPECT_EQ(shown.size(), (clock.now() - collecting) / LinkTiming::kVoteCountRefreshMs);

    ASSERT_TRUE(hall->act("press 11-14 2"));
    clock.advance(2 * kUnits * kPace);
    EXPECT_TRUE(row(motion.insertdate).value(0).startsWith("1:40:30:10:4:16:16:"));
    const qsizetype running = shown.size();
    endAndWait();
    ASSERT_EQ(shown.size(), running + 1);
    EXPECT_TRUE(shown.last().second);
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
    EXPECT_EQ(shown[0], qMakePair(QStringLiteral("倒计时:01:05"), collecting));
    EXPECT_EQ(shown[1], qMakePair(QStringLiteral("倒计时:01:04"), collecting + 1000));
    EXPECT_EQ(shown[6].first, "倒计时:00:59");
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
    ASSERT_TRUE(hall->act("press 1-12 1"));
    clock.advance(3000);
    link->stop(); // the controller is lost: the closing cycle never runs
    const qint64 endedAt = clock.now();
    ASSERT_TRUE(session->end());
    const int limit = session->closingLimitMs();
    EXPECT_EQ(limit,
              LinkTiming::kClosingCycleDelayMs + 2 * (kUnits + 1) * kPace + LinkTiming::kVoteClosingMarginMs);
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Idle; }, 60000));
    EXPECT_EQ(timeOf(State::Finishing), endedAt + limit);
    EXPECT_EQ(messages, QStringList{"Controller lost"});
    EXPECT_EQ(finished, QList<bool>{true});
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
    bank.refuse(QStringLiteral("/dev/ttyS0"));
    link->start(1, 1, kUnits, 1);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->searchFailed == 1; }, 5000));
    makeSession();
    startAndCollect(motion);
    endAndWait();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(row(motion.insertdate).value(0), "1:40:30:0:0:30:30:0.00%:0.00%:75.00%:Not passed:");
}
