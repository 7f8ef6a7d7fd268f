#include "meeting/SignInSession.h"

#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/FrameCodec.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/MeetingState.h"
#include "support/ConsoleTest.h"
#include "support/SimulatedHall.h"

namespace {

using State = SignInSession::State;
constexpr int kPace = LinkTiming::kFastPaceMs;
constexpr int kUnits = 40;

class SignInSessionTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Council")), Schema::CreateResult::Created);
        meeting.MeeName = QStringLiteral("Council");
        meeting.DueNum = QStringLiteral("40");
        meeting.bSetLimit = QStringLiteral("1");
        meeting.limit = QStringLiteral("50");
        meeting.insertdate = QStringLiteral("20260301090000");
        MeetingTable table;
        table.record = meeting;
        ASSERT_TRUE(table.insert());
        DbAccess db;
        db.Connect(path);
        DbTransaction transaction(db);
        for (int n = 1; n <= kUnits; ++n)
            db.Execute(QStringLiteral("insert into Employees(CellNo, EmpName) values(?, ?)"),
                       {QString::number(n), QStringLiteral("Delegate %1").arg(n)});
        ASSERT_TRUE(transaction.commit());
        hall = std::make_unique<SimulatedHall>(bank, kUnits, 1);
        link = std::make_unique<Link>(bank.factory());
    }
    void TearDown() override
    {
        session.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    // Start-up until the link is idle, then the session on it.
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
        SignInTexts texts;
        texts.signedInMark = QStringLiteral("Signed in");
        texts.absentMark = QStringLiteral("Absent");
        texts.closingCycleLost = QStringLiteral("Controller lost");
        session = std::make_unique<SignInSession>(*link, clock, meetingState, texts);
        session->setMeeting(meeting);
        session->setWallClock(
            [this] { return QDateTime(QDate(2026, 3, 1), QTime(9, 0)).addMSecs(clock.now()); });
        QObject::connect(session.get(), &SignInSession::stateChanged, [this](State s) {
            states.append({s, clock.now()});
        });
        QObject::connect(session.get(), &SignInSession::message, [this](const QString& t) { messages << t; });
        QObject::connect(session.get(), &SignInSession::finished,
                         [this](bool stored) { finished << stored; });
    }
    // A sign-in (or supplementary one) in which the scripted units press their key.
    void collect(const QString& action, bool supplementary = false)
    {
        ASSERT_TRUE(supplementary ? session->startSupplementary() : session->start());
        ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Collecting; }, 5000));
        ASSERT_TRUE(hall->act(action));
        clock.advance(3000);
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
    QStringList column(const QString& sql, const char* name, const QString& file = QString())
    {
        DbAccess db;
        db.Connect(file.isEmpty() ? path : file);
        QStringList values;
        for (Recordset& rows = db.Query(sql); !rows.isEof(); rows.moveNext()) {
            QString value;
            rows.read(name, value);
            values << value;
        }
        return values;
    }
    QString mottagSignIn()
    {
        return column(QStringLiteral("select SignIn from Mottag"), "SignIn", Schema::kSystemDatabase)
            .value(0);
    }

    const QString path = Schema::meetingDatabasePath(QStringLiteral("Council"));
    MeetingRecord meeting;
    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
    MeetingState meetingState;
    std::unique_ptr<SignInSession> session;
    QList<QPair<State, qint64>> states;
    QStringList messages;
    QList<bool> finished;
};

} // namespace

