#include "meeting/VoteCount.h"

#include <gtest/gtest.h>
#include <vector>

using namespace VoteCount;

namespace {

Rules rules()
{
    return {"Passed", "Not passed"};
}

Counts counts(int c1, int c2, int c3, int c4 = 0, int c5 = 0)
{
    Counts c;
    c.keys = {c1, c2, c3, c4, c5};
    return c;
}

constexpr bool kAbstain = true;
constexpr bool kApart = false;
constexpr bool kMoreThan = true;
constexpr bool kAtLeast = false;

Motion motion(bool unpressedAbstains, VoteBase base, bool strict, int threshold, const char* extra = "")
{
    Motion m;
    m.unpressedAbstains = unpressedAbstains;
    m.base = base;
    m.strictRule = strict;
    m.threshold = threshold;
    m.passWording = extra;
    return m;
}

struct FullFormCase
{
    const char* name;
    int kind;
    Counts counts;
    int due;
    int present;
    Motion motion;
    const char* result;
};

} // namespace

TEST(VoteResult, FullFormOfMotionsAndEvaluations)
{
    const VoteBase present = VoteBase::Present;
    const FullFormCase cases[] = {
        {"unpressed abstain", 0, counts(4, 3, 1), 10, 10, motion(kAbstain, present, kMoreThan, 50),
         "1:10:10:4:3:3:2:40.00%:30.00%:30.00%:Not passed:"},
        {"unpressed apart", 0, counts(4, 3, 1), 10, 10, motion(kApart, present, kMoreThan, 50),
         "2:10:10:4:3:1:2:40.00%:30.00%:10.00%:Not passed:"},
        // Never a negative count, whatever the figures of an earlier sign-in say.
        {"more units pressed than present", 0, counts(4, 3, 1), 10, 6,
         motion(kAbstain, present, kMoreThan, 50), "1:10:6:4:3:1:0:66.67%:50.00%:16.67%:Passed:"},
        {"tie, more than", 0, counts(20, 0, 0), 40, 40, motion(kApart, VoteBase::Due, kMoreThan, 50),
         "2:40:40:20:0:0:20:50.00%:0.00%:0.00%:Not passed:"},
        {"tie, at least", 0, counts(20, 0, 0), 40, 40, motion(kApart, VoteBase::Due, kAtLeast, 50),
         "2:40:40:20:0:0:20:50.00%:0.00%:0.00%:Passed:"},
        {"due base, pass wording", 0, counts(18, 7, 2), 40, 30,
         motion(kAbstain, VoteBase::Due, kMoreThan, 50, "Motion 3: "),
         "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Motion 3: Not passed:"},
        // Unknown base: no percentages and no unpressed added to the abstain count.
        {"unmatched base", 0, counts(4, 3, 1), 10, 10, motion(kAbstain, VoteBase::Unknown, kMoreThan, 50),
         "1:10:10:4:3:1:2:0.00%:0.00%:0.00%:Not passed:"},
        {"evaluation", 6, counts(20, 5, 3), 40, 30, motion(kApart, present, kAtLeast, 0),
         "2:40:30:20:5:3:2:66.67%:16.67%:10.00%:Passed:"},
    };
    for (const FullFormCase& c : cases)
        EXPECT_EQ(outcome(c.kind, c.counts, c.due, c.present, c.motion, rules()).result, c.result) << c.name;
}

TEST(VoteResult, ElectionsAndScoring)
{
    Motion scored;
    scored.points = {10, 8, 6, 4, 2};
    Motion short_;
    short_.points = {10, 0, 6}; // missing points count 0
    const struct
    {
        int kind;
        Counts counts;
        const Motion& motion;
        const char* result;
    } cases[] = {
        {1, counts(3, 2, 1, 4, 5), scored, "3:2:1:"}, {3, counts(3, 2, 1, 4, 5), scored, "3:2:1:4:5:"},
        {5, counts(1, 1, 0, 0, 0), scored, "9.00:"},  {5, counts(0, 0, 0, 0, 0), scored, "0.00:"},
        {5, counts(1, 2, 0, 0, 0), short_, "3.33:"},  {7, counts(1, 0, 0, 0, 0), scored, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outcome(c.kind, c.counts, 10, 10, c.motion, rules()).result, c.result) << c.kind;
}

TEST(VoteResult, TheMostVotedAreElectedUpToTheNumberToElectAndATieAtTheLastSeatTakesNone)
{
    struct Case
    {
        int kind;
        const char* result;
        int seats;
        std::vector<int> elected; // not QList: Qt's == on two empty lists hands memcmp a null pointer
    };
    const Case cases[] = {
        {3, "3:9:1:4:5:", 1, {1}},
        {3, "3:9:1:4:5:", 2, {1, 4}},
        {3, "3:9:1:4:5:", 3, {1, 3, 4}},
        {4, "4:4:1:0:0:", 2, {0, 1}}, // tied, but both fit
        {4, "4:2:2:0:0:", 2, {0}},    // tied for the second seat: neither
        {4, "4:2:2:0:0:", 3, {0, 1, 2}},
        {3, "4:4:1:0:0:", 1, {}},
        {3, "5:0:3:0:0:", 3, {0, 2}}, // no vote, no seat
        {1, "1:2:3:", 5, {0, 1, 2}},
        {2, "1:2:0:9:", 1, {1}}, // a three-way election has no fourth candidate
        {3, "0:0:0:0:0:", 1, {}},
        {0, "1:40:30:18:", 1, {}},
        {3, "3:9:1:4:5:", 0, {}},
    };
    for (const Case& c : cases) {
        const QList<int> elected = VoteCount::elected(c.kind, c.result, c.seats);
        EXPECT_EQ(std::vector<int>(elected.begin(), elected.end()), c.elected) << c.result << " " << c.seats;
    }
    const QStringList five{"Ana", "Bo", "Chen", "Dee", "Eve"};
    EXPECT_EQ(VoteCount::markElected(3, five, "3:9:1:4:5:", 2, "elected"),
              (QStringList{"Ana", "Bo (elected)", "Chen", "Dee", "Eve (elected)"}));
    EXPECT_EQ(VoteCount::markElected(3, five, QString(), 2, "elected"), five);
}

TEST(VoteCounting, ExactKindsCountOneKeyOnlyAndPerBitKindsEveryKey)
{
    // Values 3 and 17 are two keys each; 32 is no vote key.
    const QList<int> keys{1, 2, 2, 3, 4, 8, 16, 17, 0, 0, 32};
    Counts exact = counts(1, 2, 1, 1, 1);
    exact.none = 3;
    Counts perBit = counts(3, 3, 1, 1, 2);
    perBit.none = 3;
    for (int kind : {0, 1, 3, 5, 6})
        EXPECT_EQ(count(kind, keys), exact) << kind;
    for (int kind : {2, 4})
        EXPECT_EQ(count(kind, keys), perBit) << kind;
}
