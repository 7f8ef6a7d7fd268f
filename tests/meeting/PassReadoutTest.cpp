#include "meeting/PassReadout.h"

#include <gtest/gtest.h>

namespace {

using PassReadout::Reading;
using PassReadout::Verdict;

const QString kDue = QStringLiteral("Expected delegates");
const QString kPresent = QStringLiteral("Delegates present");
const QString kMoreThan = QStringLiteral("More than");
const QString kAtLeast = QStringLiteral("At least");

VoteCount::Rules rules()
{
    VoteCount::Rules r;
    r.dueBases = {kDue, QStringLiteral("应到人数")};
    r.presentBases = {kPresent};
    r.strictRules = {kMoreThan};
    r.passYes = QStringLiteral("Passed");
    r.passNo = QStringLiteral("Not passed");
    return r;
}

MotionRecord motion(const QString& base, const QString& rule, int threshold, const QString& unit = "2")
{
    MotionRecord m;
    m.VoteBase = base;
    m.VoteAbet = rule;
    m.VoteAbetValue = QString::number(threshold);
    m.Unit = unit;
    return m;
}

Reading read(const MotionRecord& m, int yes, int no, int abstain, int due, int present, int kind = 0)
{
    VoteCount::Counts c;
    c.keys = {yes, no, abstain, 0, 0};
    return PassReadout::read(kind, c, due, present, m, rules());
}

} // namespace

TEST(PassReadoutTest, EdgesOfTheRule)
{
    const struct
    {
        const char* name;
        MotionRecord motion;
        int yes, no, abstain, due, present;
        Reading expected;
    } cases[] = {
        // 50 % of 40 due: more than 20 needs 21, at least 20 needs 20.
        {"strict, 11 short", motion(kDue, kMoreThan, 50, "1"), 10, 5, 0, 40, 30, {Verdict::Needs, 11}},
        {"tie fails strictly", motion(kDue, kMoreThan, 50), 20, 0, 0, 40, 30, {Verdict::Needs, 1}},
        {"tie passes at least", motion(kDue, kAtLeast, 50), 20, 0, 0, 40, 30, {Verdict::Passed, 0}},
        // Only 20 present can press: 21 of 40 is out of reach from the start.
        {"due out of reach", motion(kDue, kMoreThan, 50), 0, 0, 0, 40, 20, {Verdict::CannotPass, 0}},
        {"0 at least", motion(kDue, kAtLeast, 0), 0, 0, 0, 40, 30, {Verdict::Passed, 0}},
        {"100 strictly", motion(kPresent, kMoreThan, 100), 10, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        // A base of nobody or an unknown base keeps the share at 0.00 %.
        {"base 0 strictly", motion(kDue, kMoreThan, 0), 5, 0, 0, 0, 30, {Verdict::CannotPass, 0}},
        {"unknown base", motion("Anwesende", kAtLeast, 10), 30, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        {"other table's base", motion("应到人数", kAtLeast, 50), 19, 0, 0, 40, 30, {Verdict::Needs, 1}},
        // More pressing than present: nobody is left, never a negative count.
        {"crowded hall", motion(kDue, kMoreThan, 50), 12, 12, 12, 40, 30, {Verdict::CannotPass, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.motion, c.yes, c.no, c.abstain, c.due, c.present), c.expected) << c.name;

    EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, 6), (Reading{Verdict::Needs, 11}));
    for (int kind : {1, 5, -1})
        EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, kind).verdict, Verdict::NotShown);
}
