// The link keeps its pace while the web view serves a crowd: 200 viewers on
// loopback follow a vote in real time. Real time on purpose: the question is
// whether serving them delays the sequencer's timer on the program's thread.
//
// Always checked: no step is lost, the median spacing holds 30 ms ± 3 % and the
// model's calls (all the web view asks of the program's thread) return within
// that tolerance. Single intervals are judged against the same machine without
// viewers: on a loaded machine the system's scheduler moves single wake-ups by
// more than 3 % whether or not anyone is watching, so when the quiet run itself
// misses the tolerance the share is only printed.

#include "link/LinkTiming.h"
#include "support/SimulatorProcess.h"
#include "web/HallState.h"
#include "web/PolledVote.h"
#include "web/WebCrowd.h"
#include "web/WebServer.h"

#include <gtest/gtest.h>

namespace {

// An unoptimised or sanitised build runs the model's code several times slower than
// the program ships; its calls are judged against that, the pace itself is not.
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr double kBuildSlowdown = 4;
#else
constexpr double kBuildSlowdown = 1;
#endif

} // namespace

TEST(PollSpacingTest, PollsKeepTheirPaceWhileTwoHundredViewersFollowTheVote)
{
    constexpr int kViewers = 200;
    constexpr int kRunMs = 2500;
    constexpr int kStepMs = 100;
    constexpr double kTolerance = 0.03;
    const double designed = LinkTiming::kFastPaceMs;
    PolledVote vote(40);
    ASSERT_TRUE(vote.start(20000));
    vote.run(1500, kStepMs, nullptr);
    const double quietShare = shareWithin(vote.pollSpacingMs(), designed, kTolerance);

    HallState state;
    WebServer server(state);
    QString error;
    const QUrl live = WebCrowd::serve(server, &error);
    ASSERT_FALSE(live.isEmpty()) << error.toStdString();
    WebCrowd crowd;
    ASSERT_TRUE(crowd.open(live, kViewers, 25, 10000)) << crowd.connected() << " connected";
    ASSERT_TRUE(runEventsUntil([&] { return server.clientCount() == kViewers; }, 5000));

    vote.clearSpacing();
    const qint64 before = crowd.messages();
    const size_t stepsBefore = vote.stepTimesNs().size();
    vote.run(kRunMs, kStepMs, &state);
    const std::vector<double> spacing = vote.pollSpacingMs();
    // Every viewer got every change: a heading and a count per step.
    const qint64 expected = qint64(kViewers) * 2 * qint64(vote.stepTimesNs().size() - stepsBefore);
    EXPECT_TRUE(runEventsUntil([&] { return crowd.messages() - before >= expected; }, 5000))
        << crowd.messages() - before << " of " << expected << " changes delivered";
    EXPECT_EQ(server.clientCount(), kViewers);

    const std::vector<double>& calls = vote.callTimesMs();
    const double share = shareWithin(spacing, designed, kTolerance);
    std::printf("poll spacing: %zu polls, median %.2f ms, p1 %.2f, p99 %.2f, max %.2f; %.1f %% within ±3 %% "
                "(%.1f %% without viewers)\n"
                "model calls on the program's thread: median %.3f ms, p90 %.3f, max %.3f\n",
                spacing.size(), percentile(spacing, 0.5), percentile(spacing, 0.01),
                percentile(spacing, 0.99), percentile(spacing, 1.0), 100 * share, 100 * quietShare,
                percentile(calls, 0.5), percentile(calls, 0.9), percentile(calls, 1.0));
    // No step lost: a poll for every 30 ms but the cycle's turns (one step in 41).
    EXPECT_GE(double(spacing.size()), kRunMs / designed * 40 / 41 * 0.95);
    EXPECT_NEAR(percentile(spacing, 0.5), designed, designed * kTolerance);
    EXPECT_LT(percentile(calls, 0.9), designed * kTolerance * kBuildSlowdown);
    // A machine that keeps the pace alone keeps it for nearly all polls with the viewers too.
    if (quietShare >= 0.9)
        EXPECT_GE(share, 0.6);
    else
        std::printf("this machine misses 30 ms ± 3 %% without viewers: single intervals not judged\n");
}
