// The connection status at start-up without its dialog, against the simulated hall.

#include "link/ConnectionWatch.h"
#include "LinkHallFixture.h"

#include <QSignalSpy>

namespace {

using ConnectionWatchTest = LinkHallTest;

TEST_F(ConnectionWatchTest, FailedSearchIsReportedAfterTheStepAndASecondSearchMayFindTheController)
{
    ConnectionWatch watch(*link, clock);
    hall.setSilent(true);
    QSignalSpy failed(&watch, &ConnectionWatch::searchFailed);
    // The page answers the report with a modal dialog, which must not run inside the sequencer's step.
    qint64 failedAt = -1;
    qint64 reportedAt = -1;
    QObject::connect(link.get(), &Link::controllerNotFound, [&] { failedAt = clock.now(); });
    QObject::connect(&watch, &ConnectionWatch::searchFailed, [&] { reportedAt = clock.now(); });
    link->start(1, 2, 3, 0);
    ASSERT_TRUE(clock.advanceUntil([&] { return failed.count() == 1; }, 5000, 1));
    EXPECT_GT(reportedAt, failedAt);
    EXPECT_GE(failedAt, 0);
    clock.advance(1000);
    EXPECT_EQ(failed.count(), 1) << "reported once per failed search";

    hall.setSilent(false);
    watch.searchAgain();
    ASSERT_TRUE(clock.advanceUntil([&] { return watch.state() == ConnectionWatch::State::Connected; }, 5000));
    EXPECT_EQ(link->onlineCount(), 3);
}

} // namespace
