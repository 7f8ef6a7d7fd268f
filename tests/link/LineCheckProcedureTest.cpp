// The line check without its window, against the simulated hall, in virtual time.

#include "link/LineCheckProcedure.h"
#include "LinkHallFixture.h"

#include <QSignalSpy>

namespace {

using State = LineCheckProcedure::State;
using LineCheck = LinkHallTest;

TEST_F(LineCheck, ThePollRequestNeverReplacesAControlBeginNotYetSent)
{
    link->setUnitCount(4); // the sequencer is not running: nothing leaves the mailbox
    LineCheckProcedure check(*link, clock);
    ASSERT_TRUE(check.start());
    clock.advance(3 * LinkTiming::kLineCheckCycleDelayMs);
    EXPECT_EQ(link->pendingCommand(), Commands::kControlBegin);
}

TEST_F(LineCheck, FramesOnePollPerUnitAtTheSlowPaceAndEndsOnlyOnItsOwnCycle)
{
    hall.setAnswering({{1, 0x80}, {2, 0x80}, {5, 0x00}, {30, 0xA0}, {31, 0x80}});
    ASSERT_TRUE(connectLink(31));
    hall.unit(2).present = false; // answered at start-up, silent now
    LineCheckProcedure check(*link, clock);
    QSignalSpy stateSpy(&check, &LineCheckProcedure::stateChanged);
    QSignalSpy finished(&check, &LineCheckProcedure::finished);
    ASSERT_TRUE(check.start());
    EXPECT_FALSE(check.start()) << "one check at a time";
    EXPECT_FALSE(check.isOnline(2)) << "every online flag is cleared when a check starts";
    emit link->lineCycleFinished(); // someone else's cycle, while ControlBegin is on its way
    EXPECT_EQ(check.state(), State::Arming);
    ASSERT_TRUE(clock.advanceUntil([&] { return finished.count() == 1; }, 60000, 50));

    QList<quint32> expected{Commands::kControlBegin};
    for (int unit = 1; unit <= 31; ++unit)
        expected.append(Commands::pollWord(unit));
    expected.append(Commands::kControlEnd);
    EXPECT_EQ(bank.sentWords(), expected);
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    for (int i = 1; i <= 31; ++i)
        EXPECT_EQ(sent[i].time - sent[i - 1].time, LinkTiming::kSlowPaceMs) << i;
    const qint64 afterLastPoll = sent[32].time - sent[31].time - LinkTiming::kSlowPaceMs;
    EXPECT_GE(afterLastPoll, LinkTiming::kLineCheckControlEndDelayMs);
    EXPECT_LE(afterLastPoll, LinkTiming::kLineCheckControlEndDelayMs + LinkTiming::kSlowPaceMs);
    QList<State> states;
    for (const QList<QVariant>& args : stateSpy)
        states.append(args[0].value<State>());
    EXPECT_EQ(states, (QList<State>{State::Arming, State::Polling, State::Closing, State::Idle}));
    EXPECT_EQ(check.onlineCount(), 4);
    EXPECT_EQ(check.offlineCount(), 27);
    EXPECT_FALSE(check.isOnline(2));
}

TEST_F(LineCheck, LeavingStopsTheCheckButNotTheCycleItAskedFor)
{
    ASSERT_TRUE(connectLink(3));
    LineCheckProcedure check(*link, clock);
    QSignalSpy finished(&check, &LineCheckProcedure::finished);
    check.start();
    clock.advance(1200);
    ASSERT_EQ(check.state(), State::Polling);
    check.leave();
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kFastPaceMs);
    bank.clearSent();
    clock.advance(5000);
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{0xFA0002, 0xFA0003})) << "no ControlEnd after leaving";
    EXPECT_EQ(finished.count(), 0);
}

} // namespace
