#include "prep/MotionTable.h"
#include "core/LanguageTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

namespace {

const QList<int> kPoints{0, 25, 50, 75, 100};

MotionSettings everythingTicked(int kind)
{
    MotionSettings s;
    s.kind = kind;
    s.base = VoteBase::Present;
    s.strictRule = true;
    s.rate = QStringLiteral("66");
    s.timeLimit = s.unpressedAbstains = s.showPercentages = s.showPass = s.dynamicDisplay = true;
    s.seconds = 90;
    s.extraText = QStringLiteral("extra");
    return s;
}

class MotionTableTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Assembly")), Schema::CreateResult::Created);
        table = MotionTable(); // the texts of the test's language tables
        table.setMeeting(QStringLiteral("Assembly"));
    }

    Motion add(const QString& title, const QString& key, const MotionSettings& settings)
    {
        Motion m;
        m.title = title;
        m.key = key;
        MotionRules::fill(m, settings, kPoints);
        EXPECT_TRUE(table.insert(m));
        return m;
    }
    // The stored texts of these columns of the motion with this key.
    QStringList stored(const QString& key, const QStringList& columns)
    {
        const DbRow row =
            DbAccess::selectOnce(table.path(), "select * from Overture where insertdate = ?", {key})
                .value_or(QList<DbRow>())
                .value(0);
        QStringList texts;
        for (const QString& column : columns)
            texts << row.text(column.toLatin1().constData());
        return texts;
    }

    MotionTable table;
};

TEST_F(MotionTableTest, EachKindStoresOnlyWhatItKeepsInTheDesignedTexts)
{
    const QStringList columns{"OveType",      "VoteBase",       "VoteAbet", "VoteAbetValue", "Unit",
                              "ViewPer",      "ViewPass",       "VoteDll",  "ytText",        "mark",
                              "VoteTimelRes", "VoteTimelValue", "VoteState"};
    const QString points = QStringLiteral("0:25:50:75:100:");
    // kind, base, rule, rate, unit, per, pass, dll, extra, mark: motion vote, elections and scoring,
    // evaluation
    const QStringList kept[] = {{"Delegates present", "More than", "66", "1", "1", "1", "1", "extra", ""},
                                {"", "", "0", "0", "0", "0", "0", "", points},
                                {"Delegates present", "", "0", "2", "1", "0", "1", "", points}};
    const Texts kinds(QStringLiteral("Public"));
    for (int kind = 0; kind <= 6; ++kind) {
        const QString key = QStringLiteral("2026120709000%1").arg(kind);
        add(QStringLiteral("Kind %1").arg(kind), key, everythingTicked(kind));
        const QStringList expected = QStringList{kinds(QStringLiteral("VoteType%1").arg(kind + 1))} +
                                     kept[kind == 0   ? 0
                                          : kind == 6 ? 2
                                                      : 1] +
                                     QStringList{"1", "90", "Not voted"};
        EXPECT_EQ(stored(key, columns), expected) << kind;
    }
    // Unticked and without a time limit: "2" flags, no seconds, the lenient rule.
    MotionSettings cleared;
    cleared.strictRule = false;
    cleared.rate = QStringLiteral("50");
    cleared.seconds = 30; // ignored without a time limit
    add(QStringLiteral("Cleared"), QStringLiteral("20261207091000"), cleared);
    EXPECT_EQ(stored(QStringLiteral("20261207091000"), {"VoteAbet", "VoteTimelRes", "VoteTimelValue", "Unit",
                                                        "ViewPer", "ViewPass", "VoteDll"}),
              (QStringList{"At least", "2", "0", "2", "2", "2", "2"}));
}

