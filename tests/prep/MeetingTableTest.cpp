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

TEST_F(MeetingTableTest, RowsRoundTripAndListInCreationOrder)
{
    MeetingTable table;
    table.record = meeting(QStringLiteral("Zeta \"quoted\" 'meeting'"), QStringLiteral("20261207090000"));
    ASSERT_TRUE(table.insert());
    table.record = meeting(QStringLiteral("Alpha"), QStringLiteral("20261207090001"));
    table.record.DateStart = QStringLiteral("2026/12/09");
    ASSERT_TRUE(table.insert());

    table.loadList();
    EXPECT_EQ(table.names, (QStringList{"Zeta \"quoted\" 'meeting'", "Alpha"}));
    EXPECT_EQ(table.startDates, (QStringList{"2026/12/07", "2026/12/09"}));

    ASSERT_TRUE(table.load(QStringLiteral("Zeta \"quoted\" 'meeting'")));
    EXPECT_EQ(table.record.MeeAddr, "Hall 1");
    EXPECT_EQ(table.record.limit, "50");
    EXPECT_EQ(table.record.bSetLimit, "1");
    EXPECT_EQ(table.record.insertdate, "20261207090000");
    EXPECT_EQ(table.record.bannerPath, ""); // Null stays empty
    EXPECT_TRUE(table.exists(QStringLiteral("Alpha")));
    EXPECT_FALSE(table.exists(QStringLiteral("alpha ")));
    EXPECT_TRUE(table.keyExists(QStringLiteral("20261207090001")));
    EXPECT_FALSE(table.load(QStringLiteral("missing")));
    EXPECT_EQ(table.record.MeeAddr, ""); // a failed load leaves no stale fields
}

TEST_F(MeetingTableTest, UpdateAndBannerSelectByKeyOnly)
{
    MeetingTable table;
    table.record = meeting(QStringLiteral("One"), QStringLiteral("20261207090000"));
    ASSERT_TRUE(table.insert());
    table.record = meeting(QStringLiteral("Two"), QStringLiteral("20261207090001"));
    ASSERT_TRUE(table.insert());

    table.record = meeting(QStringLiteral("One renamed"), QStringLiteral("20261207090000"));
    table.record.bSetLimit = QStringLiteral("2");
    table.record.limit = QStringLiteral("0");
    ASSERT_TRUE(table.update());
    ASSERT_TRUE(table.setBanner(QStringLiteral("20261207090000"), QStringLiteral("20261207090000.rtf")));

    table.loadList();
    EXPECT_EQ(table.names, (QStringList{"One renamed", "Two"}));
    ASSERT_TRUE(table.load(QStringLiteral("One renamed")));
    EXPECT_EQ(table.record.limit, "0");
    EXPECT_EQ(table.record.bannerPath, "20261207090000.rtf");
    ASSERT_TRUE(table.load(QStringLiteral("Two")));
    EXPECT_EQ(table.record.bannerPath, "");
    EXPECT_EQ(table.record.limit, "50");

    ASSERT_TRUE(table.remove(QStringLiteral("Two")));
    table.loadList();
    EXPECT_EQ(table.names, (QStringList{"One renamed"}));
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

TEST_F(MeetingTableTest, RenameNeverLosesTheDatabase)
{
    touch(QStringLiteral("Data/Old.db"));
    EXPECT_EQ(MeetingFiles::renameDatabase(QStringLiteral("Old"), QStringLiteral("New")),
              MeetingFiles::RenameResult::Renamed);
    EXPECT_FALSE(QFile::exists(programFile("Data/Old.db")));
    EXPECT_TRUE(QFile::exists(programFile("Data/New.db")));

    // A leftover file under the new name is not overwritten.
    touch(QStringLiteral("Data/Other.db"));
    EXPECT_EQ(MeetingFiles::renameDatabase(QStringLiteral("New"), QStringLiteral("Other")),
              MeetingFiles::RenameResult::Refused);
    EXPECT_TRUE(QFile::exists(programFile("Data/New.db")));

    EXPECT_EQ(MeetingFiles::renameDatabase(QStringLiteral("Gone"), QStringLiteral("Whatever")),
              MeetingFiles::RenameResult::NothingToRename);
}

TEST_F(MeetingTableTest, RemoveFilesTakesOnlyThisMeetingsFiles)
{
    const QString key = QStringLiteral("20261207090000");
    touch(QStringLiteral("Data/Mine.db"));
    touch(QStringLiteral("Data/Other.db"));
    ASSERT_TRUE(MeetingFiles::makeFolder(key));
    touch(MeetingFiles::proposal(key, QStringLiteral("20261207100000.rtf")));
    touch(QStringLiteral("MeeFile/20261207090001/keep.rtf"));
    touch(MeetingFiles::banner(key + ".rtf"));
    touch(MeetingFiles::banner(QStringLiteral("20261207090001.rtf")));

    MeetingFiles::removeFiles(QStringLiteral("Mine"), key, key + ".rtf");
    EXPECT_FALSE(QFile::exists(programFile("Data/Mine.db")));
    EXPECT_FALSE(QDir(programFile("MeeFile/20261207090000")).exists());
    EXPECT_FALSE(QFile::exists(programFile("MeeFile/Meebanner/20261207090000.rtf")));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_TRUE(QFile::exists(programFile("MeeFile/20261207090001/keep.rtf")));
    EXPECT_TRUE(QFile::exists(programFile("MeeFile/Meebanner/20261207090001.rtf")));

    // A row without a proper key or with a crafted banner name cannot reach other files.
    MeetingFiles::removeFiles(QString(), QString(), QString());
    MeetingFiles::removeFiles(QStringLiteral("x"), QStringLiteral(".."),
                              QStringLiteral("../../Data/Other.db"));
    EXPECT_TRUE(QFile::exists(programFile("Data/Other.db")));
    EXPECT_TRUE(QDir(programFile("MeeFile")).exists());
    EXPECT_TRUE(QFile::exists(programFile("MeeFile/20261207090001/keep.rtf")));
    EXPECT_FALSE(MeetingFiles::makeFolder(QString()));
}

} // namespace
