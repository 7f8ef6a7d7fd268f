// The registers' queries and field splitting on real meeting databases, with
// language switches between meeting and register.

#include "ReportTestData.h"
#include "data/EventLog.h"
#include "meeting/RoundRecovery.h"
#include "meeting/SignInCount.h"
#include "reports/RecordCheck.h"
#include "reports/SignInRegister.h"
#include "reports/VoteRegister.h"
#include "support/ConsoleTest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

using namespace ReportTestData;

namespace {

const QString kMeeting = QStringLiteral("Plenary");
// A motion vote's result: Unit:due:present:yes:no:abstain:unpressed:p1:p2:p3:pass:
const QString kPassed = QStringLiteral("1:5:4:3:1:0:0:60.00%:20.00%:0.00%:Passed:");

class RegisterTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(kMeeting, 5, 5);
    }
    QList<QStringList> voteRows(int category, bool votedOnly)
    {
        return VoteRegister::rows(category,
                                  VoteRegister::load(kMeeting, MotionWords::fromLanguageTables()).motions,
                                  votedOnly, VoteTexts::fromLanguageTables());
    }
};

TEST_F(RegisterTest, MotionVoteRowsTakeTheirColumnsFromTheResultAndIgnoreFieldsBeyondEleven)
{
    const Motion motion =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1"));
    vote(kMeeting, motion, kPassed.chopped(1) + QStringLiteral(":extra:more:"));
    const QList<QStringList> rows = voteRows(1, false);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0],
              (QStringList{"1", "Budget", "5", "4", "3", "1", "0", "0", "Passed", "2026-03-01 10:01:00"}));
    EXPECT_EQ(rows[0].size(),
              VoteRegister::emptyTable(1, Texts("FrmVoteput"), Texts("FrmMeeVote")).columnCount());
}

TEST_F(RegisterTest, VotedMotionsAreFoundWhateverLanguageTheyWereVotedIn)
{
    useLanguage(QStringLiteral("0")); // prepared and voted in Chinese
    const Motion voted =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("预算"), 0, QStringLiteral("k1"));
    MeetingTestData::addMotion(kMeeting, QStringLiteral("章程"), 0, QStringLiteral("k2"));
    const Motion scored =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("评分"), 5, QStringLiteral("k3"));
    MeetingTestData::addMotion(kMeeting, QStringLiteral("未评"), 5, QStringLiteral("k4"));
    vote(kMeeting, voted, kPassed);
    vote(kMeeting, scored, QStringLiteral("75.00:"));
    useLanguage(QStringLiteral("1")); // the register in English
    const QList<QStringList> votedRows = voteRows(1, true);
    ASSERT_EQ(votedRows.size(), 1);
    EXPECT_EQ(votedRows[0][1], QStringLiteral("预算"));
    EXPECT_EQ(voteRows(1, false).size(), 2);
    // The scoring's state in the table in use; the stored state stays Chinese.
    const QList<QStringList> scoring = voteRows(3, false);
    ASSERT_EQ(scoring.size(), 2);
    EXPECT_EQ(scoring[0].mid(1, 3), (QStringList{"评分", "75.00", "Voted"}));
    EXPECT_EQ(scoring[1].mid(1, 3), (QStringList{"未评", "", "Not voted"}));
    EXPECT_EQ(MeetingTestData::column("select VoteState from Overture where insertdate = 'k3'", "VoteState",
                                      Schema::meetingDatabasePath(kMeeting)),
              QStringList{QStringLiteral("已表决")});
}

