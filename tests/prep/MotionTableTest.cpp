#include "prep/MotionTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

namespace {

const QStringList kKinds = {"Motion vote",      "Election: 1 of 3",       "Election: several of 3",
                            "Election: 1 of 5", "Election: several of 5", "Scoring",
                            "Evaluation"};
const QString kMark = QStringLiteral("0:25:50:75:100:");

MotionSettings everythingTicked(int kind)
{
    MotionSettings s;
    s.kind = kind;
    s.kindText = kKinds.value(kind);
    s.baseText = QStringLiteral("Present");
    s.ruleText = QStringLiteral("More than");
    s.rate = QStringLiteral("66");
    s.timeLimit = s.unpressedAbstains = s.showPercentages = s.showPass = s.dynamicDisplay = true;
    s.seconds = QStringLiteral("90");
    s.extraText = QStringLiteral("extra");
    return s;
}

TEST(MotionRulesTest, EachKindStoresOnlyWhatItKeeps)
{
    // base, rule, rate, unit, per, pass, dll, extra, mark: motion vote, elections and scoring, evaluation
    const QStringList expected[] = {{"Present", "More than", "66", "1", "1", "1", "1", "extra", ""},
                                    {"", "", "0", "0", "0", "0", "0", "", kMark},
                                    {"Present", "", "0", "2", "1", "0", "1", "", kMark}};
    for (int kind = 0; kind <= 6; ++kind) {
        MotionRecord r;
        MotionRules::fill(r, everythingTicked(kind), kMark);
        EXPECT_EQ(QStringList({r.VoteBase, r.VoteAbet, r.VoteAbetValue, r.Unit, r.ViewPer, r.ViewPass,
                               r.VoteDll, r.ytText, r.mark}),
                  expected[kind == 0   ? 0
                           : kind == 6 ? 2
                                       : 1])
            << kind;
        EXPECT_EQ(r.OveType + r.VoteTimelRes + r.VoteTimelValue, kKinds[kind] + "190");
    }
    MotionSettings cleared;
    cleared.kindText = kKinds[0];
    cleared.rate = QStringLiteral("50");
    cleared.seconds = QStringLiteral("30"); // ignored without a time limit
    MotionRecord r;
    MotionRules::fill(r, cleared, kMark);
    EXPECT_EQ(r.VoteTimelRes + r.VoteTimelValue + r.Unit + r.ViewPer + r.ViewPass + r.VoteDll, "202222");
}

class MotionTableTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Assembly")), Schema::CreateResult::Created);
        table.setMeeting(QStringLiteral("Assembly"));
    }

    void add(const QString& title, const QString& key, int kind)
    {
        table.record = MotionRecord();
        table.record.OveName = title;
        table.record.insertdate = key;
        MotionRules::fill(table.record, everythingTicked(kind), kMark);
        ASSERT_TRUE(table.insert());
    }

    MotionTable table;
};

TEST_F(MotionTableTest, InsertLeavesResultsNullAndUpdateKeepsWhatThePageDoesNotEdit)
{
    add(QStringLiteral("Budget 'draft' \"B\""), QStringLiteral("20261207090000"), 0);
    add(QStringLiteral("Board"), QStringLiteral("20261207090001"), 3);
    table.loadList();
    EXPECT_EQ(table.titles, (QStringList{"Budget 'draft' \"B\"", "Board"}));
    const DbRow row = DbAccess::selectOnce(table.path(), "select * from Overture").value().last();
    for (const char* column : {"result", "factresult1", "PollTimel", "rtf", "candidate"})
        EXPECT_TRUE(row.isNull(column)) << column;

    ASSERT_TRUE(table.setCandidates(QStringLiteral("20261207090001"), QStringLiteral("A:B:C:D:E:")));
    ASSERT_TRUE(
        DbAccess::executeOnce(table.path(), "update Overture set VoteState = 'Yes', mark = '1:2:3:4:5:'"));
    ASSERT_TRUE(table.load(QStringLiteral("Board")));
    table.record.OveName = QStringLiteral("Board renamed");
    MotionRules::fill(table.record, everythingTicked(0), kMark);
    ASSERT_TRUE(table.update());
    ASSERT_TRUE(table.load(QStringLiteral("Board renamed")));
    EXPECT_EQ(QStringList({table.record.VoteAbetValue, table.record.mark, table.record.VoteState,
                           table.record.candidate}),
              QStringList({"66", "1:2:3:4:5:", "Yes", "A:B:C:D:E:"}));

    ASSERT_TRUE(DbAccess::executeOnce(table.path(), "drop table Overture"));
    EXPECT_FALSE(table.all().has_value()); // a failure, not an empty list
    EXPECT_EQ(prompts.take().size(), 1);
}

TEST_F(MotionTableTest, CandidatesGoToTheMotionOfTheirKeyWhenTitlesRepeat)
{
    add(QStringLiteral("Board"), QStringLiteral("20261207090001"), 3);
    add(QStringLiteral("Board"), QStringLiteral("20261207090002"), 3);
    ASSERT_TRUE(table.setCandidates(QStringLiteral("20261207090002"), QStringLiteral("Ana:Bo:::")));
    QStringList candidates;
    for (const MotionRecord& motion : table.all().value_or(QList<MotionRecord>()))
        candidates << motion.candidate;
    EXPECT_EQ(candidates, (QStringList{"", "Ana:Bo:::"}));
}

} // namespace
