#include "meeting/SignInSession.h"

#include "ProcedureFixture.h"

namespace {

class SignInSessionTest : public ProcedureFixture<SignInSession>
{
protected:
    std::unique_ptr<SignInSession> makeSession() override
    {
        SignInTexts texts;
        texts.signedInMark = QStringLiteral("Signed in");
        texts.absentMark = QStringLiteral("Absent");
        texts.closingCycleLost = QStringLiteral("Controller lost");
        texts.lineLost = QStringLiteral("Line lost");
        return std::make_unique<SignInSession>(*link, clock, meetingState, texts);
    }
    void collect(const QString& action)
    {
        ASSERT_TRUE(session->start());
        ASSERT_TRUE(reach(State::Collecting, 5000));
        ASSERT_TRUE(hall->act(action));
        clock.advance(3000);
    }
};

} // namespace

TEST_F(SignInSessionTest, WireOrderAndTimingFromStartToControlEnd)
{
    connectHall();
    collect(QStringLiteral("signin 1-30"));
    EXPECT_FALSE(meetingState.signInClosed());
    endAndWait();
    expectWireWalk(Commands::kSignInStart, LinkTiming::kSignInStartDelayMs, LinkTiming::kSignInCycleDelayMs,
                   Commands::kSignInEnd, State::Writing, LinkTiming::kSignInControlEndDelayMs);
    EXPECT_TRUE(meetingState.signInClosed());
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from Employees where CellNo in ('1','30','31')", "sign"),
              (QStringList{"Signed in", "Signed in", "Absent"}));
    EXPECT_EQ(column("select how from SignInTime", "how"), QStringList(30, "key"));
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "30");
}

TEST_F(SignInSessionTest, CountdownShowsOneSecondLessAndEndsOneSecondAfterZero)
{
    connectHall();
    QStringList shown;
    QObject::connect(session.get(), &SignInSession::countdownChanged, [&](const QString& t) { shown << t; });
    session->setCountdown(true, 62);
    ASSERT_TRUE(session->start());
    ASSERT_TRUE(clock.advanceUntil([&] { return session->state() == State::Closing; }, 70000, 1000));
    EXPECT_EQ(shown.mid(0, 2), (QStringList{"01:02", "01:01"}));
    EXPECT_EQ(shown.mid(shown.size() - 2), (QStringList{"00:00", "00:00"})); // the step of zero, then the end
    EXPECT_EQ(timeOf(State::Closing) - timeOf(State::Collecting), 63000);
}

TEST_F(SignInSessionTest, ClosingCycleThatNeverEndsIsCutOffAtTheLimit)
{
    connectHall();
    ASSERT_TRUE(session->start());
    ASSERT_TRUE(reach(State::Collecting, 5000));
    expectClosingCutOff(QStringLiteral("signin 1-10"), State::Writing);
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "10");
}

TEST_F(SignInSessionTest, DatabaseFailingHalfwayWritesNothingHoldsTheSignInAndStoresItAgain)
{
    connectHall();
    const QString db = Schema::meetingDatabasePath(meeting.name);
    ASSERT_TRUE(DbAccess::executeOnce(db, "create trigger full before insert on SignIn when new.CellNo = '20'"
                                          " begin select raise(abort, 'disk full'); end"));
    QStringList held;
    QObject::connect(session.get(), &SignInSession::held, [&](const QString& reason) { held << reason; });
    collect(QStringLiteral("signin 1-30"));
    endAndWait();
    EXPECT_EQ(held, QStringList{"disk full"}); // for the page to word; no raw message of the store
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_TRUE(column("select id from SignIn", "id").isEmpty());
    EXPECT_EQ(column("select sign from Employees where CellNo = '1'", "sign"), QStringList{""});
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "");
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    // Kept in memory until the cause is gone.
    ASSERT_TRUE(session->isHeld());
    ASSERT_TRUE(DbAccess::executeOnce(db, "drop trigger full"));
    EXPECT_TRUE(session->storeAgain());
    EXPECT_FALSE(session->isHeld());
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "30");
    EXPECT_EQ(column("select count(*) as n from SignIn", "n"), QStringList{"40"});
}

TEST_F(SignInSessionTest, AMeetingCountThatCannotBeWrittenHoldsTheSignInAndIsWrittenAgainAlone)
{
    connectHall();
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      "create trigger full before update on Mottag"
                                      " begin select raise(abort, 'disk full'); end"));
    QStringList held;
    QObject::connect(session.get(), &SignInSession::held, [&](const QString& reason) { held << reason; });
    collect(QStringLiteral("signin 1-30"));
    endAndWait();
    // The attendance is written, but a vote would read the old count: the round is not stored yet.
    EXPECT_EQ(held, QStringList{"disk full"});
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "");
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "drop trigger full"));
    EXPECT_TRUE(session->storeAgain());
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "30");
    EXPECT_EQ(column("select count(*) as n from SignIn", "n"), QStringList{"40"}); // the rows once
}

