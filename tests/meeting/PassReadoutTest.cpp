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

VoteCount::Counts counts(int yes, int no, int abstain)
{
    VoteCount::Counts c;
    c.keys = {yes, no, abstain, 0, 0};
    return c;
}

Reading read(const MotionRecord& m, int yes, int no, int abstain, int due, int present, int kind = 0)
{
    return PassReadout::read(kind, counts(yes, no, abstain), due, present, m, rules());
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
        {"present base", motion(kPresent, kMoreThan, 50), 0, 0, 0, 40, 20, {Verdict::Needs, 11}},
        {"0 at least", motion(kDue, kAtLeast, 0), 0, 0, 0, 40, 30, {Verdict::Passed, 0}},
        {"0 strictly", motion(kDue, kMoreThan, 0), 0, 0, 0, 40, 30, {Verdict::Needs, 1}},
        {"0, nobody left", motion(kDue, kMoreThan, 0), 0, 30, 0, 40, 30, {Verdict::CannotPass, 0}},
        {"100 strictly", motion(kPresent, kMoreThan, 100), 10, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        {"100 at least", motion(kPresent, kAtLeast, 100), 10, 0, 0, 40, 30, {Verdict::Needs, 20}},
        {"100, one no", motion(kPresent, kAtLeast, 100), 10, 1, 0, 40, 30, {Verdict::CannotPass, 0}},
        // A base of nobody or an unknown base keeps the share at 0.00 %.
        {"base 0 strictly", motion(kDue, kMoreThan, 0), 5, 0, 0, 0, 30, {Verdict::CannotPass, 0}},
        {"base 0 at least", motion(kDue, kAtLeast, 0), 0, 0, 0, 0, 30, {Verdict::Passed, 0}},
        {"unknown base", motion("Anwesende", kAtLeast, 10), 30, 0, 0, 40, 30, {Verdict::CannotPass, 0}},
        {"other table's base", motion("应到人数", kAtLeast, 50), 19, 0, 0, 40, 30, {Verdict::Needs, 1}},
        // More pressing than present: nobody is left, never a negative count.
        {"crowded hall", motion(kDue, kMoreThan, 50), 12, 12, 12, 40, 30, {Verdict::CannotPass, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.motion, c.yes, c.no, c.abstain, c.due, c.present), c.expected) << c.name;

    // A threshold that is no number counts 0, as in the stored result.
    MotionRecord letters = motion(kDue, kAtLeast, 50);
    letters.VoteAbetValue = QStringLiteral("half");
    EXPECT_EQ(read(letters, 0, 0, 0, 40, 30), (Reading{Verdict::Passed, 0}));
    // Counting the silent as abstaining changes the abstentions, never the yes share.
    for (const char* unit : {"1", "2", "", "9"})
        EXPECT_EQ(read(motion(kDue, kMoreThan, 50, unit), 10, 5, 3, 40, 30), (Reading{Verdict::Needs, 11}))
            << unit;
    EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, 6), (Reading{Verdict::Needs, 11}));
    for (int kind : {1, 2, 3, 4, 5, -1, 7})
        EXPECT_EQ(read(motion(kDue, kMoreThan, 50), 10, 5, 3, 40, 30, kind).verdict, Verdict::NotShown);
}

// The readout must agree with the stored result: N more yes passes, N - 1 does
// not; "passed" holds with every silent unit voting no; "cannot" fails with all yes.
TEST(PassReadoutTest, AgreesWithTheStoredResult)
{
    const VoteCount::Rules r = rules();
    int checked = 0;
    for (int due : {0, 1, 3, 7, 10})
        for (int present = 0; present <= due; ++present)
            for (int t : {0, 1, 33, 50, 66, 67, 99, 100})
                for (const QString& rule : {kMoreThan, kAtLeast})
                    for (const QString& base : {kDue, kPresent, QStringLiteral("?")})
                        for (int yes = 0; yes <= present; ++yes)
                            for (int no = 0; yes + no <= present; ++no) {
                                const MotionRecord m = motion(base, rule, t);
                                const Reading reading = read(m, yes, no, 0, due, present);
                                const int silent = present - yes - no;
                                const auto passes = [&](int y, int n) {
                                    return VoteCount::outcome(0, counts(y, n, 0), due, present, m, r).passed;
                                };
                                const std::string where =
                                    QStringLiteral("due %1 present %2 t %3 %4 %5 yes %6 no %7")
                                        .arg(due)
                                        .arg(present)
                                        .arg(t)
                                        .arg(rule, base)
                                        .arg(yes)
                                        .arg(no)
                                        .toStdString();
                                switch (reading.verdict) {
                                case Verdict::Passed:
                                    EXPECT_TRUE(passes(yes, no + silent)) << where;
                                    break;
                                case Verdict::CannotPass:
                                    EXPECT_FALSE(passes(yes + silent, no)) << where;
                                    break;
                                case Verdict::Needs:
                                    EXPECT_LE(reading.more, silent) << where;
                                    EXPECT_TRUE(passes(yes + reading.more, no)) << where;
                                    EXPECT_FALSE(passes(yes + reading.more - 1, no)) << where;
                                    break;
                                case Verdict::NotShown:
                                    ADD_FAILURE() << where;
                                }
                                ++checked;
                            }
    EXPECT_GT(checked, 10000);
}