TEST_F(MotionTableTest, StoredTextsOfEveryTableReadAsTheSameMotionAndUnknownOnesStay)
{
    // Made under the Chinese and the Portuguese tables, and by a tool no table knows.
    const char* insert =
        "insert into Overture (OveName, insertdate, OveType, VoteBase, VoteAbet, VoteAbetValue, "
        "VoteTimelRes, VoteTimelValue, Unit, ViewPer, ViewPass, VoteDll, ytText, mark, VoteState, "
        "PollTimel, candidate) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    ASSERT_TRUE(
        DbAccess::executeOnce(table.path(), insert,
                              {"Chinese", "1", "议案表决", "应到人数", "大于", " 60", "1", "45", "1", "1",
                               "2", "1", "Motion 3: ", "", "已表决", "2026/12/07/-10:15:30", ""}));
    ASSERT_TRUE(DbAccess::executeOnce(table.path(), insert,
                                      {"Portuguese", "2", "Pontuação", "", "", "0", "2", "0", "0", "0", "0",
                                       "0", "", "5: 4 :x:", "Por votar", "", "Ana:Bo:"}));
    ASSERT_TRUE(DbAccess::executeOnce(table.path(), insert,
                                      {"Unknown", "3", "Referendum", "Quórum", "Pelo menos", "50", "2", "0",
                                       "1", "1", "2", "2", "", "", "Yes", "later", ""}));
    const QList<Motion> motions = table.all().value_or(QList<Motion>());
    ASSERT_EQ(motions.size(), 3);

    const Motion& chinese = motions[0];
    EXPECT_EQ(chinese.kind, VoteKind::MotionVote);
    EXPECT_EQ(chinese.base, VoteBase::Due);
    EXPECT_TRUE(chinese.strictRule && chinese.timeLimit && chinese.unpressedAbstains && chinese.showPercent &&
                chinese.liveDisplay && chinese.voted);
    EXPECT_FALSE(chinese.showPass);
    EXPECT_EQ(QList<int>({chinese.threshold, chinese.limitSeconds}), QList<int>({60, 45}));
    EXPECT_EQ(chinese.votedAt, QDateTime(QDate(2026, 12, 7), QTime(10, 15, 30)));
    EXPECT_EQ(table.words().kindText(chinese), "Motion vote"); // shown in the table in use

    const Motion& portuguese = motions[1];
    EXPECT_EQ(portuguese.kind, VoteKind::Scoring);
    EXPECT_EQ(portuguese.points, (QList<int>{5, 4, 0}));
    EXPECT_EQ(portuguese.candidates, (QStringList{"Ana", "Bo"}));
    EXPECT_FALSE(portuguese.voted || portuguese.votedAt.isValid());

    const Motion& unknown = motions[2];
    EXPECT_FALSE(unknown.kind.has_value());
    EXPECT_EQ(table.words().kindText(unknown), "Referendum");
    EXPECT_EQ(unknown.base, VoteBase::Unknown);
    EXPECT_FALSE(unknown.strictRule || unknown.voted);

    // A motion vote's start writes its settings back in the table in use; a base no table
    // knows stays as it was stored until the operator picks one.
    Motion vote = unknown;
    vote.kind = VoteKind::MotionVote;
    const MotionTable::Statement settings = table.voteSettings(7, vote);
    EXPECT_EQ(settings.values,
              (QVariantList{"Quórum", "At least", "50", "2", "0", "1", "1", "2", "2", qint64(7)}));
    vote.kind = VoteKind::OneOfFive;
    EXPECT_EQ(table.voteSettings(7, vote).values, (QVariantList{"2", "0", qint64(7)}));
}

TEST_F(MotionTableTest, UpdateKeepsWhatThePageDoesNotEditAndCandidatesFollowTheKey)
{
    add(QStringLiteral("Budget 'draft' \"B\""), QStringLiteral("20261207090000"), everythingTicked(0));
    add(QStringLiteral("Board"), QStringLiteral("20261207090001"), everythingTicked(3));
    add(QStringLiteral("Board"), QStringLiteral("20261207090002"), everythingTicked(3));
    const DbRow row = DbAccess::selectOnce(table.path(), "select * from Overture").value().last();
    for (const char* column : {"result", "factresult1", "PollTimel", "rtf", "candidate"})
        EXPECT_TRUE(row.isNull(column)) << column;

    ASSERT_TRUE(table.setCandidates(QStringLiteral("20261207090002"), {"Ana", "Bo", "", "", ""}));
    ASSERT_TRUE(
        DbAccess::executeOnce(table.path(), "update Overture set VoteState = 'Voted', mark = '1:2:3:4:5:'"));
    Motion board = table.find(QStringLiteral("Board")).value();
    board.title = QStringLiteral("Board renamed");
    MotionRules::fill(board, everythingTicked(0), kPoints);
    ASSERT_TRUE(table.update(board));
    EXPECT_EQ(stored(QStringLiteral("20261207090001"), {"OveName", "VoteAbetValue", "mark", "VoteState"}),
              (QStringList{"Board renamed", "66", "1:2:3:4:5:", "Voted"}));
    EXPECT_EQ(stored(QStringLiteral("20261207090002"), {"OveName", "candidate"}),
              (QStringList{"Board", "Ana:Bo::::"}));

    ASSERT_TRUE(DbAccess::executeOnce(table.path(), "drop table Overture"));
    EXPECT_FALSE(table.all().has_value()); // a failure, not an empty list
    EXPECT_EQ(prompts.take().size(), 1);
}

} // namespace