TEST_F(SignInSessionTest, ASignInNoUnitAnsweredIsHeldAndNotWrittenOverTheLastAttendance)
{
    connectHall();
    collect(QStringLiteral("signin 1-30"));
    endAndWait();
    hall->setSilent(true);
    QStringList held;
    QObject::connect(session.get(), &SignInSession::held, [&](const QString& reason) { held << reason; });
    collect(QStringLiteral("signin 1-40"));
    ASSERT_TRUE(session->end());
    ASSERT_TRUE(reach(State::Idle, 60000));
    EXPECT_EQ(held, QStringList{QString()}); // no reason: the page asks
    EXPECT_EQ(finished, (QList<bool>{true, false}));
    session->discardHeld();
    EXPECT_FALSE(session->isHeld());
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "30");
    EXPECT_EQ(column("select count(*) as n from Employees where sign = 'Signed in'", "n"), QStringList{"30"});
    messages.clear(); // the closing cycle may run out on a silent line
}

TEST_F(SignInSessionTest, NoSignInStartsOnALineFoundLostWhileIdle)
{
    connectHall();
    loseLineWhileIdle();
    EXPECT_FALSE(session->start());
    EXPECT_FALSE(session->startSupplementary());
    clock.advance(5000);
    EXPECT_EQ(messages, (QStringList{"Line lost", "Line lost"}));
    EXPECT_TRUE(bank.sentWords().isEmpty());
    EXPECT_FALSE(SignInJournal::find(Schema::meetingDatabasePath(meeting.name))) << "not even its start row";
    EXPECT_EQ(session->state(), State::Idle);

    bringLineBack();
    collect(QStringLiteral("signin 1-12"));
    endAndWait();
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "12");
}

TEST_F(SignInSessionTest, SupplementarySignInKeepsTheSignedInAndAppendsItsRows)
{
    connectHall();
    collect(QStringLiteral("signin 1-10"));
    endAndWait();
    bank.clearSent();
    // Unit 3 is not heard during the supplementary round: it signed in before and stays present.
    ASSERT_TRUE(hall->act(QStringLiteral("offline 3")));
    ASSERT_TRUE(session->startSupplementary());
    ASSERT_TRUE(reach(State::Collecting, 5000));
    ASSERT_TRUE(hall->act(QStringLiteral("signin 11-12")));
    clock.advance(3000);
    endAndWait();
    EXPECT_TRUE(bank.sentWords().contains(Commands::kSupplementSignInStart));
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "12");
    EXPECT_EQ(column("select sign from Employees where CellNo = '3'", "sign"), QStringList{"Signed in"});
    EXPECT_EQ(column("select count(*) as n from SignIn", "n"), QStringList{"80"}); // two rounds of 40
    // The units heard again arrived in the first round only.
    QStringList how = QStringList(10, "key");
    how << "supplementary"
        << "supplementary";
    EXPECT_EQ(column("select how from SignInTime order by id", "how"), how);
    EXPECT_EQ(column("select count(*) as n from EventLog where kind = 'signin-unit'", "n"),
              QStringList{"12"});
}

TEST_F(SignInSessionTest, WithoutCountdownTheClockRunsAndAUnitIsSignedInByHandWhileCollecting)
{
    connectHall();
    QStringList clockShown;
    QObject::connect(session.get(), &SignInSession::countdownChanged,
                     [&](const QString& text) { clockShown << text; });
    ASSERT_TRUE(hall->act(QStringLiteral("offline 25")));
    collect(QStringLiteral("signin 1-10"));
    EXPECT_EQ(clockShown.mid(0, 3), (QStringList{"00:01", "00:02", "00:03"}));
    // Unit 20's key fails: signed in by hand while the sign-in runs, with the same query and
    // confirmation as after the end, each in a slot of the poll cycle.
    bank.clearSent();
    ASSERT_TRUE(session->signInUnit(20));
    clock.advance(LinkTiming::kSingleQueryWaitMs + 60);
    EXPECT_EQ(session->figures().present, 11);
    QList<quint32> words = bank.sentWords();
    ASSERT_EQ(words.count(0xF30014u), 1) << "ConfirmSignIn 20";
    words.removeAll(0xF30014u);
    const auto unitOf = [&](qsizetype i) { return int(words[i] & 0xFF); };
    qsizetype query = -1;
    for (qsizetype i = 1; i < words.size() && query < 0; ++i)
        if (words[i] == Commands::pollWord(20) && unitOf(i - 1) != 19)
            query = i;
    ASSERT_GT(query, 0) << "the query of unit 20 out of the cycle's turn";
    words.removeAt(query);
    for (qsizetype i = 1; i < words.size(); ++i)
        ASSERT_EQ(unitOf(i), unitOf(i - 1) % 40 + 1) << "the cycle polls on in order, at " << i;

    // A key that stays dead does not undo it; an offline unit is not signed in; other keys count.
    hall->unit(20).signInKey = false;
    bank.clearSent();
    ASSERT_TRUE(session->signInUnit(25));
    ASSERT_TRUE(hall->act(QStringLiteral("signin 11")));
    clock.advance(3000);
    EXPECT_FALSE(bank.sentWords().contains(0xF30019u));
    EXPECT_EQ(session->figures().present, 12);
    endAndWait();
    EXPECT_EQ(column("select how from SignInTime where CellNo in ('20', '25')", "how"),
              QStringList{"manual"});
    EXPECT_EQ(MeetingTestData::mottagSignIn(), "12");
}
