// The answer-driven pace in virtual time: a poll's answer brings the next
// frame forward to the guard after it, a silent unit costs the designed step,
// and nothing else changes.

#include "LinkHallFixture.h"

namespace {

using LinkTiming::kAnswerGuardMs;
using LinkTiming::kFastPaceMs;

class LinkPace : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        ASSERT_TRUE(connectLink(kUnits));
        link->setAnswerDrivenPace(true);
    }
    // One sign-in poll cycle over every unit: the gaps between its frames.
    QList<qint64> cycleGaps()
    {
        bank.clearSent();
        link->request(LinkMode::SignInPoll);
        EXPECT_TRUE(
            clock.advanceUntil([&] { return bank.sentWords().count(Commands::pollWord(kUnits)) == 1; },
                               kUnits * kFastPaceMs + 1000, 1));
        link->request(LinkMode::Idle);
        const QList<MemoryPortBank::Sent>& sent = bank.sent();
        QList<qint64> gaps;
        for (qsizetype i = 1; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i].word, Commands::pollWord(int(i + 1))) << "polls in unit order";
            gaps.append(sent[i].time - sent[i - 1].time);
        }
        return gaps;
    }
    QMap<int, quint8> answering(const QList<int>& silent) const
    {
        QMap<int, quint8> units;
        for (int n = 1; n <= kUnits; ++n)
            if (!silent.contains(n))
                units.insert(n, Commands::kKeyMicFree);
        return units;
    }

    static constexpr int kUnits = 249;
};

TEST_F(LinkPace, AnsweredPollsFollowTheirAnswersAndSilentUnitsCostTheDesignedStep)
{
    const QList<int> silent{20, 21, 22, 23, 24, 100, 101, 102, 200, 249};
    hall.setAnswering(answering(silent));
    const QList<qint64> gaps = cycleGaps();
    ASSERT_EQ(gaps.size(), kUnits - 1);
    for (int i = 0; i < gaps.size(); ++i) {
        const int unit = i + 1; // the gap after this unit's poll
        const qint64 expected =
            silent.contains(unit) ? kFastPaceMs : MemoryPortBank::kAnswerDelayMs + kAnswerGuardMs;
        EXPECT_EQ(gaps[i], expected) << "after unit " << unit;
    }
    qint64 cycle = 0;
    for (qint64 gap : gaps)
        cycle += gap;
    EXPECT_LT(cycle, 3000) << "a cycle over 249 units";
}

TEST_F(LinkPace, LateAnswersAreWaitedForUntilTheStepAndNeverCutTheNextShort)
{
    hall.setAnswering(answering({}));
    bank.setAnswerDelay(20);
    for (qint64 gap : cycleGaps().mid(0, 5))
        EXPECT_EQ(gap, 20 + kAnswerGuardMs);
    // Answers later than the step: the next poll goes at the step, and the
    // previous unit's late answer does not hurry the one after it.
    bank.setAnswerDelay(kFastPaceMs + 5);
    for (qint64 gap : cycleGaps().mid(0, 5))
        EXPECT_EQ(gap, kFastPaceMs);
}

TEST_F(LinkPace, WordsThatAreNotPollsKeepTheDesignedStepAndTheDesignedPaceStaysTheDefault)
{
    hall.setAnswering(answering({}));
    bank.clearSent();
    link->request(Commands::signInStart());
    clock.advance(kFastPaceMs);
    link->request(LinkMode::SignInPoll);
    clock.advance(3 * kFastPaceMs);
    const QList<MemoryPortBank::Sent>& sent = bank.sent();
    ASSERT_GE(sent.size(), 3);
    EXPECT_EQ(sent[0].word, Commands::kSignInStart);
    EXPECT_EQ(sent[1].time - sent[0].time, kFastPaceMs);

    link->setAnswerDrivenPace(false);
    for (qint64 gap : cycleGaps().mid(0, 10))
        EXPECT_EQ(gap, kFastPaceMs);
}

} // namespace

// The wire tests work out their expectations from these constants, so a changed
// pace would pass them: the designed values are pinned here, once.
TEST(LinkTiming, TheDesignedPacesAndDelays)
{
    using namespace LinkTiming;
    const std::pair<int, int> pinned[] = {
        {kFastPaceMs, 30},
        {kSlowPaceMs, 500},
        {kSearchEveryTicks, 3},
        {kStartupPollDelayMs, 500},
        {kStartupControlEndDelayMs, 500},
        {kClosingCycleDelayMs, 500},
        {kLineCheckCycleDelayMs, 500},
        {kLineCheckControlEndDelayMs, 1000},
        {kLineCheckProgressMs, 500},
        {kSignInStartDelayMs, 1000},
        {kSignInCycleDelayMs, 2000},
        {kSignInControlEndDelayMs, 500},
        {kSignInRefreshMs, 1000},
        {kSignInCountdownStepMs, 1000},
        {kVoteStartDelayMs, 1000},
        {kVoteCycleDelayMs, 1000},
        {kVoteCountRefreshMs, 500},
        {kVoteControlEndDelayMs, 500},
        {kVoteCountdownStepMs, 1000},
    };
    for (std::size_t i = 0; i < std::size(pinned); ++i)
        EXPECT_EQ(pinned[i].first, pinned[i].second) << "constant " << i << " of the list";
}