TEST_F(RegisterTest, CategoriesListTheirOwnKindsAndEvaluationsListOnlyVotedOnes)
{
    MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1"));
    Motion election = MeetingTestData::addMotion(kMeeting, QStringLiteral("Chair"), 1, QStringLiteral("k2"));
    const Motion evaluated =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Service"), 6, QStringLiteral("k3"));
    MeetingTestData::addMotion(kMeeting, QStringLiteral("Catering"), 6, QStringLiteral("k4"));
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::meetingDatabasePath(kMeeting),
                              QStringLiteral("update Overture set candidate = ? where insertdate = ?"),
                              {QStringLiteral("Ana:Bo:Chen:"), QStringLiteral("k2")}));
    MotionTable motions;
    motions.setMeeting(kMeeting);
    ASSERT_TRUE(motions.setSeats(QStringLiteral("k2"), 2)); // the column is added to the file here
    vote(kMeeting, MeetingTestData::storedMotion(kMeeting, QStringLiteral("k2")), QStringLiteral("2:1:0:"));
    vote(kMeeting, evaluated, QStringLiteral("1:5:4:2:1:1:0:40.00%:20.00%:20.00%:Passed:"));

    const QList<QStringList> elections = voteRows(2, false);
    ASSERT_EQ(elections.size(), 1); // the motion vote and the evaluations are not elections
    EXPECT_EQ(elections[0].mid(1, 7),
              (QStringList{"Chair", "Ana (elected)", "2", "Bo (elected)", "1", "Chen", "0"}));
    EXPECT_EQ(elections[0].size(), 13);

    const QList<QStringList> all = voteRows(4, false);
    EXPECT_EQ(all, voteRows(4, true));
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].mid(1, 7), (QStringList{"Service", "5", "4", "2", "1", "1", "0"}));
}

TEST_F(RegisterTest, SignInListsSplitDueIntoPresentAndAbsentWithTheLastSignInsTimes)
{
    signIn(kMeeting, 5, {4, 2});
    const Texts texts(QStringLiteral("FrmRegque"));
    const auto marks = SignInRegister::Marks::ofEveryTable();
    const auto present = SignInRegister::load(kMeeting, SignInRegister::List::Present, marks, texts);
    ASSERT_EQ(present.outcome, SignInRegister::Outcome::Done);
    ASSERT_TRUE(present.hasTimes);
    ASSERT_EQ(present.table.rows.size(), 2);
    EXPECT_EQ(present.table.rows[0].value(0), QStringLiteral("2")); // in the delegate table's order
    EXPECT_EQ(present.table.rows[0].value(10), QStringLiteral("09:01:00"));
    EXPECT_EQ(present.table.rows[1].value(10), QStringLiteral("09:00:00"));
    EXPECT_EQ(present.table.headings.size(), 11);
    EXPECT_EQ(present.arrivals.size(), 2);
    EXPECT_EQ(present.arrivals.last().second, 2);

    const auto absent = SignInRegister::load(kMeeting, SignInRegister::List::Absent, marks, texts);
    EXPECT_EQ(absent.table.rows.size(), 3);
    EXPECT_EQ(SignInRegister::load(kMeeting, SignInRegister::List::Due, marks, texts).table.rows.size(), 5);

    // A second sign-in at 11:00: unit 4 is absent in it and shows no time; unit 2 shows its new time.
    signIn(kMeeting, 5, {5, 2}, 11);
    const auto second = SignInRegister::load(kMeeting, SignInRegister::List::Due, marks, texts);
    QStringList times;
    for (const QStringList& row : second.table.rows)
        times << row.value(0).trimmed() + "=" + row.value(10);
    EXPECT_EQ(times, (QStringList{"1=", "2=11:01:00", "3=", "4=", "5=11:00:00"}));
    EXPECT_EQ(second.arrivals.size(), 2);
}

TEST(SignInRegisterQuorum, TheQuorumLineIsTheFewestUnitsThatReachTheRatio)
{
    for (const auto& [due, limit] : {std::pair{40, 50}, {7, 50}, {3, 67}, {10, 100}}) {
        const Meeting meeting{.due = due, .legalRatio = limit};
        const int units = SignInRegister::quorumUnits(meeting);
        const auto reached = [&](int present) {
            return SignInCount::figures(present, meeting).quorum == SignInCount::Quorum::Reached;
        };
        EXPECT_TRUE(reached(units)) << due << " " << limit;
        EXPECT_FALSE(reached(units - 1)) << due << " " << limit;
    }
    EXPECT_EQ(SignInRegister::quorumUnits({.due = 40}), 0);
    EXPECT_EQ(SignInRegister::quorumUnits({.due = 0, .legalRatio = 50}), 0);
}

