#include "prep/MeetingTable.h"
#include "data/DbAccess.h"
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

    MeetingRecord meeting(const QString& name, const QString& key)
    {
        MeetingRecord record;
        record.MeeName = name;
        record.MeeAddr = QStringLiteral("Hall 1");
        record.DateStart = QStringLiteral("2026/12/07");
        record.DateEnd = QStringLiteral("2026/12/08");
        record.DueNum = QStringLiteral("120");
        record.bSetLimit = QStringLiteral("1");
        record.limit = QStringLiteral("50");
        record.insertdate = key;
        return record;
    }

    void touch(const QString& relative)
    {
        QDir().mkpath(QFileInfo(programFile(relative)).path());
        QFile file(programFile(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
};

TEST_F(MeetingTableTest, RowsRoundTripAndChangeByKeyOnly)
{
    const QString quoted = QStringLiteral("Zeta \"quoted\" 'meeting'");
    MeetingTable table;
    table.record = meeting(quoted, QStringLiteral("20261207090000"));
    ASSERT_TRUE(table.insert());
    table.record = meeting(QStringLiteral("Alpha"), QStringLiteral("20261207090001"));
    ASSERT_TRUE(table.insert());

    table.record = meeting(QStringLiteral("Alpha renamed"), QStringLiteral("20261207090001"));
    table.record.limit = QStringLiteral("0");
    ASSERT_TRUE(table.update());
    ASSERT_TRUE(table.setBanner(QStringLiteral("20261207090001"), QStringLiteral("20261207090001.rtf")));
    table.loadList();
    EXPECT_EQ(table.names, (QStringList{quoted, "Alpha renamed"})); // in creation order
    ASSERT_TRUE(table.load(quoted));
    EXPECT_EQ(table.record.limit, "50");
    EXPECT_EQ(table.record.bannerPath, ""); // Null stays empty
    ASSERT_TRUE(table.load(QStringLiteral("Alpha renamed")));
    EXPECT_EQ(table.record.limit, "0");
    EXPECT_EQ(table.record.bannerPath, "20261207090001.rtf");
    EXPECT_FALSE(table.exists(QStringLiteral("alpha renamed ")));
    EXPECT_FALSE(table.load(QStringLiteral("missing")));
    EXPECT_EQ(table.record.MeeAddr, ""); // a failed load leaves no stale fields
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
    MeetingRecord record = meeting(QStringLiteral("Old"), QString());
    EXPECT_EQ(table.create(record), R::DatabaseExists);
    EXPECT_TRUE(table.all().value().isEmpty());
    EXPECT_EQ(delegates(), 1);

    EXPECT_EQ(table.create(record, E::Keep), R::Created);
    EXPECT_EQ(delegates(), 1);
    EXPECT_EQ(table.create(record, E::Replace), R::NameTaken);
    ASSERT_TRUE(table.remove(QStringLiteral("Old")));
    EXPECT_EQ(table.create(record, E::Replace), R::Created);
    EXPECT_EQ(delegates(), 0);
    const auto stored = table.find(QStringLiteral("Old"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->insertdate, record.insertdate);
    EXPECT_TRUE(QDir(programFile(MeetingFiles::folder(record.insertdate))).exists());
}

TEST_F(MeetingTableTest, NothingIsCreatedWhenTheChecksCannotRun)
{
    MeetingTable table;
    MeetingRecord record = meeting(QStringLiteral("Any"), QString());
    {
        // The system database is held elsewhere: the name check cannot run.
        DbAccess holder;
        holder.Connect(Schema::kSystemDatabase);
        EXPECT_EQ(table.create(record), MeetingTable::CreateResult::Failed);
        EXPECT_FALSE(table.all().has_value());
        EXPECT_FALSE(table.loadList());
        EXPECT_EQ(prompts.take().size(), 3);
    }
    QFile blocker(programFile("Data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(table.create(record), MeetingTable::CreateResult::CannotReplaceDatabase);
    EXPECT_TRUE(table.all().value().isEmpty());
}

// Deleting and renaming themselves are the meeting page's tests.
TEST_F(MeetingTableTest, FileNamesFromARowCannotReachOtherFiles)
{
    touch(QStringLiteral("Data/Other.db"));
    touch(QStringLiteral("MeeFile/20261207090001/keep.rtf"));
    MeetingFiles::removeFiles(QString(), QString(), QString());
    MeetingFiles::removeFiles(QStringLiteral("x"), QStringLiteral(".."),
                              QStringLiteral("../../Data/Other.db"));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_TRUE(QFile::exists(programFile("MeeFile/20261207090001/keep.rtf")));
    EXPECT_FALSE(MeetingFiles::makeFolder(QString()));
    // A meeting without its database file can still be renamed.
    EXPECT_EQ(MeetingFiles::renameDatabase(QStringLiteral("Gone"), QStringLiteral("Whatever")),
              MeetingFiles::RenameResult::NothingToRename);
}

} // namespace
