// The connection status at start-up without its dialog, against the simulated hall.

#include "link/ConnectionWatch.h"
#include "LinkHallFixture.h"

#include <QSignalSpy>

namespace {

using State = ConnectionWatch::State;

class ConnectionWatchTest : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        watch = std::make_unique<ConnectionWatch>(*link, clock);
    }
    void TearDown() override
    {
        watch.reset();
        LinkHallTest::TearDown();
    }
    std::unique_ptr<ConnectionWatch> watch;
};

TEST_F(ConnectionWatchTest, ProgressRunsInStepsOfTenUntilTheStartupPollEnds)
{
    QSignalSpy progress(watch.get(), &ConnectionWatch::progressChanged);
    QSignalSpy connected(watch.get(), &ConnectionWatch::connected);
    link->start(1, 2, 40, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return watch->state() == State::Polling; }, 2000, 1));
    EXPECT_EQ(connected.count(), 0) << "found is not connected: the start-up poll comes first";
    ASSERT_TRUE(clock.advanceUntil([&] { return connected.count() == 1; }, 5000, 1));

    EXPECT_FALSE(watch->isWatching());
    EXPECT_EQ(link->linkConnected, 1) << "the designed flag is left to its readers";
    QList<int> seen;
    for (const QList<QVariant>& args : progress)
        seen.append(args[0].toInt());
    // A search, 500 ms and a poll of 40 units take more than a second: the bar wraps.
    EXPECT_EQ(seen.mid(0, 11), (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 10}));
    EXPECT_EQ(seen.last(), 0);
    clock.advance(1000);
    EXPECT_EQ(watch->progress(), 0) << "the bar stops at 0";
}

TEST_F(ConnectionWatchTest, FailedSearchIsReportedAfterTheStepAndASecondSearchMayFindTheController)
{
    hall.setSilent(true);
    QSignalSpy failed(watch.get(), &ConnectionWatch::searchFailed);
    // The page answers the report with a modal dialog, which must not run inside the sequencer's step.
    qint64 failedAt = -1;
    qint64 reportedAt = -1;
    QObject::connect(link.get(), &Link::controllerNotFound, [&] { failedAt = clock.now(); });
    QObject::connect(watch.get(), &ConnectionWatch::searchFailed, [&] { reportedAt = clock.now(); });
    link->start(1, 2, 3, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return failed.count() == 1; }, 5000, 1));
    EXPECT_GT(reportedAt, failedAt);
    EXPECT_GE(failedAt, 0);
    EXPECT_FALSE(watch->isWatching());
    clock.advance(1000);
    EXPECT_EQ(failed.count(), 1) << "reported once per failed search";

    hall.setSilent(false);
    watch->searchAgain();
    EXPECT_TRUE(watch->isWatching());
    ASSERT_TRUE(clock.advanceUntil([&] { return watch->state() == State::Connected; }, 5000));
    EXPECT_EQ(link->onlineCount(), 3);
}

// Continuing without the controller is followed to the main window in FrmMainTest.

} // namespace