// The record against every forgery tried: each is found and named.
class RecordCheckTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        signIn(kMeeting, 5, {1, 2, 3});
        vote(kMeeting,
             MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget"), 0, QStringLiteral("k1")),
             kPassed);
    }
    static QString meetingFile() { return Schema::meetingDatabasePath(kMeeting); }
    RecordCheck::Verdict check() { return RecordCheck::check(kMeeting); }
    QString said() { return RecordCheck::describe(check()); }
    void execute(const QString& sql, const QString& file = meetingFile())
    {
        ASSERT_TRUE(DbAccess::executeOnce(file, sql));
    }
    // What a forger with both files does: recompute every hash after an edit and move the anchor.
    void recomputeChain(bool moveAnchor)
    {
        const auto rows =
            DbAccess::selectOnce(meetingFile(), QStringLiteral("select * from EventLog order by id"));
        ASSERT_TRUE(rows);
        QString prev;
        for (const DbRow& row : *rows) {
            const QString content =
                QStringLiteral("%1\n%2\n%3\n%4\n%5")
                    .arg(row.text("id"), row.text("at"), row.text("kind"), row.text("detail"), prev);
            const QString hash = QString::fromLatin1(
                QCryptographicHash::hash(content.toUtf8(), QCryptographicHash::Sha256).toHex());
            execute(QStringLiteral("update EventLog set prevHash = '%1', hash = '%2' where id = %3")
                        .arg(prev, hash, row.text("id")));
            prev = hash;
        }
        if (moveAnchor)
            execute(QStringLiteral("update RecordAnchor set head = '%1'").arg(prev), Schema::kSystemDatabase);
    }
};

TEST_F(RecordCheckTest, SignInAndVoteLeaveARecordThatHoldsWithItsAnchor)
{
    // Start, three arrivals, end; vote start and end.
    const RecordCheck::Verdict verdict = check();
    EXPECT_EQ(verdict.outcome, RecordCheck::Verdict::Outcome::Intact);
    EXPECT_EQ(verdict.events, 7);
    EXPECT_EQ(verdict.head.size(), 64);
    EXPECT_EQ(RecordCheck::exitCode(verdict), 0);
    EXPECT_EQ(said(), QStringLiteral("Record intact (7 events)"));
    EXPECT_EQ(
        MeetingTestData::column(QStringLiteral("select at from EventLog where id = 7"), "at", meetingFile()),
        QStringList{QStringLiteral("20260301100100")})
        << "the designed vote time is stored in the record's one form";
    EXPECT_EQ(RecordCheck::printedLine(verdict, Texts(QStringLiteral("Public"))),
              QStringLiteral("Record intact (7 events) \u2014 SHA-256 of the last event: ") + verdict.head);
}

TEST_F(RecordCheckTest, EditsAndDeletionsOfTheChainAreFound)
{
    execute(QStringLiteral("update EventLog set detail = 'due 5 present 5 quorum 1' where id = 5"));
    EXPECT_EQ(said(), QStringLiteral("Record broken at row 5"));
    EXPECT_EQ(RecordCheck::exitCode(check()), 1);
    execute(QStringLiteral("delete from EventLog where id = 3")); // a gap earlier on is now the first
    EXPECT_EQ(said(), QStringLiteral("Record broken at row 4"));
}

TEST_F(RecordCheckTest, ARemovedTailAnEmptiedOrDroppedTableBreakTheAnchor)
{
    execute(QStringLiteral("delete from EventLog where id > 5"));
    EXPECT_EQ(said(), QStringLiteral("Record broken: 2 events missing at the end"));
    execute(QStringLiteral("delete from EventLog"));
    EXPECT_EQ(said(), QStringLiteral("Record broken: 7 events missing at the end"));
    execute(QStringLiteral("drop table EventLog"));
    EXPECT_EQ(said(), QStringLiteral("Record broken: the record table is missing"));
    // Without the anchor either, the stored votes and sign-ins are not covered: never intact.
    execute(QStringLiteral("delete from RecordAnchor"), Schema::kSystemDatabase);
    EXPECT_EQ(said(), QStringLiteral("Record empty: 7 stored votes and sign-ins are not covered"));
    EXPECT_EQ(RecordCheck::exitCode(check()), 1);
}

