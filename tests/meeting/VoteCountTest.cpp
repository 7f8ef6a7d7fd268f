#include "meeting/VoteCount.h"

#include <gtest/gtest.h>
#include <vector>

using namespace VoteCount;

namespace {

Rules rules()
{
    Rules r;
    r.dueBases = {"应到人数", "Expected delegates"};
    r.presentBases = {"实到人数", "Delegates present"};
    r.strictRules = {"大于", "More than"};
    r.passYes = "Passed";
    r.passNo = "Not passed";
    return r;
}

Counts counts(int c1, int c2, int c3, int c4 = 0, int c5 = 0)
{
    Counts c;
    c.keys = {c1, c2, c3, c4, c5};
    return c;
}

MotionRecord motion(const char* unit, const char* base, const char* rule, const char* threshold,
                    const char* extra = "")
{
    MotionRecord m;
    m.Unit = unit;
    m.VoteBase = base;
    m.VoteAbet = rule;
    m.VoteAbetValue = threshold;
    m.ytText = extra;
    return m;
}

struct FullFormCase
{
    const char* name;
    int kind;
    Counts counts;
    int due;
    int present;
    MotionRecord motion;
    const char* result;
};

} // namespace

TEST(VoteResult, FullFormOfMotionsAndEvaluations)
{
    const FullFormCase cases[] = {
        {"unpressed abstain", 0, counts(4, 3, 1), 10, 10, motion("1", "实到人数", "大于", "50"),
         "1:10:10:4:3:3:2:40.00%:30.00%:30.00%:Not passed:"},
        {"unpressed apart", 0, counts(4, 3, 1), 10, 10, motion("2", "实到人数", "大于", "50"),
         "2:10:10:4:3:1:2:40.00%:30.00%:10.00%:Not passed:"},
        // An older file's empty Unit is read as "2": its own abstain share, the silent apart.
        {"empty Unit", 0, counts(4, 3, 1), 10, 10, motion("", "实到人数", "大于", "50"),
         ":10:10:4:3:1:2:40.00%:30.00%:10.00%:Not passed:"},
        // Never a negative count, whatever the figures of an earlier sign-in say.
        {"more units pressed than present", 0, counts(4, 3, 1), 10, 6, motion("1", "实到人数", "大于", "50"),
         "1:10:6:4:3:1:0:66.67%:50.00%:16.67%:Passed:"},
        {"other Unit: no abstain share", 0, counts(4, 3, 1), 10, 10, motion("0", "实到人数", "大于", "30"),
         "0:10:10:4:3:1:2:40.00%:30.00%:0.00%:Passed:"},
        {"tie, more than", 0, counts(20, 0, 0), 40, 40, motion("2", "应到人数", "大于", "50"),
         "2:40:40:20:0:0:20:50.00%:0.00%:0.00%:Not passed:"},
        {"tie, at least", 0, counts(20, 0, 0), 40, 40, motion("2", "应到人数", "大于等于", "50"),
         "2:40:40:20:0:0:20:50.00%:0.00%:0.00%:Passed:"},
        {"base of another table", 0, counts(18, 7, 2), 40, 30,
         motion("1", "Expected delegates", "大于", "50", "Motion 3: "),
         "1:40:30:18:7:5:3:45.00%:17.50%:12.50%:Motion 3: Not passed:"},
        // Unknown base: no percentages and no unpressed added to the abstain count.
        {"unmatched base", 0, counts(4, 3, 1), 10, 10, motion("1", "Quórum", "大于", "50"),
         "1:10:10:4:3:1:2:0.00%:0.00%:0.00%:Not passed:"},
        {"evaluation", 6, counts(20, 5, 3), 40, 30, motion("2", "实到人数", "", "0"),
         "2:40:30:20:5:3:2:66.67%:16.67%:10.00%:Passed:"},
    };
    for (const FullFormCase& c : cases)
        EXPECT_EQ(outcome(c.kind, c.counts, c.due, c.present, c.motion, rules()).result, c.result) << c.name;
}

TEST(VoteResult, ElectionsAndScoring)
{
    MotionRecord scored;
    scored.mark = "10:8:6:4:2:";
    MotionRecord lettered;
    lettered.mark = "10:x:6:";
    const struct
    {
        int kind;
        Counts counts;
        const MotionRecord& motion;
        const char* result;
    } cases[] = {
        {1, counts(3, 2, 1, 4, 5), scored, "3:2:1:"},  {3, counts(3, 2, 1, 4, 5), scored, "3:2:1:4:5:"},
        {5, counts(1, 1, 0, 0, 0), scored, "9.00:"},   {5, counts(0, 0, 0, 0, 0), scored, "0.00:"},
        {5, counts(1, 2, 0, 0, 0), lettered, "3.33:"}, {7, counts(1, 0, 0, 0, 0), scored, ""},
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
    const QString five = "Ana:Bo:Chen:Dee:Eve:";
    EXPECT_EQ(VoteCount::markElected(3, five, "3:9:1:4:5:", 2, "elected"),
              "Ana:Bo (elected):Chen:Dee:Eve (elected):");
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

TEST(VoteTextRules, MarksAndKindsOfEitherLanguageTable)
{
    EXPECT_EQ(marks("5: 4 :x:-1:2a:9:"), (std::array<int, kKeys>{5, 4, 0, -1, 0}));
    const QList<QStringList> tables{{"议案表决", "a", "b", "c", "d", "评分", "e"},
                                    {"Motion vote", "A", "B", "C", "D", "Scoring", "E"}};
    EXPECT_EQ(kindOf("评分", tables), 5);
    EXPECT_EQ(kindOf("E", tables), 6);
}
