// The line check without its window, against the simulated hall, in virtual time.

#include "link/LineCheckProcedure.h"
#include "LinkHallFixture.h"

#include <QSignalSpy>

namespace {

using State = LineCheckProcedure::State;

class LineCheck : public LinkHallTest
{
protected:
    QList<State> states(const QSignalSpy& spy)
    {
        QList<State> out;
        for (const QList<QVariant>& args : spy)
            out.append(args[0].value<State>());
        return out;
    }
};

TEST_F(LineCheck, ThePollRequestNeverReplacesAControlBeginNotYetSent)
{
    link->unitCount = 4; // the sequencer is not running: nothing leaves the mailbox
    LineCheckProcedure check(*link, clock);
    ASSERT_TRUE(check.start());
    clock.advance(3 * LinkTiming::kLineCheckCycleDelayMs);
    EXPECT_EQ(link->pendingCommand, Commands::kControlBegin);
}

TEST_F(LineCheck, FramesOnePollPerUnitAtTheSlowPaceAndCountsTheAnswersAsTheyCome)
{
    hall.setAnswering({{1, 0x80}, {2, 0x80}, {5, 0x00}, {30, 0xA0}, {31, 0x80}});
    ASSERT_TRUE(connectLink(31));
    hall.unit(2).present = false; // answered at start-up, silent now
    LineCheckProcedure check(*link, clock);
    QSignalSpy stateSpy(&check, &LineCheckProcedure::stateChanged);
    QSignalSpy finished(&check, &LineCheckProcedure::finished);
    QSignalSpy progress(&check, &LineCheckProcedure::progressChanged);

    ASSERT_TRUE(check.start());
    EXPECT_FALSE(check.start()) << "one check at a time";
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs);
    EXPECT_FALSE(check.isOnline(2)) << "every online flag is cleared when a check starts";
    ASSERT_TRUE(clock.advanceUntil([&] { return check.onlineCount() == 2; }, 10000, 50));
    EXPECT_EQ(check.state(), State::Polling) << "units show before the cycle ends";
    ASSERT_TRUE(clock.advanceUntil([&] { return finished.count() == 1; }, 60000, 50));

    QList<quint32> expected{Commands::kControlBegin};
    for (int unit = 1; unit <= 31; ++unit)
        expected.append(Commands::pollWord(unit));
    expected.append(Commands::kControlEnd);
    EXPECT_EQ(bank.sentWords(), expected);
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    for (int i = 1; i <= 31; ++i)
        EXPECT_EQ(sent[i].time - sent[i - 1].time, LinkTiming::kSlowPaceMs) << i;
    // ControlEnd follows the step that ended the cycle by the closing delay, at the next step.
    const qint64 afterLastPoll = sent[32].time - sent[31].time - LinkTiming::kSlowPaceMs;
    EXPECT_GE(afterLastPoll, LinkTiming::kLineCheckControlEndDelayMs);
    EXPECT_LE(afterLastPoll, LinkTiming::kLineCheckControlEndDelayMs + LinkTiming::kSlowPaceMs);

    EXPECT_EQ(states(stateSpy), (QList<State>{State::Arming, State::Polling, State::Closing, State::Idle}));
    EXPECT_EQ(check.onlineCount(), 4);
    EXPECT_EQ(check.offlineCount(), 27);
    EXPECT_TRUE(check.isOnline(31));
    EXPECT_FALSE(check.isOnline(2));
    EXPECT_EQ(link->sequencerInterval(), LinkTiming::kSlowPaceMs) << "slow until the operator leaves";
    EXPECT_EQ(link->linePollDone, 1) << "the designed flag stays raised for its other readers";
    QList<int> seen;
    for (const QList<QVariant>& args : progress)
        seen.append(args[0].toInt());
    // 10..90, back to 0, and so on; 0 once more when the cycle ends.
    ASSERT_GE(seen.size(), 12);
    EXPECT_EQ(seen.mid(0, 11), (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 10}));
    EXPECT_EQ(seen.last(), 0);
}

TEST_F(LineCheck, WithoutUnitsTheCheckStillFramesTheLine)
{
    hall.setAnswering({{1, 0x80}}); // the controller answers the search through unit 1
    ASSERT_TRUE(connectLink(0));
    LineCheckProcedure check(*link, clock);
    QSignalSpy finished(&check, &LineCheckProcedure::finished);
    check.start();
    ASSERT_TRUE(clock.advanceUntil([&] { return finished.count() == 1; }, 10000, 50));
    EXPECT_EQ(bank.sentWords(), (QList<quint32>{Commands::kControlBegin, Commands::kControlEnd}));
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

TEST_F(LineCheck, OnlyTheCycleItAskedForEndsTheCheck)
{
    ASSERT_TRUE(connectLink(3));
    LineCheckProcedure check(*link, clock);
    QSignalSpy finished(&check, &LineCheckProcedure::finished);
    check.start();
    // A cycle someone else asked for ends while ControlBegin is on its way.
    emit link->lineCycleFinished();
    EXPECT_EQ(check.state(), State::Arming);
    ASSERT_TRUE(clock.advanceUntil([&] { return finished.count() == 1; }, 20000, 50));
    EXPECT_EQ(bank.sentWords(),
              (QList<quint32>{Commands::kControlBegin, 0xFA0001, 0xFA0002, 0xFA0003, Commands::kControlEnd}));
    EXPECT_EQ(check.onlineCount(), 3);
}

} // namespace