TEST_F(RecordCheckTest, ARecomputedChainNoLongerFitsTheAnchorOrThePaper)
{
    const QString printedHead = check().head;
    execute(QStringLiteral("update Overture set result = '1:5:4:1:3:0:0:20.00%:60.00%:0.00%:Failed:'"));
    execute(QStringLiteral(
        "update EventLog set detail = 'motion 1 result 1:5:4:1:3:0:0:20.00%:60.00%:0.00%:Failed:'"
        " where id = 7"));
    recomputeChain(false);
    EXPECT_EQ(said(), QStringLiteral("Record broken: the last event differs from the anchor"));
    // With the anchor forged too only the printed hash tells.
    recomputeChain(true);
    EXPECT_EQ(check().outcome, RecordCheck::Verdict::Outcome::Intact);
    EXPECT_NE(check().head, printedHead);
    // The anchor's row or table removed.
    execute(QStringLiteral("delete from RecordAnchor"), Schema::kSystemDatabase);
    EXPECT_EQ(said(), QStringLiteral("Record broken: the system database holds no anchor for it"));
    execute(QStringLiteral("drop table RecordAnchor"), Schema::kSystemDatabase);
    EXPECT_EQ(said(), QStringLiteral("Record broken: the anchor table of the system database is missing"));
}

TEST_F(RecordCheckTest, StoredFiguresAreHeldAgainstTheRecord)
{
    const struct
    {
        QString file;
        QString forgery;
        QString undo;
        QString said;
    } cases[] = {
        {meetingFile(), "update Overture set result = '1:5:4:4:0:0:0:80.00%:0.00%:0.00%:Passed:'",
         "update Overture set result = '" + kPassed + "'",
         "Record broken: Overture row 1: result differs from the record of 2026-03-01 10:01"},
        {meetingFile(),
         "update Employees set sign = (select sign from Employees where CellNo = '1') where CellNo = '5'",
         "update Employees set sign = (select sign from Employees where CellNo = '4') where CellNo = '5'",
         "Record broken: Employees row 5: sign differs from the record of 2026-03-01 09:30"},
        {meetingFile(),
         "update SignIn set sign = (select sign from SignIn where CellNo = '5') where CellNo = '1'",
         "update SignIn set sign = (select sign from SignIn where CellNo = '2') where CellNo = '1'",
         "Record broken: SignIn row 1: sign differs from the record of 2026-03-01 09:30"},
        {Schema::kSystemDatabase, "update Mottag set SignIn = '4'", "update Mottag set SignIn = '3'",
         "Record broken: Mottag row 1: SignIn differs from the record of 2026-03-01 09:30"},
    };
    for (const auto& c : cases) {
        execute(c.forgery, c.file);
        EXPECT_EQ(said(), c.said);
        execute(c.undo, c.file);
        EXPECT_EQ(check().outcome, RecordCheck::Verdict::Outcome::Intact) << c.said.toStdString();
    }
}

TEST_F(RecordCheckTest, FiguresOlderThanTheRecordAreNotCovered)
{
    // A motion voted on the day before the record began.
    const Motion older =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Minutes"), 0, QStringLiteral("k0"));
    execute("update Overture set result = '" + kPassed +
            "', PollTimel = '2026/02/28/-16:00:00' where insertdate = 'k0'");
    EXPECT_EQ(said(), QStringLiteral("Record intact (7 events); 1 older stored figures not covered"));
    // The same row voted after the record began but not in it.
    execute(QStringLiteral("update Overture set PollTimel = '2026/03/01/-11:00:00' where insertdate = 'k0'"));
    EXPECT_EQ(said(), QStringLiteral("Record broken: Overture row 2: result is not in the record"));
}