TEST_F(SignInSessionTest, WireOrderAndTimingFromStartToControlEnd)
{
    connectHall();
    collect(QStringLiteral("signin 1-30"));
    EXPECT_EQ(session->figures().present, 30);
    EXPECT_FALSE(meetingState.signInClosed());
    endAndWait();

    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    const QList<quint32> words = bank.sentWords();
    ASSERT_GE(words.size(), 4);
    EXPECT_EQ(words[0], Commands::kControlBegin);
    EXPECT_EQ(words[1], Commands::kSignInStart);
    EXPECT_NEAR(sent[1].time - sent[0].time, LinkTiming::kSignInStartDelayMs, kPace);
    EXPECT_EQ(words[2], Commands::pollWord(1));
    EXPECT_NEAR(sent[2].time - sent[1].time, LinkTiming::kSignInCycleDelayMs, kPace);

    // After SignInEnd: 500 ms, exactly one cycle over every unit, rows, 500 ms, ControlEnd.
    const qsizetype endAt = words.indexOf(Commands::kSignInEnd);
    ASSERT_GT(endAt, 2);
    QList<quint32> closing = words.mid(endAt + 1);
    ASSERT_EQ(closing.size(), kUnits + 1);
    EXPECT_EQ(closing.takeLast(), Commands::kControlEnd);
    for (int n = 1; n <= kUnits; ++n)
        EXPECT_EQ(closing[n - 1], Commands::pollWord(n));
    EXPECT_NEAR(sent[endAt + 1].time - sent[endAt].time, LinkTiming::kClosingCycleDelayMs, kPace);
    const qint64 lastPoll = sent[endAt + kUnits].time;
    const qint64 written = timeOf(State::Writing);
    EXPECT_EQ(written, lastPoll + kPace);
    EXPECT_NEAR(sent.last().time - written, LinkTiming::kSignInControlEndDelayMs, kPace);

    EXPECT_TRUE(meetingState.signInClosed());
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from SignIn order by id", "sign").count("Signed in"), 30);
    EXPECT_EQ(column("select sign from Employees where CellNo in ('1','30','31')", "sign"),
              (QStringList{"Signed in", "Signed in", "Absent"}));
    EXPECT_EQ(column("select how from SignInTime", "how"), QStringList(30, "key"));
    EXPECT_EQ(column("select quorum from SignInRound", "quorum"), QStringList{"1"});
    EXPECT_EQ(mottagSignIn(), "30");
}

TEST_F(SignInSessionTest, SupplementaryKeepsSignedInUnitsAndAppendsASecondSet)
{
    connectHall();
    collect(QStringLiteral("signin 1-30"));
    endAndWait();
    bank.clearSent();
    collect(QStringLiteral("signin 31-35"), true);
    EXPECT_EQ(session->figures().present, 35);
    endAndWait();

    EXPECT_EQ(bank.sentWords().mid(0, 2), (QList<quint32>{Commands::kControlBegin, 0xF40104}));
    EXPECT_FALSE(bank.sentWords().contains(Commands::kSignInStart));
    const QStringList signs = column("select sign from SignIn order by id", "sign");
    ASSERT_EQ(signs.size(), 2 * kUnits);
    EXPECT_EQ(signs.mid(kUnits).count("Signed in"), 35);
    EXPECT_EQ(column("select how from SignInTime where how = 'supplementary'", "how").size(), 5);
    EXPECT_EQ(column("select kind from SignInRound order by id", "kind"),
              (QStringList{"normal", "supplementary"}));
    EXPECT_EQ(mottagSignIn(), "35");

    // A normal sign-in starts from nobody.
    ASSERT_TRUE(session->start());
    clock.advance(1500);
    EXPECT_EQ(SignInCount::countPresent(*link), 0);
}

TEST_F(SignInSessionTest, CountdownShowsOneSecondLessAndEndsOneSecondAfterZero)
{
    connectHall();
    QList<QPair<QString, qint64>> shown;
    QObject::connect(session.get(), &SignInSession::countdownChanged, [&](const QString& text) {
        shown.append({text, clock.now()});
    });
    session->setCountdown(true, 660);
    ASSERT_TRUE(session->start());
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Closing; }, 700000, 1000));
    const qint64 collecting = timeOf(State::Collecting);
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown[0], qMakePair(QStringLiteral("11:00"), collecting));
    EXPECT_EQ(shown[1], qMakePair(QStringLiteral("10:59"), collecting + 1000));
    // 00:00 is shown at 660 s, the sign-in ends at 661 s (and shows 00:00 again).
    EXPECT_EQ(shown[shown.size() - 2], qMakePair(QStringLiteral("00:00"), collecting + 660000));
    EXPECT_EQ(timeOf(State::Closing), collecting + 661000);
}

TEST_F(SignInSessionTest, CountdownOfZeroEndsAsSoonAsCollectionBegins)
{
    connectHall();
    session->setCountdown(true, 0);
    ASSERT_TRUE(session->start());
    ASSERT_TRUE(
        clock.advanceUntil([&] { return session->state() == State::Idle && !finished.isEmpty(); }, 10000));
    EXPECT_EQ(timeOf(State::Closing), timeOf(State::Collecting));
    EXPECT_EQ(column("select id from SignIn", "id").size(), kUnits);
}

TEST_F(SignInSessionTest, SilentLineStillClosesWithWhatWasKnown)
{
    connectHall();
    collect(QStringLiteral("signin 1-12"));
    hall->setSilent(true);
    endAndWait();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(column("select sign from SignIn", "sign").count("Signed in"), 12);
}

