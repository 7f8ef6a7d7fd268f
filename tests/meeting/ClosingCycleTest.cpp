// The close and the countdown that the sign-in and the vote share, on a link
// to a simulated hall of five units, in virtual time.

#include "meeting/ClosingCycle.h"
#include "meeting/Countdown.h"

#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/ConsoleTest.h"
#include "support/SimulatedHall.h"

#include <QSignalSpy>

namespace {

using Closed = QList<QPair<bool, qint64>>;

class ClosingCycleTest : public ConsoleTest
{
protected:
    static constexpr int kPace = LinkTiming::kFastPaceMs;

    // The link takes the virtual clock at construction, so it is made after the base installed it.
    void SetUp() override
    {
        ConsoleTest::SetUp();
        link = std::make_unique<Link>(bank.factory());
        closing = std::make_unique<ClosingCycle>(*link, clock, &Link::voteCycleFinished,
                                                 Commands::controlEnd(LinkMode::VoteEnd), 700);
        QObject::connect(closing.get(), &ClosingCycle::closed, [&](bool inTime) {
            closed.append({inTime, clock.now()});
        });
        link->start(1, 1, 5, 1);
        ASSERT_TRUE(
            clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); }, 20000));
        bank.clearSent();
    }
    void TearDown() override
    {
        closing.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    MemoryPortBank bank;
    SimulatedHall hall{bank, 5, 1};
    std::unique_ptr<Link> link;
    std::unique_ptr<ClosingCycle> closing;
    Closed closed;
};

} // namespace

TEST_F(ClosingCycleTest, ClosesOnceOnItsOwnCycleThenSendsControlEndAfterTheDelay)
{
    closing->close(Commands::voteEnd());
    emit link->signInCycleFinished(); // another procedure's cycle
    ASSERT_TRUE(clock.advanceUntil([&] { return !closed.isEmpty(); }, closing->limitMs()));
    EXPECT_EQ(bank.sentWords().first(), Commands::kVoteEnd);
    EXPECT_EQ(closed, (Closed{{true, bank.sent().last().time + kPace}})) << "the step after the last poll";
    emit link->voteCycleFinished(); // a late or second end is none of this close's
    EXPECT_EQ(closed.size(), 1);

    QSignalSpy controlEnded(closing.get(), &ClosingCycle::controlEnded);
    closing->endControl();
    clock.advance(699);
    EXPECT_EQ(controlEnded.count(), 0);
    clock.advance(1 + 2 * kPace);
    EXPECT_EQ(controlEnded.count(), 1);
    EXPECT_EQ(bank.sentWords().last(), Commands::kControlEnd);
    EXPECT_EQ(link->operatingMode(), LinkMode::VoteEnd);
}

TEST_F(ClosingCycleTest, ALimitThatPassesFirstClosesOnceAndFollowsThePace)
{
    EXPECT_EQ(closing->limitMs(), LinkTiming::closingLimitMs(5, kPace));
    link->setSequencerPace(true);
    EXPECT_EQ(closing->limitMs(), LinkTiming::kClosingCycleDelayMs + 2 * 6 * LinkTiming::kSlowPaceMs +
                                      LinkTiming::kClosingMarginMs);
    link->setSequencerPace(false);
    link->stop(); // the controller is gone: the closing cycle never runs
    const qint64 start = clock.now();
    closing->close(Commands::voteEnd());
    clock.advance(closing->limitMs() + 5000);
    emit link->voteCycleFinished();
    EXPECT_EQ(closed, (Closed{{false, start + closing->limitMs()}}));
    EXPECT_FALSE(closing->isWaiting());
}

TEST(Countdown, StepsASecondLessAndRunsOutOnZeroOrAStepLaterUnlessStopped)
{
    // {runs out, seconds, stop after ms, steps seen, ran out at}
    struct Case
    {
        Countdown::RunsOut runsOut;
        int seconds;
        qint64 stopAt;
        QList<int> steps;
        qint64 ranOutAt;
    };
    const Case cases[] = {{Countdown::RunsOut::OnZero, 3, 0, {2, 1, 0}, 3000},
                          {Countdown::RunsOut::StepAfterZero, 3, 0, {2, 1, 0}, 4000},
                          {Countdown::RunsOut::OnZero, 0, 0, {0}, 1000},
                          {Countdown::RunsOut::OnZero, 60, 2500, {59, 58}, -1}};
    for (const Case& c : cases) {
        VirtualTimerService clock;
        Countdown countdown(clock, 1000, c.runsOut);
        QList<int> steps;
        qint64 ranOutAt = -1;
        QObject::connect(&countdown, &Countdown::stepped, [&](int left) {
            EXPECT_EQ(clock.now() % 1000, 0);
            steps.append(left);
        });
        QObject::connect(&countdown, &Countdown::ranOut, [&] { ranOutAt = clock.now(); });
        countdown.set(c.seconds);
        countdown.start();
        if (c.stopAt > 0) {
            clock.advance(c.stopAt);
            countdown.stop();
        }
        clock.advance(10000);
        EXPECT_EQ(steps, c.steps) << c.seconds;
        EXPECT_EQ(ranOutAt, c.ranOutAt) << c.seconds;
        EXPECT_EQ(countdown.left(), 0);
        EXPECT_FALSE(countdown.isRunning());
    }
}
