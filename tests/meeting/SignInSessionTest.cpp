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
        return std::make_unique<SignInSession>(*link, clock, meetingState, texts);
    }
    // A sign-in (or supplementary one) in which the scripted units press their key.
    void collect(const QString& action, bool supplementary = false)
    {
        ASSERT_TRUE(supplementary ? session->startSupplementary() : session->start());
        ASSERT_TRUE(reach(State::Collecting, 5000));
        ASSERT_TRUE(hall->act(action));
        clock.advance(3000);
    }
    // A whole sign-in on a connected hall, from start to ControlEnd.
    void signIn(const QString& action)
    {
        collect(action);
        endAndWait();
    }
    QString mottagSignIn()
    {
        return column("select SignIn from Mottag", "SignIn", Schema::kSystemDatabase).value(0);
    }
};

} // namespace

TEST_F(SignInSessionTest, WireOrderAndTimingFromStartToControlEnd)
{
    connectHall();
    collect(QStringLiteral("signin 1-30"));
    EXPECT_EQ(session->figures().present, 30);
    EXPECT_FALSE(meetingState.signInClosed());
    endAndWait();
    expectWireWalk(Commands::kSignInStart, LinkTiming::kSignInStartDelayMs, LinkTiming::kSignInCycleDelayMs,
                   Commands::kSignInEnd, State::Writing, LinkTiming::kSignInControlEndDelayMs);

    EXPECT_TRUE(meetingState.signInClosed());
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from Employees where CellNo in ('1','30','31')", "sign"),
              (QStringList{"Signed in", "Signed in", "Absent"}));
    EXPECT_EQ(column("select sign from SignIn", "sign").count("Signed in"), 30);
    EXPECT_EQ(column("select how from SignInTime", "how"), QStringList(30, "key"));
    EXPECT_EQ(column("select quorum from SignInRound", "quorum"), QStringList{"1"});
    EXPECT_EQ(mottagSignIn(), "30");
}

TEST_F(SignInSessionTest, SupplementaryKeepsSignedInUnitsAndAppendsASecondSet)
{
    connectHall();
    signIn(QStringLiteral("signin 1-30"));
    bank.clearSent();
    collect(QStringLiteral("signin 31-35"), true);
    EXPECT_EQ(session->figures().present, 35);
    endAndWait();

    EXPECT_EQ(bank.sentWords().mid(0, 2), (QList<quint32>{Commands::kControlBegin, 0xF40104}));
    const QStringList signs = column("select sign from SignIn order by id", "sign");
    ASSERT_EQ(signs.size(), 2 * kUnits);
    EXPECT_EQ(signs.mid(kUnits).count("Signed in"), 35);
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
    EXPECT_EQ(shown[1], qMakePair(QStringLiteral("10:59"), collecting + 1000));
    // 00:00 is shown at 660 s, the sign-in ends at 661 s (and shows 00:00 again).
    EXPECT_EQ(shown[shown.size() - 2], qMakePair(QStringLiteral("00:00"), collecting + 660000));
    EXPECT_EQ(timeOf(State::Closing), collecting + 661000);
}

TEST_F(SignInSessionTest, ClosingCycleThatNeverEndsIsCutOffAtTheLimit)
{
    connectHall();
    ASSERT_TRUE(session->start());
    ASSERT_TRUE(reach(State::Collecting, 5000));
    expectClosingCutOff(QStringLiteral("signin 1-10"), LinkTiming::kClosingMarginMs, State::Writing);
    EXPECT_EQ(mottagSignIn(), "10");
}

TEST_F(SignInSessionTest, NoControllerAtAllStillEndsAndStores)
{
    connectHall(false);
    signIn(QStringLiteral("signin 1-5"));
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(column("select sign from SignIn", "sign"), QStringList(kUnits, "Absent"));
    EXPECT_EQ(mottagSignIn(), "0");
}

TEST_F(SignInSessionTest, DatabaseFailingHalfwayWritesNothingAndTheSignInStillEnds)
{
    connectHall();
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath(meeting.MeeName),
                                      "create trigger full before insert on SignIn when new.CellNo = '20'"
                                      " begin select raise(abort, 'disk full'); end"));
    signIn(QStringLiteral("signin 1-30"));
    EXPECT_EQ(prompts.takeTexts(), QStringList{"disk full"});
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_TRUE(column("select id from SignIn", "id").isEmpty());
    EXPECT_EQ(column("select sign from Employees where CellNo = '1'", "sign"), QStringList{""});
    EXPECT_EQ(mottagSignIn(), "");
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
}

TEST_F(SignInSessionTest, ManualSignInNeedsAnEndedSignInAUnitInRangeAndAnAnswer)
{
    connectHall();
    EXPECT_FALSE(session->signInUnit(5)); // no sign-in ended yet
    signIn(QStringLiteral("signin 1-30"));
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
    EXPECT_EQ(column("select CellNo from SignInTime where how = 'manual'", "CellNo"), QStringList{"35"});
    EXPECT_EQ(mottagSignIn(), "31");
}

TEST_F(SignInSessionTest, KeyReportsWhileNoSignInRunsChangeNothing)
{
    connectHall();
    signIn(QStringLiteral("signin 1-4"));
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