TEST_F(SignInSessionTest, ClosingCycleThatNeverEndsIsCutOffAtTheLimit)
{
    connectHall();
    collect(QStringLiteral("signin 1-10"));
    hall->setSilent(true);
    link->stop(); // the controller is lost: the closing cycle never runs
    const qint64 endedAt = clock.now();
    ASSERT_TRUE(session->end());
    const int limit = session->closingLimitMs();
    EXPECT_EQ(limit, LinkTiming::kClosingCycleDelayMs + 2 * (kUnits + 1) * kPace +
                         LinkTiming::kSignInClosingMarginMs);
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Idle; }, 60000));
    EXPECT_EQ(timeOf(State::Writing), endedAt + limit);
    EXPECT_EQ(messages, QStringList{"Controller lost"});
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from SignIn", "sign").count("Signed in"), 10);
    EXPECT_EQ(mottagSignIn(), "10");
}

TEST_F(SignInSessionTest, NoControllerAtAllStillEndsAndStores)
{
    bank.refuse(QStringLiteral("/dev/ttyS0"));
    link->start(1, 1, kUnits, 1);
    ASSERT_TRUE(clock.advanceUntil([&] { return link->searchFailed == 1; }, 5000));
    makeSession();
    collect(QStringLiteral("signin 1-5"));
    endAndWait();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from SignIn", "sign"), QStringList(kUnits, "Absent"));
    EXPECT_EQ(mottagSignIn(), "0");
}

TEST_F(SignInSessionTest, LockedOrHalfwayFailingDatabaseWritesNothingAndTheSignInStillEnds)
{
    connectHall();
    collect(QStringLiteral("signin 1-3"));
    {
        DbAccess holder;
        holder.Connect(path);
        endAndWait();
    }
    EXPECT_EQ(prompts.take().size(), 1);

    ASSERT_TRUE(DbAccess::executeOnce(path,
                                      "create trigger full before insert on SignIn when new.CellNo = '20'"
                                      " begin select raise(abort, 'disk full'); end"));
    collect(QStringLiteral("signin 1-30"));
    endAndWait();
    EXPECT_EQ(prompts.takeTexts(), QStringList{"disk full"});
    EXPECT_EQ(finished, (QList<bool>{false, false}));
    EXPECT_TRUE(column("select id from SignIn", "id").isEmpty());
    EXPECT_EQ(column("select sign from Employees where CellNo = '1'", "sign"), QStringList{""});
    EXPECT_TRUE(column("select name from sqlite_master where name like 'SignIn%'", "name") ==
                QStringList{"SignIn"});
    EXPECT_EQ(mottagSignIn(), "");
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
}

TEST_F(SignInSessionTest, ManualSignInNeedsAnEndedSignInAUnitInRangeAndAnAnswer)
{
    connectHall();
    EXPECT_FALSE(session->signInUnit(5)); // no sign-in ended yet
    collect(QStringLiteral("signin 1-30"));
    EXPECT_FALSE(session->signInUnit(31)); // not while running
    endAndWait();
    bank.clearSent();
    EXPECT_FALSE(session->signInUnit(0));
    EXPECT_FALSE(session->signInUnit(kUnits + 1));
    clock.advance(1000);
    EXPECT_TRUE(bank.sentWords().isEmpty());

    ASSERT_TRUE(hall->act(QStringLiteral("offline 36")));
    ASSERT_TRUE(session->signInUnit(36));
    clock.advance(1000);
    ASSERT_TRUE(session->signInUnit(35));
    clock.advance(1000);
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{Commands::pollWord(36), Commands::pollWord(35), 0xF30023}));
    EXPECT_EQ(session->figures().present, 31);
    EXPECT_EQ(column("select CellNo from SignInTime where how = 'manual'", "CellNo"), QStringList{"35"});
    EXPECT_EQ(mottagSignIn(), "31");
}

TEST_F(SignInSessionTest, KeyReportsWhileNoSignInRunsChangeNothing)
{
    connectHall();
    collect(QStringLiteral("signin 1-4"));
    endAndWait();
    int changes = 0;
    QObject::connect(session.get(), &SignInSession::unitChanged, [&] { ++changes; });
    for (int n = 5; n <= 9; ++n) {
        hall->unit(n).signInKey = true;
        bank.receive(FrameCodec::encode(0xF94000u | quint32(n)));
    }
    EXPECT_FALSE(session->end());
    clock.advance(5000);
    EXPECT_EQ(SignInCount::countPresent(*link), 4);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(mottagSignIn(), "4");
}
