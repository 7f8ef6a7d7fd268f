#include "meeting/PassReadout.h"

#include <gtest/gtest.h>

namespace {

using PassReadout::Reading;
using PassReadout::Verdict;

constexpr VoteBase kDue = VoteBase::Due;
constexpr VoteBase kPresent = VoteBase::Present;
constexpr bool kMoreThan = true;
constexpr bool kAtLeast = false;

Motion motion(VoteBase base, bool strict, int threshold, bool unpressedAbstains = false)
{
    Motion m;
    m.base = base;
    m.strictRule = strict;
    m.threshold = threshold;
    m.unpressedAbstains = unpressedAbstains;
    return m;
}

Reading read(const Motion& m, int yes, int no, int abstain, int due, int present, int kind = 0)
{
    VoteCount::Counts c;
    c.keys = {yes, no, abstain, 0, 0};
    return PassReadout::read(kind, c, due, present, m);
}

} // namespace

TEST(PassReadoutTest, EdgesOfTheRule)
{
    const struct
    {
        const char* name;
        Motion motion;
        int yes, no, abstain, due, present;
        Reading expected;
    } cases[] = {
        // 50 % of 40 due: more than 20 needs 21, at least 20 needs 20.
        {"strict, 11 short", motion(kDue, kMoreThan, 50, true), 10, 5, 0, 40, 30, {Verdict::Needs, 11}},
        {"tie fails strictly", motion(kDue, kMoreThan, 50), 20, 0, 0, 40, 30, {Verdict::Needs, 1}},
        {"tie passes at least", motion(kDue, kAtLeast, 50), 20, 0, 0, 40, 30, {Verdict::Passed, 0}},
        // Only 20 present can press: 21 of 40 is out of reach from the start.
        {"due out of reach", motion(kDue, kMoreThan, 50), 0, 0, 0, 40, 20, {Verdict::CannotPass, 0}},
        {"0 at least", motion(kDue, kAtLeast, 0), 0, 0, 0, 40, 30, {Verdict::Passed, 0}},
        {"100 strictly", motion(kPresent, kMoreThan, 100), 10, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        // A base of nobody or an unknown base keeps the share at 0.00 %.
        {"base 0 strictly", motion(kDue, kMoreThan, 0), 5, 0, 0, 0, 30, {Verdict::CannotPass, 0}},
        {"unknown base", motion(VoteBase::Unknown, kAtLeast, 10), 30, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        {"at least short by one", motion(kDue, kAtLeast, 50), 19, 0, 0, 40, 30, {Verdict::Needs, 1}},
        // More pressing than present: nobody is left, never a negative count.
        {"crowded hall", motion(kDue, kMoreThan, 50), 12, 12, 12, 40, 30, {Verdict::CannotPass, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.motion, c.yes, c.no, c.abstain, c.due, c.present), c.expected) << c.name;

    EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, 6), (Reading{Verdict::Needs, 11}));
    for (int kind : {1, 5, -1})
        EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, kind).verdict, Verdict::NotShown);
}
