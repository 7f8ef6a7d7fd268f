#include "prep/MeetingTable.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

#include <QDir>
#include <QFile>

namespace {

class MeetingTableTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
    }

    static Meeting meeting(const QString& name, std::optional<int> ratio = 50)
    {
        return {.name = name, .place = "Hall 1", .start = QDate(2026, 3, 5), .due = 120, .legalRatio = ratio};
    }

    static QStringList stored(const char* sql)
    {
        QStringList out;
        for (const DbRow& row : DbAccess::selectOnce(Schema::kSystemDatabase, sql).value_or(QList<DbRow>()))
            out << row.text("v");
        return out;
    }
};

TEST_F(MeetingTableTest, TypedFieldsAreStoredInTheDesignedTextsAndReadBack)
{
    MeetingTable table;
    Meeting zeta = meeting(QStringLiteral("Zeta \"quoted\" 'meeting'"));
    Meeting alpha = meeting(QStringLiteral("Alpha"), std::nullopt);
    alpha.end = QDate(2026, 12, 31);
    ASSERT_TRUE(table.insert(zeta));
    ASSERT_TRUE(table.insert(alpha));
    EXPECT_EQ(
        stored(
            "select DateStart||'|'||coalesce(DateEnd,'')||'|'||DueNum||'|'||bSetLimit||'|'||\"limit\"||'|'||"
            "coalesce(SignIn,'none') as v from Mottag"),
        (QStringList{"2026/03/05||120|1|50|none", "2026/03/05|2026/12/31|120|2|0|none"}));
    EXPECT_EQ(table.all().value(), (QList<Meeting>{zeta, alpha}));
    EXPECT_FALSE(table.find(QStringLiteral("missing")).has_value());

    // Rows that other hands wrote: what is no number counts as 0, a sign-in count is kept apart from none.
    const std::tuple<QVariantList, Meeting> rows[] = {
        {{"abc", "1", "x", "31", "2026/03/01 09:00"},
         {.start = QDate(2026, 3, 1), .present = 31, .legalRatio = 0}},
        {{" 40", "2", "75", "", "1 March"}, {.due = 40}},
        {{"-5", "", "50", "0", ""}, {.due = -5, .present = 0, .ratioSwitchUnknown = true}},
    };
    for (const auto& [columns, expected] : rows) {
        ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "delete from Mottag"));
        ASSERT_TRUE(
            DbAccess::executeOnce(Schema::kSystemDatabase,
                                  "insert into Mottag(DueNum, bSetLimit, \"limit\", SignIn, DateStart) "
                                  "values(?, ?, ?, ?, ?)",
                                  columns));
        EXPECT_EQ(table.all().value().value(0), expected) << columns.value(0).toString().toStdString();
    }
}

TEST_F(MeetingTableTest, AnExistingDatabaseStopsCreationUntilThePageChooses)
{
    using R = MeetingTable::CreateResult;
    using E = MeetingTable::ExistingDatabase;
    ASSERT_EQ(Schema::createMeetingDatabase(QStringLiteral("Old")), Schema::CreateResult::Created);
    const QString path = Schema::meetingDatabasePath(QStringLiteral("Old"));
    ASSERT_TRUE(DbAccess::executeOnce(path, "insert into Employees(CellNo) values('7')"));
    auto delegates = [&] {
        return DbAccess::selectOnce(path, "select CellNo from Employees").value().size();
    };

    MeetingTable table;
    Meeting record = meeting(QStringLiteral("Old"));
    EXPECT_EQ(table.create(record), R::DatabaseExists);
    EXPECT_TRUE(table.all().value().isEmpty());
    EXPECT_EQ(table.create(record, E::Keep), R::Created);
    EXPECT_EQ(delegates(), 1);
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "delete from Mottag"));
    EXPECT_EQ(table.create(record, E::Replace), R::Created);
    EXPECT_EQ(delegates(), 0);
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(record.key))).exists());

    DbAccess holder; // the name check cannot run: nothing is created
    holder.connect(Schema::kSystemDatabase);
    record.name = QStringLiteral("Any");
    EXPECT_EQ(table.create(record), R::Failed);
    EXPECT_FALSE(table.all().has_value());
    EXPECT_EQ(prompts.take().size(), 2);
}

TEST_F(MeetingTableTest, ARenameMovesDatabaseAndAnchorAndAFailedRowWriteMovesThemBack)
{
    using R = MeetingTable::ChangeResult;
    MeetingTable table;
    Meeting old = meeting(QStringLiteral("Old"));
    Meeting other = meeting(QStringLiteral("Other"));
    ASSERT_EQ(table.create(old), MeetingTable::CreateResult::Created);
    ASSERT_EQ(table.create(other), MeetingTable::CreateResult::Created);
    ASSERT_TRUE(EventLog::ensureAnchors());
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::kSystemDatabase, "insert into RecordAnchor values('Old', 3, 'h')"));
    const auto files = [this] {
        return QDir(programFile("Data")).entryList({"*.db"}, QDir::Files) +
               stored("select meeting as v from RecordAnchor");
    };

    Meeting renamed = old;
    renamed.name = QStringLiteral("Other");
    EXPECT_EQ(table.change(QStringLiteral("Old"), renamed), R::NameTaken);
    QFile(programFile("Data/New.db")).open(QIODevice::WriteOnly); // a stray file holds the new name
    renamed.name = QStringLiteral("New");
    EXPECT_EQ(table.change(QStringLiteral("Old"), renamed), R::DatabaseRefused);
    ASSERT_TRUE(QFile::remove(programFile("Data/New.db")));

    // File and anchor have moved when the row refuses the write: both go back.
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      "create trigger refuse before update on Mottag "
                                      "begin select raise(abort, 'refused'); end"));
    renamed.due = 80;
    EXPECT_EQ(table.change(QStringLiteral("Old"), renamed), R::Failed);
    EXPECT_EQ(prompts.take().size(), 1); // the store's own report
    EXPECT_EQ(table.find(QStringLiteral("Old")).value(), old);
    EXPECT_EQ(files(), (QStringList{"Old.db", "Other.db", "Old"}));
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(old.key))).exists());

    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, "drop trigger refuse"));
    EXPECT_EQ(table.change(QStringLiteral("Old"), renamed), R::Changed);
    EXPECT_EQ(table.find(QStringLiteral("New")).value(), renamed);
    EXPECT_EQ(files(), (QStringList{"New.db", "Other.db", "New"}));
}

TEST_F(MeetingTableTest, FileNamesFromARowCannotReachOtherFiles)
{
    QDir().mkpath(programFile("Data"));
    QFile file(programFile("Data/Other.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    MeetingFiles::removeFiles(QStringLiteral("x"), QStringLiteral(".."),
                              QStringLiteral("../../Data/Other.db"));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_FALSE(MeetingFiles::makeFolder(QString()));
}

} // namespace
