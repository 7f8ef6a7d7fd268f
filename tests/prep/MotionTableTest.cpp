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
    s.timeLimit = true;
    s.seconds = QStringLiteral("90");
    s.unpressedAbstains = true;
    s.showPercentages = true;
    s.showPass = true;
    s.dynamicDisplay = true;
    s.extraText = QStringLiteral("extra");
    return s;
}

struct Stored
{
    const char* base;
    const char* rule;
    const char* rate;
    const char* unit;
    const char* per;
    const char* pass;
    const char* dll;
    const char* extra;
    const char* mark;
};

TEST(MotionRulesTest, EachKindStoresOnlyWhatItKeeps)
{
    const QString mark = kMark;
    // With every control ticked, the stored row shows what each kind keeps.
    const Stored expected[] = {
        {"Present", "More than", "66", "1", "1", "1", "1", "extra", ""},
        {"", "", "0", "0", "0", "0", "0", "", "0:25:50:75:100:"},
        {"", "", "0", "0", "0", "0", "0", "", "0:25:50:75:100:"},
        {"", "", "0", "0", "0", "0", "0", "", "0:25:50:75:100:"},
        {"", "", "0", "0", "0", "0", "0", "", "0:25:50:75:100:"},
        {"", "", "0", "0", "0", "0", "0", "", "0:25:50:75:100:"},
        {"Present", "", "0", "2", "1", "0", "1", "", "0:25:50:75:100:"},
    };
    for (int kind = 0; kind <= 6; ++kind) {
        MotionRecord record;
        MotionRules::fill(record, everythingTicked(kind), mark);
        const Stored& e = expected[kind];
        SCOPED_TRACE(kind);
        EXPECT_EQ(record.OveType, kKinds[kind]);
        EXPECT_EQ(record.VoteBase, e.base);
        EXPECT_EQ(record.VoteAbet, e.rule);
        EXPECT_EQ(record.VoteAbetValue, e.rate);
        EXPECT_EQ(record.Unit, e.unit);
        EXPECT_EQ(record.ViewPer, e.per);
        EXPECT_EQ(record.ViewPass, e.pass);
        EXPECT_EQ(record.VoteDll, e.dll);
        EXPECT_EQ(record.ytText, e.extra);
        EXPECT_EQ(record.mark, e.mark);
        EXPECT_EQ(record.VoteTimelRes, "1");
        EXPECT_EQ(record.VoteTimelValue, "90");
    }
}

TEST(MotionRulesTest, ClearedBoxesAndTimeLimit)
{
    MotionSettings s;
    s.kindText = kKinds[0];
    s.rate = QStringLiteral("50");
    s.seconds = QStringLiteral("30"); // ignored without a time limit
    MotionRecord record;
    MotionRules::fill(record, s, kMark);
    EXPECT_EQ(record.VoteTimelRes, "2");
    EXPECT_EQ(record.VoteTimelValue, "0");
    EXPECT_EQ(record.Unit, "2");
    EXPECT_EQ(record.ViewPer, "2");
    EXPECT_EQ(record.ViewPass, "2");
    EXPECT_EQ(record.VoteDll, "2");

    s.kind = 6;
    s.kindText = kKinds[6];
    MotionRules::fill(record, s, kMark);
    EXPECT_EQ(record.VoteTimelValue, "0");
    EXPECT_EQ(record.Unit, "2");
}

TEST(MotionRulesTest, KindsRatesAndCandidateModes)
{
    EXPECT_EQ(MotionRules::kindOf(kKinds[4], kKinds), 4);
    EXPECT_EQ(MotionRules::kindOf(QStringLiteral("Other language"), kKinds), -1);
    EXPECT_EQ(MotionRules::kindOf(QString(), QStringList{""}), -1);
    EXPECT_EQ(MotionRules::candidateMode(4), 4);
    EXPECT_EQ(MotionRules::candidateMode(5), 0);

    MotionSettings s;
    for (const char* rate : {"0", "50", "100"}) {
        s.rate = QString::fromLatin1(rate);
        EXPECT_TRUE(MotionRules::isRateValid(s)) << rate;
    }
    for (const char* rate : {"", "101", "-1", "5x"}) {
        s.rate = QString::fromLatin1(rate);
        EXPECT_FALSE(MotionRules::isRateValid(s)) << rate;
    }
    s.kind = 3; // elections keep no rate
    EXPECT_TRUE(MotionRules::isRateValid(s));
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
        table.record.VoteState = QStringLiteral("No");
        MotionRules::fill(table.record, everythingTicked(kind), kMark);
        ASSERT_TRUE(table.insert());
    }

    MotionTable table;
};

TEST_F(MotionTableTest, InsertLeavesResultColumnsNullAndListsInOrder)
{
    add(QStringLiteral("Budget 'draft' \"B\""), QStringLiteral("20261207090000"), 0);
    add(QStringLiteral("Board"), QStringLiteral("20261207090001"), 3);

    table.loadList();
    EXPECT_EQ(table.titles, (QStringList{"Budget 'draft' \"B\"", "Board"}));
    ASSERT_TRUE(table.load(QStringLiteral("Board")));
    EXPECT_EQ(table.record.mark, kMark);
    EXPECT_EQ(table.record.candidate, "");
    DbAccess db;
    db.Connect(table.path());
    const Recordset& row = db.Query("select * from Overture where OveName = 'Board'");
    for (const char* column :
         {"result", "factresult1", "factresult2", "factresult3", "PollTimel", "rtf", "candidate"})
        EXPECT_TRUE(row.isNull(column)) << column;
}

TEST_F(MotionTableTest, UpdateKeepsMarkStateCandidatesAndProposal)
{
    add(QStringLiteral("Board"), QStringLiteral("20261207090001"), 3);
    ASSERT_TRUE(table.setCandidates(QStringLiteral("20261207090001"), QStringLiteral("A:B:C:D:E:")));
    ASSERT_TRUE(table.setProposal(QStringLiteral("20261207090001"), QStringLiteral("20261207090001.rtf")));
    {
        DbAccess db;
        db.Connect(table.path());
        ASSERT_TRUE(db.Execute("update Overture set VoteState = 'Yes', mark = '1:2:3:4:5:'"));
    }
    ASSERT_TRUE(table.load(QStringLiteral("Board")));
    table.record.OveName = QStringLiteral("Board renamed");
    MotionRules::fill(table.record, everythingTicked(0), kMark);
    ASSERT_TRUE(table.update());

    EXPECT_FALSE(table.exists(QStringLiteral("Board")));
    ASSERT_TRUE(table.load(QStringLiteral("Board renamed")));
    EXPECT_EQ(table.record.VoteAbetValue, "66");
    EXPECT_EQ(table.record.mark, "1:2:3:4:5:");
    EXPECT_EQ(table.record.VoteState, "Yes");
    EXPECT_EQ(table.record.candidate, "A:B:C:D:E:");
    EXPECT_EQ(table.record.rtf, "20261207090001.rtf");
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

TEST_F(MotionTableTest, AMeetingWithoutItsTableIsAFailureNotAnEmptyList)
{
    EXPECT_EQ(table.all().value().size(), 0);
    ASSERT_TRUE(DbAccess::executeOnce(table.path(), "drop table Overture"));
    EXPECT_FALSE(table.all().has_value());
    EXPECT_FALSE(table.loadList());
    EXPECT_FALSE(table.find(QStringLiteral("Any")).has_value());
    EXPECT_EQ(prompts.take().size(), 3);
}

} // namespace