TEST_F(RecordCheckTest, AVoteCutOffIsNamedAsUnfinishedUntilItIsClosed)
{
    // A first vote cut off after a live count: its start has no end, its row a partial result.
    const Motion minutes =
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Minutes"), 0, QStringLiteral("k2"));
    VoteRecord record{MotionWords::fromLanguageTables()};
    record.setMeeting(kMeeting);
    const qint64 id = record.find(minutes).value_or(0);
    ASSERT_TRUE(record.writeSettings(id, minutes, QStringLiteral("20260301103000")));
    ASSERT_TRUE(record.writeResult(id, QStringLiteral("1:5:3:2:0:1:0:40.00%:0.00%:20.00%:Not passed:"),
                                   Texts(QStringLiteral("FrmMeeVote"))(QStringLiteral("DateYes")),
                                   QDateTime(QDate(2026, 3, 1), QTime(10, 30, 5)), false));
    EXPECT_EQ(said(),
              QStringLiteral("Record not closed: the vote on \"Minutes\" started 2026-03-01 10:30 has "
                             "no end (interrupted)"));
    EXPECT_EQ(RecordCheck::exitCode(check()), 1);
    // Closed at the next start: the row is not voted again and the record holds.
    ASSERT_EQ(RoundRecovery::closeInterruptedVotes(meetingFile(), QStringLiteral("Not voted"),
                                                   QStringLiteral("20260301110000"))
                  .size(),
              1);
    EXPECT_EQ(said(), QStringLiteral("Record intact (9 events)"));
}

// Restoring a damaged file is BackupTest's and the post-meeting hub's.
TEST_F(RecordCheckTest, AnEmptyFileIsBrokenAndLeftAsItWasAndADamagedOneIsUnreadable)
{
    QFile::resize(programFile(meetingFile()), 0);
    EXPECT_EQ(said(), QStringLiteral("Record broken: the meeting database is empty"));
    EXPECT_EQ(QFileInfo(programFile(meetingFile())).size(), 0);
    EXPECT_EQ(RecordCheck::exitCode(RecordCheck::check(QStringLiteral("Nowhere"))), 2);

    QFile damaged(programFile(meetingFile()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    EXPECT_EQ(check().outcome, RecordCheck::Verdict::Outcome::Unreadable);
    prompts.take(); // the store's own word on the damaged file
}

TEST_F(RecordCheckTest, ARowRehashedWithItsNextLinkRepairedStillBreaksTheChainThere)
{
    // The forger edits row 5, gives it the hash the program itself would write, and
    // repairs row 6's prevHash: only a hash that covers the previous one still shows it.
    const QString path = Schema::meetingDatabasePath(kMeeting);
    const auto later =
        DbAccess::selectOnce(path, QStringLiteral("select * from EventLog where id >= 5 order by id"));
    ASSERT_TRUE(later && later->size() == 3);
    execute(QStringLiteral("delete from EventLog where id >= 5"));
    {
        DbAccess db;
        ASSERT_TRUE(EventLog::connect(db, path));
        ASSERT_TRUE(EventLog::append(db, later->at(0).text("kind"),
                                     QStringLiteral("due 5 present 5 quorum 1"), later->at(0).text("at")));
    }
    const auto forged = DbAccess::selectOnce(path, QStringLiteral("select hash from EventLog where id = 5"));
    ASSERT_TRUE(forged && forged->size() == 1);
    for (qsizetype i = 1; i < later->size(); ++i) {
        const DbRow& row = later->at(i);
        ASSERT_TRUE(DbAccess::executeOnce(
            path,
            QStringLiteral(
                "insert into EventLog(id, at, kind, detail, prevHash, hash) values(?, ?, ?, ?, ?, ?)"),
            {row.text("id"), row.text("at"), row.text("kind"), row.text("detail"),
             i == 1 ? forged->first().text("hash") : row.text("prevHash"), row.text("hash")}));
    }
    EXPECT_EQ(check().outcome, RecordCheck::Verdict::Outcome::Broken);
    EXPECT_EQ(said(), QStringLiteral("Record broken at row 6"));
}

} // namespace
